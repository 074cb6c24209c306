#include "core/stats/BigSmall.h"

namespace BigSmall {

QVector<StatsQuery::FieldColumn> columns()
{
    const QString red = QStringLiteral("红球"), blue = QStringLiteral("蓝球");
    QVector<StatsQuery::FieldColumn> out = StatsQuery::drawColumns();
    // The big/small group, then the odd/even group, each: pattern, ratio, per ball, blue.
    struct Group {
        const char *pattern, *ratio, *perBall, *blueField;
        QString patternTitle, ratioTitle, groupTitle;
    };
    const Group groups[] = {
        {"hdaxiaoxingtai", "hdaxiaobi", "hdaxiao0%1", "ldaxiaofenxi", QStringLiteral("大小型态"),
         QStringLiteral("大小比"), QStringLiteral("大小分布")},
        {"hjiouxingtai", "hjioubi", "hjiou0%1", "ljioufenxi", QStringLiteral("奇偶形态"), QStringLiteral("奇偶比"),
         QStringLiteral("奇偶分布")},
    };
    for (const Group &g : groups) {
        out.append({QString::fromLatin1(g.pattern), {g.patternTitle}});
        out.append({QString::fromLatin1(g.ratio), {g.ratioTitle}});
        for (int i = 1; i <= 6; ++i)
            out.append({QString::fromLatin1(g.perBall).arg(i), {g.groupTitle, red, StatsQuery::ballTitle(i)}});
        out.append({QString::fromLatin1(g.blueField), {g.groupTitle, blue}});
    }
    return out;
}

CellMark markFor(const QString &text)
{
    if (text == QStringLiteral("小") || text == QStringLiteral("奇"))
        return CellMark::Highlight;
    if (text == QLatin1String("1 : 5") || text == QLatin1String("5 : 1") || text == QLatin1String("0 : 6")
        || text == QLatin1String("6 : 0"))
        return CellMark::Extreme;
    return CellMark::Plain;
}

StatsResult table(QSqlDatabase db, const QString &from, const QString &to)
{
    return StatsQuery::tableFromQuery(db, StatsQuery::bigSmallOddEven(from, to), columns(),
                                      [](int, const QString &text) { return markFor(text); });
}

} // namespace BigSmall

#include "ui/history/HistoryColumns.h"
#include "ui/widgets/Colours.h"

#include <array>

namespace {

QVector<HistoryColumn> build()
{
    QVector<HistoryColumn> c;
    c.append({QStringLiteral("qishu"), {QStringLiteral("期数")}, HistoryColumn::DrawNumber, 48, QColor()});

    const QString red = QStringLiteral("红色球区");
    struct Band { int first, last; QString title; QColor colour; };
    const Band redBands[] = {{1, 11, QStringLiteral("小号（01～11）"), Colours::redZoneLilac},
                             {12, 22, QStringLiteral("中号（12～22）"), Colours::redZoneCyan},
                             {23, 33, QStringLiteral("大号（23～33）"), Colours::redZoneLilac}};
    for (const Band &b : redBands)
        for (int n = b.first; n <= b.last; ++n)
            c.append({(n <= 16 ? QStringLiteral("A%1") : QStringLiteral("a%1")).arg(n),
                      {red, b.title, QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'))},
                      HistoryColumn::RedBall, 16, b.colour});

    const struct { const char *field; const char *title; int width; } attributes[] = {
        {"dashu", "大中小比", 52}, {"jishu", "奇偶比", 40}, {"lheshu", "和数", 30}, {"AC", "AC值", 30},
        {"zhishu", "质数个数", 30}, {"weihe", "尾数和", 40}, {"jicha", "极号差", 40}, {"jihe", "极号和", 40}};
    for (const auto &a : attributes)
        c.append({QString::fromLatin1(a.field), {red, QString::fromUtf8(a.title)}, HistoryColumn::Attribute, a.width,
                  QColor()});

    const QString blue = QStringLiteral("蓝色球区");
    const Band blueBands[] = {{1, 4, QStringLiteral("一区"), Colours::blueZoneRose},
                              {5, 8, QStringLiteral("二区"), Colours::blueZoneBlush},
                              {9, 12, QStringLiteral("三区"), Colours::blueZoneRose},
                              {13, 16, QStringLiteral("四区"), Colours::blueZoneBlush}};
    for (const Band &b : blueBands)
        for (int n = b.first; n <= b.last; ++n)
            c.append({QStringLiteral("b%1").arg(n),
                      {blue, b.title, QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'))},
                      HistoryColumn::BlueBall, 16, b.colour});
    return c;
}

} // namespace

const QVector<HistoryColumn> &historyColumns()
{
    static const QVector<HistoryColumn> columns = build();
    return columns;
}

int historyBallColumn(HistoryColumn::Kind zone, int n)
{
    static const auto columns = [] {
        std::array<std::array<int, 34>, 2> c{};
        const QVector<HistoryColumn> &all = historyColumns();
        std::array<int, 2> seen{};
        for (int i = 0; i < all.size(); ++i)
            if (isBallColumn(all[i])) {
                const int z = all[i].kind == HistoryColumn::RedBall ? 0 : 1;
                c[std::size_t(z)][std::size_t(++seen[std::size_t(z)])] = i;
            }
        return c;
    }();
    return columns[zone == HistoryColumn::RedBall ? 0 : 1][std::size_t(n)];
}

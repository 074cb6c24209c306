#include "core/history/DrawDetails.h"

#include "core/history/DrawDatabase.h"
#include "core/history/Query.h"

#include <QLocale>
#include <QStringList>
#include <QVariant>

bool DrawDetails::operator==(const DrawDetails &o) const
{
    if (qishu != o.qishu || date != o.date || sales != o.sales || pool != o.pool)
        return false;
    for (size_t i = 0; i < grades.size(); ++i)
        if (grades[i].winners != o.grades[i].winners || grades[i].money != o.grades[i].money)
            return false;
    return true;
}

namespace {
QVariant amount(qint64 value)
{
    return value < 0 ? QVariant(QMetaType::fromType<qint64>()) : QVariant(value);
}

qint64 amountAt(const QSqlQuery &q, int column)
{
    const QVariant v = q.value(column);
    return v.isNull() ? -1 : v.toLongLong();
}
} // namespace

namespace DrawDetailsStore {

Outcome store(QSqlDatabase db, const DrawDetails &d)
{
    QVariantList values{d.qishu, d.date, amount(d.sales), amount(d.pool)};
    for (const PrizeGrade &g : d.grades)
        values << amount(g.winners) << amount(g.money);
    return Query::write(db, {QStringLiteral("insert or replace into gonggao (qishu, riqi, xiaoshou, jiangchi, "
                                            "zhushu1, jiangjin1, zhushu2, jiangjin2, zhushu3, jiangjin3, "
                                            "zhushu4, jiangjin4, zhushu5, jiangjin5, zhushu6, jiangjin6, "
                                            "zhushu7, jiangjin7) "
                                            "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                             values});
}

Result<DrawDetails> read(QSqlDatabase db, const QString &qishu)
{
    Result<DrawDetails> result;
    // A version 2 history that could not be upgraded (read-only) has no grade 7 yet.
    const QString grade7 = DrawDatabase::versionOf(db) >= 3 ? QStringLiteral("zhushu7, jiangjin7") : QStringLiteral("null, null");
    Query::Rows rows = Query::run(db, {QStringLiteral("select qishu, riqi, xiaoshou, jiangchi, "
                                                      "zhushu1, jiangjin1, zhushu2, jiangjin2, zhushu3, jiangjin3, "
                                                      "zhushu4, jiangjin4, zhushu5, jiangjin5, zhushu6, jiangjin6, ")
                                           + grade7 + QStringLiteral(" from gonggao where qishu=?"),
                                       {qishu}});
    result.outcome = rows.outcome;
    if (!rows.ok() || !rows.query.next())
        return result;
    const QSqlQuery &q = rows.query;
    DrawDetails &d = result.value;
    d.qishu = q.value(0).toString();
    d.date = q.value(1).toString();
    d.sales = amountAt(q, 2);
    d.pool = amountAt(q, 3);
    for (int i = 0; i < PrizeRules::kGrades; ++i)
        d.grades[i] = {amountAt(q, 4 + 2 * i), amountAt(q, 5 + 2 * i)};
    return result;
}

} // namespace DrawDetailsStore

QString drawDetailsText(const DrawDetails &d)
{
    // Thousands grouped with commas whatever the reader's locale, as the lottery writes money.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    auto yuan = [&c](qint64 v) { return v < 0 ? QStringLiteral("--") : c.toString(v) + QStringLiteral("元"); };
    QStringList lines;
    lines << QStringLiteral("%1期  开奖日期：%2").arg(d.qishu, d.date.isEmpty() ? QStringLiteral("--") : d.date);
    lines << QStringLiteral("销售额：%1  奖池：%2").arg(yuan(d.sales), yuan(d.pool));
    for (int i = 0; i < PrizeRules::kGrades; ++i) {
        const PrizeGrade &g = d.grades[i];
        // 福运奖 only where it was awarded: the notices list it empty for every other draw.
        if (i + 1 == PrizeRules::FortuneGrade
            && (d.qishu < PrizeRules::kFirstDrawOfRules
                || PrizeRules::noticeFortune(g.winners, g.money) != PrizeRules::Fortune::InForce))
            continue;
        lines << QStringLiteral("%1：%2，每注%3")
                     .arg(PrizeRules::gradeName(i + 1),
                          g.winners < 0 ? QStringLiteral("--") : c.toString(g.winners) + QStringLiteral("注"),
                          yuan(g.money));
    }
    return lines.join(QLatin1Char('\n'));
}

#include "core/stats/BlueDistribution.h"

#include <QSqlError>
#include <QSqlQuery>

namespace BlueDistribution {

QVector<StatsQuery::FieldColumn> columns()
{
    QVector<StatsQuery::FieldColumn> out{{QStringLiteral("Append.qishu"), {QStringLiteral("期数")}},
                                         {QStringLiteral("Append.c7"), {QStringLiteral("蓝球号码")}}};
    for (int i = 1; i <= 16; ++i)
        out.append({QStringLiteral("b%1").arg(i),
                    {QStringLiteral("蓝球分布"), QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'))}});
    const char *fields[] = {"lji", "lou", "lzhihu", "llheshu", "ldashu", "lxiaoshu", "l01",
                            "l02", "l03", "l04", "llinglu", "lyilu", "lerlu"};
    const QStringList titles = {QStringLiteral("奇数"), QStringLiteral("偶数"), QStringLiteral("质数"),
                                QStringLiteral("合数"), QStringLiteral("大数"), QStringLiteral("小数"),
                                QStringLiteral("一区"), QStringLiteral("二区"), QStringLiteral("三区"),
                                QStringLiteral("四区"), QStringLiteral("0 路"), QStringLiteral("1 路"),
                                QStringLiteral("2 路")};
    for (int i = 0; i < titles.size(); ++i)
        out.append({QString::fromLatin1(fields[i]), {titles[i]}});
    return out;
}

StatsResult table(QSqlDatabase db, const QString &from, const QString &to)
{
    return StatsQuery::tableFromQuery(db, StatsQuery::blueDistribution(from, to), columns(),
                                      [](int column, const QString &text) {
                                          return column >= kFirstBallColumn && column <= kLastBallColumn && !text.isEmpty()
                                                     ? CellMark::Present
                                                     : CellMark::Plain;
                                      });
}

Frequency frequency(QSqlDatabase db, const QString &from, const QString &to)
{
    Frequency result;
    result.footer = QStringList(QVector<QString>(kColumns));
    result.footer[0] = QStringLiteral("频率");
    // Each statement fills the columns listed, in the order of its counts.
    struct CountRun {
        QString select;
        QString table;
        QVector<int> columns;
    };
    QVector<CountRun> runs;
    for (int i = 1; i <= 16; ++i)
        runs.append({QStringLiteral("Count(b%1) as A").arg(i), QStringLiteral("data"), {i + 1}});
    runs.append({QStringLiteral("Count(llinglu) as A,count(lyilu) as b,count(lerlu) as c"), QStringLiteral("Append"),
                 {28, 29, 30}});
    runs.append({QStringLiteral("Count(l01) as A,count(l02) as b,count(l03) as c, count(l04) as d"),
                 QStringLiteral("Append"), {24, 25, 26, 27}});
    runs.append({QStringLiteral("Count(lji) as A,count(lou) as b,count(ldashu) as c, count(lxiaoshu) as d, "
                                "count(lzhihu) as e, count(llheshu) as f"),
                 QStringLiteral("Append"), {18, 19, 22, 23, 20, 21}});
    for (const CountRun &run : runs) {
        const StatsStatement s{QStringLiteral("select %1 from %2 where qishu >= ? and qishu <= ?").arg(run.select, run.table),
                               {from, to}};
        Query::Rows rows = Query::run(db, s);
        if (rows.ok() && !rows.query.next())
            rows.outcome = Outcome::failed(rows.query.lastError().text());
        if (!rows.ok()) {
            result.outcome = rows.outcome;
            return result;
        }
        for (int i = 0; i < run.columns.size(); ++i)
            result.footer[run.columns[i]] = rows.query.value(i).toString();
    }
    return result;
}

} // namespace BlueDistribution

#include "core/history/HistoryQuery.h"

#include "core/Game.h"

#include <QSqlError>

namespace HistoryQuery {

HistoryStatement range(const QString &from, const QString &to)
{
    return {QStringLiteral("select * from data where qishu >= ? and qishu <= ? order by qishu"), {from, to}};
}

HistoryStatement wholeHistory(bool descending)
{
    return {descending ? QStringLiteral("select * from data order by qishu desc")
                       : QStringLiteral("select * from data order by qishu"),
            {}};
}

Rows run(QSqlDatabase db, const HistoryStatement &statement)
{
    return Query::run(db, statement, Query::Cursor::Scrollable);
}

FrequencyCounts frequencyCounts(QSqlDatabase db, const QString &from, const QString &to)
{
    FrequencyCounts result;
    auto count = [&](QChar zone, int n) {
        const HistoryStatement s{
            QStringLiteral("select Count(%1%2) as A from Data where qishu >= ? and qishu <= ?").arg(zone).arg(n),
            {from, to}};
        Query::Rows rows = Query::run(db, s);
        if (rows.ok() && !rows.query.next())
            rows.outcome = Outcome::failed(rows.query.lastError().text());
        if (!rows.ok()) {
            result.outcome = rows.outcome;
            return false;
        }
        result.counts.append(rows.query.value(0).toInt());
        return true;
    };
    for (int i = 1; i <= Game::kRedBalls; ++i)
        if (!count(QLatin1Char('A'), i))
            return result;
    for (int n = 1; n <= Game::kBlueBalls; ++n)
        if (!count(QLatin1Char('b'), n))
            return result;
    return result;
}

} // namespace HistoryQuery

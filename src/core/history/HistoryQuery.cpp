#include "core/history/HistoryQuery.h"

#include <QSqlError>

QSqlQuery HistoryStatement::prepare(QSqlDatabase db) const
{
    QSqlQuery q(db);
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    return q;
}

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
    Rows rows{QSqlQuery(db), Outcome::success()};
    bool done = rows.query.prepare(statement.sql);
    if (done) {
        for (const QVariant &v : statement.values)
            rows.query.addBindValue(v);
        done = rows.query.exec();
    }
    if (!done) {
        rows.outcome = Outcome::failed(rows.query.lastError().text());
        rows.query = QSqlQuery();
    }
    return rows;
}

FrequencyCounts frequencyCounts(QSqlDatabase db, const QString &from, const QString &to)
{
    FrequencyCounts result;
    auto count = [&](QChar zone, int n) {
        const HistoryStatement s{
            QStringLiteral("select Count(%1%2) as A from Data where qishu >= ? and qishu <= ?").arg(zone).arg(n),
            {from, to}};
        QSqlQuery q = s.prepare(db);
        if (!q.exec() || !q.next()) {
            result.outcome = Outcome::failed(q.lastError().text());
            return false;
        }
        result.counts.append(q.value(0).toInt());
        return true;
    };
    for (int i = 1; i <= kRedBalls; ++i)
        if (!count(QLatin1Char('A'), i))
            return result;
    for (int n = 1; n <= kBlueBalls; ++n)
        if (!count(QLatin1Char('b'), n))
            return result;
    return result;
}

} // namespace HistoryQuery

#include "core/shell/HistoryQuery.h"

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

FrequencyCounts frequencyCounts(QSqlDatabase db, const QString &from, const QString &to)
{
    FrequencyCounts result;
    auto count = [&](QChar zone, int n) {
        const HistoryStatement s{
            QStringLiteral("select Count(%1%2) as A from Data where qishu >= ? and qishu <= ?").arg(zone).arg(n),
            {from, to}};
        QSqlQuery q = s.prepare(db);
        if (!q.exec() || !q.next()) {
            result.outcome = Outcome::failure(q.lastError().text());
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

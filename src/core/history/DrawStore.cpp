#include "core/history/DrawStore.h"

#include "core/history/DrawDatabase.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

Outcome insertRow(QSqlDatabase db, const QString &table, const QVector<ColumnValue> &row)
{
    QStringList columns, marks;
    for (const ColumnValue &cv : row) {
        columns << cv.column;
        marks << QStringLiteral("?");
    }
    QSqlQuery q(db);
    // Column names come from the attribute code, never from the user; values are bound.
    q.prepare(QStringLiteral("insert into %1 (%2) values (%3)").arg(table, columns.join(','), marks.join(',')));
    for (const ColumnValue &cv : row)
        q.addBindValue(cv.value);
    if (!q.exec())
        return Outcome::failed(writeErrorText(db, q.lastError()));
    return Outcome::success();
}

Outcome execBound(QSqlDatabase db, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(db);
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        return Outcome::failed(writeErrorText(db, q.lastError()));
    return Outcome::success();
}

} // namespace

namespace DrawStore {

bool drawExists(QSqlDatabase db, const QString &qishu)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("select * from data where qishu=?"));
    q.addBindValue(qishu);
    return q.exec() && q.next();
}

QStringList drawNumbers(QSqlDatabase db)
{
    QStringList numbers;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (q.exec(QStringLiteral("select qishu from data order by qishu")))
        while (q.next())
            numbers << q.value(0).toString();
    return numbers;
}

QString highestDrawNumber(QSqlDatabase db)
{
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("select qishu from data order by qishu desc")) && q.next())
        return q.value(0).toString();
    return QString();
}

Outcome insertDraw(QSqlDatabase db, const DrawAttributes &attributes)
{
    Transaction tx(db);
    if (!tx.isActive())
        return Outcome::failed(writeErrorText(db, db.lastError()));
    Outcome o = insertRow(db, QStringLiteral("data"), attributes.dataRow);
    if (!o.ok())
        return o;
    o = insertRow(db, QStringLiteral("append"), attributes.appendRow);
    if (!o.ok())
        return o;
    return tx.commit();
}

Outcome deleteDraw(QSqlDatabase db, const QString &qishu)
{
    Transaction tx(db);
    if (!tx.isActive())
        return Outcome::failed(writeErrorText(db, db.lastError()));
    Outcome o = execBound(db, QStringLiteral("delete from append where qishu=?"), {qishu});
    if (!o.ok())
        return o;
    o = execBound(db, QStringLiteral("delete from data where qishu=?"), {qishu});
    if (!o.ok())
        return o;
    return tx.commit();
}

Outcome clearAllDraws(QSqlDatabase db)
{
    Transaction tx(db);
    if (!tx.isActive())
        return Outcome::failed(writeErrorText(db, db.lastError()));
    Outcome o = execBound(db, QStringLiteral("delete from append"));
    if (!o.ok())
        return o;
    o = execBound(db, QStringLiteral("delete from data"));
    if (!o.ok())
        return o;
    return tx.commit();
}

} // namespace DrawStore

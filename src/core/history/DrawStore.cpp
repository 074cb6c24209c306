#include "core/history/DrawStore.h"

#include "core/history/DrawDatabase.h"
#include "core/history/Query.h"

#include <QSqlError>

namespace {

Outcome insertRow(QSqlDatabase db, const QString &table, const QVector<ColumnValue> &row)
{
    QStringList columns, marks;
    QVariantList values;
    for (const ColumnValue &cv : row) {
        columns << cv.column;
        marks << QStringLiteral("?");
        values << cv.value;
    }
    // Column names come from the attribute code, never from the user; values are bound.
    return Query::write(db, {QStringLiteral("insert into %1 (%2) values (%3)").arg(table, columns.join(','), marks.join(',')),
                             values});
}

} // namespace

namespace DrawStore {

Result<bool> drawExists(QSqlDatabase db, const QString &qishu)
{
    Query::Rows rows = Query::run(db, {QStringLiteral("select * from data where qishu=?"), {qishu}});
    return {rows.ok() && rows.query.next(), rows.outcome};
}

Result<QStringList> drawNumbers(QSqlDatabase db)
{
    Result<QStringList> numbers;
    Query::Rows rows = Query::run(db, {QStringLiteral("select qishu from data order by qishu"), {}});
    numbers.outcome = rows.outcome;
    while (rows.ok() && rows.query.next())
        numbers.value << rows.query.value(0).toString();
    return numbers;
}

Result<QString> highestDrawNumber(QSqlDatabase db)
{
    Query::Rows rows = Query::run(db, {QStringLiteral("select qishu from data order by qishu desc"), {}});
    return {rows.ok() && rows.query.next() ? rows.query.value(0).toString() : QString(), rows.outcome};
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
    Outcome o = Query::write(db, {QStringLiteral("delete from append where qishu=?"), {qishu}});
    if (!o.ok())
        return o;
    o = Query::write(db, {QStringLiteral("delete from gonggao where qishu=?"), {qishu}});
    if (!o.ok())
        return o;
    o = Query::write(db, {QStringLiteral("delete from data where qishu=?"), {qishu}});
    if (!o.ok())
        return o;
    return tx.commit();
}

Outcome clearAllDraws(QSqlDatabase db)
{
    Transaction tx(db);
    if (!tx.isActive())
        return Outcome::failed(writeErrorText(db, db.lastError()));
    Outcome o = Query::write(db, {QStringLiteral("delete from append"), {}});
    if (!o.ok())
        return o;
    o = Query::write(db, {QStringLiteral("delete from gonggao"), {}});
    if (!o.ok())
        return o;
    o = Query::write(db, {QStringLiteral("delete from data"), {}});
    if (!o.ok())
        return o;
    return tx.commit();
}

} // namespace DrawStore

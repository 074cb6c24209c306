#include "core/history/Query.h"

#include "core/history/DrawDatabase.h"

#include <QSqlError>

namespace Query {
namespace {

// Prepares, binds and runs; false leaves the error in query.lastError().
bool prepareAndRun(QSqlQuery &query, const Statement &statement, Cursor cursor)
{
    query.setForwardOnly(cursor == Cursor::ForwardOnly);
    if (!query.prepare(statement.sql))
        return false;
    for (const QVariant &v : statement.values)
        query.addBindValue(v);
    return query.exec();
}

} // namespace

Rows run(QSqlDatabase db, const Statement &statement, Cursor cursor)
{
    Rows rows{QSqlQuery(db), Outcome::success()};
    if (!prepareAndRun(rows.query, statement, cursor)) {
        rows.outcome = Outcome::failed(rows.query.lastError().text());
        rows.query = QSqlQuery();
    }
    return rows;
}

Outcome write(QSqlDatabase db, const Statement &statement)
{
    QSqlQuery query(db);
    if (!prepareAndRun(query, statement, Cursor::ForwardOnly))
        return Outcome::failed(writeErrorText(db, query.lastError()));
    return Outcome::success();
}

} // namespace Query

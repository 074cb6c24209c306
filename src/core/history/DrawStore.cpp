#include "core/history/DrawStore.h"

#include "core/history/DrawDatabase.h"
#include "core/history/Query.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <map>
#include <memory>

namespace {

const QString kExistsSql = QStringLiteral("select qishu from data where qishu=?");

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

// An insert into one table, prepared once for the columns the draws so far have set and
// prepared again only when a draw sets a column not seen before (each draw sets its own ball
// columns). A column the statement names but the draw does not set is bound as NULL, which
// is what the row holds when an insert leaves the column out; a column with a default is
// never bound that way: such a row goes through an insert of its own columns.
class RowInsert {
public:
    RowInsert(QSqlDatabase db, const QString &table) : m_db(db), m_table(table), m_query(db)
    {
        Query::Rows info = Query::run(db, {QStringLiteral("PRAGMA table_info(%1)").arg(table), {}});
        while (info.ok() && info.query.next())
            if (!info.query.value(4).isNull()) // dflt_value
                m_defaulted.insert(info.query.value(1).toString().toLower());
    }

    Outcome write(const QVector<ColumnValue> &row)
    {
        bool grew = false;
        for (const ColumnValue &cv : row)
            if (!m_index.contains(cv.column)) {
                m_index.insert(cv.column, int(m_columns.size()));
                m_columns << cv.column;
                grew = true;
            }
        if (grew)
            m_prepared = false;
        if (row.size() < m_columns.size() && leavesOutADefault(row))
            return insertRow(m_db, m_table, row);
        if (!m_prepared) {
            QStringList marks;
            for (qsizetype i = 0; i < m_columns.size(); ++i)
                marks << QStringLiteral("?");
            m_query.setForwardOnly(true);
            m_prepared = m_query.prepare(QStringLiteral("insert into %1 (%2) values (%3)")
                                             .arg(m_table, m_columns.join(','), marks.join(',')));
            if (!m_prepared)
                return Outcome::failed(writeErrorText(m_db, m_query.lastError()));
        }
        for (int i = 0; i < m_columns.size(); ++i)
            m_query.bindValue(i, QVariant());
        for (const ColumnValue &cv : row)
            m_query.bindValue(m_index.value(cv.column), cv.value);
        if (!m_query.exec())
            return Outcome::failed(writeErrorText(m_db, m_query.lastError()));
        return Outcome::success();
    }

private:
    bool leavesOutADefault(const QVector<ColumnValue> &row) const
    {
        if (m_defaulted.isEmpty())
            return false;
        QSet<QString> set;
        for (const ColumnValue &cv : row)
            set.insert(cv.column);
        for (const QString &column : m_columns)
            if (!set.contains(column) && m_defaulted.contains(column.toLower()))
                return true;
        return false;
    }

    QSqlDatabase m_db;
    QString m_table;
    QSqlQuery m_query;
    bool m_prepared = false;
    QStringList m_columns;
    QHash<QString, int> m_index;
    QSet<QString> m_defaulted;
};

// The statements a BatchStatements keeps for its connection.
struct Statements {
    explicit Statements(QSqlDatabase db)
        : exists(db), data(db, QStringLiteral("data")), append(db, QStringLiteral("append"))
    {
        exists.setForwardOnly(true);
        existsPrepared = exists.prepare(kExistsSql);
    }

    QSqlQuery exists;
    bool existsPrepared = false;
    RowInsert data;
    RowInsert append;
};

// Keyed by connection name, on the thread that uses the connection (as Transaction does).
thread_local std::map<QString, std::unique_ptr<Statements>> t_statements;

Statements *statementsFor(const QSqlDatabase &db)
{
    const auto it = t_statements.find(db.connectionName());
    return it == t_statements.end() ? nullptr : it->second.get();
}

} // namespace

namespace DrawStore {

BatchStatements::BatchStatements(QSqlDatabase db) : m_connectionName(db.connectionName())
{
    if (t_statements.count(m_connectionName) == 0 && db.isOpen()) {
        t_statements.emplace(m_connectionName, std::make_unique<Statements>(db));
        m_owner = true;
    }
}

BatchStatements::~BatchStatements()
{
    if (m_owner)
        t_statements.erase(m_connectionName);
}

Result<bool> drawExists(QSqlDatabase db, const QString &qishu)
{
    if (Statements *s = statementsFor(db); s && s->existsPrepared) {
        s->exists.bindValue(0, qishu);
        if (!s->exists.exec())
            return {false, Outcome::failed(s->exists.lastError().text())};
        const bool found = s->exists.next();
        s->exists.finish();
        return {found, Outcome::success()};
    }
    Query::Rows rows = Query::run(db, {kExistsSql, {qishu}});
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
    Statements *s = statementsFor(db);
    Outcome o = s ? s->data.write(attributes.dataRow) : insertRow(db, QStringLiteral("data"), attributes.dataRow);
    if (!o.ok())
        return o;
    o = s ? s->append.write(attributes.appendRow) : insertRow(db, QStringLiteral("append"), attributes.appendRow);
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

#pragma once
// Reading a history back in tests: how many rows a table holds, and one stored value.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

// Rows of TABLE, or only those of draw QISHU; -1 when the count fails.
inline int countRows(QSqlDatabase db, const QString &table, const QString &qishu = QString())
{
    QSqlQuery q(db);
    if (qishu.isEmpty()) {
        q.exec(QStringLiteral("select count(*) from ") + table);
    } else {
        q.prepare(QStringLiteral("select count(*) from %1 where qishu = ?").arg(table));
        q.addBindValue(qishu);
        q.exec();
    }
    return q.next() ? q.value(0).toInt() : -1;
}

// COLUMN of draw QISHU in TABLE as text; "<null>" for null, "<no row>" when there is no such draw.
inline QString storedValue(QSqlDatabase db, const QString &table, const QString &column, const QString &qishu)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("select %1 from %2 where qishu=?").arg(column, table));
    q.addBindValue(qishu);
    if (!q.exec() || !q.next())
        return QStringLiteral("<no row>");
    return q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString();
}

#pragma once
// Reads and writes of whole draws. Every write is one transaction: a draw's data
// row and append row are stored, or deleted, together or not at all.
#include "core/Outcome.h"
#include "core/history/DrawAttributes.h"

#include <QSqlDatabase>
#include <QStringList>

namespace DrawStore {

// Each read is failed, with the database's text, when the history cannot be read: a broken
// history never reads as an empty one.
Result<bool> drawExists(QSqlDatabase db, const QString &qishu);
// Every draw number, ascending ("select * from data order by qishu").
Result<QStringList> drawNumbers(QSqlDatabase db);
// The highest draw number, or an empty string when the table is empty.
Result<QString> highestDrawNumber(QSqlDatabase db);

Outcome insertDraw(QSqlDatabase db, const DrawAttributes &attributes);
Outcome deleteDraw(QSqlDatabase db, const QString &qishu);
// Empties data and append together, so no append row outlives its draw.
Outcome clearAllDraws(QSqlDatabase db);

// While one lives, drawExists and insertDraw on its connection prepare their statements once
// and reuse them, so a batch of thousands of draws is not parsed again for every draw. What
// is stored is the same. One opened while another lives on the same connection joins it.
// Open it on the thread that uses the connection, and end it before the connection closes.
class BatchStatements {
public:
    explicit BatchStatements(QSqlDatabase db);
    ~BatchStatements();
    BatchStatements(const BatchStatements &) = delete;
    BatchStatements &operator=(const BatchStatements &) = delete;

private:
    QString m_connectionName;
    bool m_owner = false;
};

} // namespace DrawStore

#pragma once
// Reads and writes of whole draws. Every write is one transaction: a draw's data
// row and append row are stored, or deleted, together or not at all.
#include "core/Outcome.h"
#include "core/history/DrawAttributes.h"

#include <QSqlDatabase>
#include <QStringList>

namespace DrawStore {

bool drawExists(QSqlDatabase db, const QString &qishu);
// Every draw number, ascending ("select * from data order by qishu").
QStringList drawNumbers(QSqlDatabase db);
// The highest draw number, or an empty string when the table is empty.
QString highestDrawNumber(QSqlDatabase db);

Outcome insertDraw(QSqlDatabase db, const DrawAttributes &attributes);
Outcome deleteDraw(QSqlDatabase db, const QString &qishu);
// Empties data and append together, so no append row outlives its draw.
Outcome clearAllDraws(QSqlDatabase db);

} // namespace DrawStore

#pragma once
// The history tab's statements and the frequency counts. Range texts come from
// the user, so they are always bound values, never part of the statement text.
#include "core/Outcome.h"
#include "core/history/Query.h"

#include <QSqlDatabase>
#include <QVector>

using HistoryStatement = Query::Statement;

namespace HistoryQuery {

// Draws from..to (text order, both included), ascending.
HistoryStatement range(const QString &from, const QString &to);
// Every draw, ascending or descending.
HistoryStatement wholeHistory(bool descending);

using Rows = Query::Rows;
// Runs a statement for a grid to show (a scrollable query, as a grid model needs).
Rows run(QSqlDatabase db, const HistoryStatement &statement);

struct FrequencyCounts {
    // Reds 01..33 then blues 01..16, in the order counted; shorter when a count failed.
    QVector<int> counts;
    Outcome outcome;
};
// One Count statement per ball over data, from..to.
FrequencyCounts frequencyCounts(QSqlDatabase db, const QString &from, const QString &to);

} // namespace HistoryQuery

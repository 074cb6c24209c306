#pragma once
// The history tab's statements and the frequency counts. Range texts come from
// the user, so they are always bound values, never part of the statement text.
#include "core/Outcome.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>
#include <QVector>

struct HistoryStatement {
    QString sql;
    QVariantList values;

    // A prepared query with the values bound; exec() it.
    QSqlQuery prepare(QSqlDatabase db) const;
};

namespace HistoryQuery {

// Draws from..to (text order, both included), ascending.
HistoryStatement range(const QString &from, const QString &to);
// Every draw, ascending or descending.
HistoryStatement wholeHistory(bool descending);

struct Rows {
    QSqlQuery query;  // executed and positioned before the first row when outcome is ok
    Outcome outcome;  // failed with the database's text otherwise
};
// Runs a statement for a grid to show.
Rows run(QSqlDatabase db, const HistoryStatement &statement);

constexpr int kRedBalls = 33;
constexpr int kBlueBalls = 16;

struct FrequencyCounts {
    // Reds 01..33 then blues 01..16, in the order counted; shorter when a count failed.
    QVector<int> counts;
    Outcome outcome;
};
// One Count statement per ball over data, from..to.
FrequencyCounts frequencyCounts(QSqlDatabase db, const QString &from, const QString &to);

} // namespace HistoryQuery

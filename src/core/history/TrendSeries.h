#pragma once
// The values the trend charts plot: one value per stored draw of a range, taken from
// the draw's own columns (nothing is recomputed), with the draw number as its label.
#include "core/Outcome.h"
#include "core/history/HistoryQuery.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QVector>

class QSqlQuery;

enum class TrendChoice {
    redSum,        // lheshu
    Ac,            // ac
    EvenCount,     // jishu, 3rd character
    OddCount,      // jishu, 1st character
    CompositeCount,// zhishu
    TailSum,       // weihe
    ExtremeSum,    // jihe
    ExtremeGap,    // jicha
    BigCount,      // dashu, 1st character
    MiddleCount,   // dashu, 3rd character
    SmallCount,    // dashu, 5th character
    Blue,          // c7
};

struct TrendSeries {
    QVector<int> values;
    QStringList labels;  // the draw number of each value
    Outcome outcome;

    int size() const { return int(values.size()); }
};

namespace TrendQuery {

// Where a choice's value is read: a whole column, or one digit of a ratio text.
struct Source {
    QString column;
    int character = -1;  // 0-based position in the text, or -1 for the whole value
};
Source source(TrendChoice choice);

// Draws from..to (text order, both ends included), ascending.
HistoryStatement range(const QString &from, const QString &to);

// The series of an executed range query, read row by row. A value that is not a whole
// number fails the series and leaves it empty, naming the draw, so no half chart is shown.
TrendSeries fromRows(QSqlQuery &rows, TrendChoice choice);

// Runs range() and fromRows(). Fewer than two draws is refused with the chart's message
// and an empty series; a database error fails with its text.
TrendSeries load(QSqlDatabase db, const QString &from, const QString &to, TrendChoice choice);

} // namespace TrendQuery

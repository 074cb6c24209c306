#pragma once
// The range statements of the statistics windows. The two range texts are whatever the user
// typed into the boxes, so they are always bound values: a quote is an ordinary character
// that simply matches no draw, and the comparison stays a text comparison on qishu.
#include "core/Outcome.h"
#include "core/history/HistoryQuery.h"
#include "core/stats/StatsTable.h"

#include <QSqlDatabase>

using StatsStatement = HistoryStatement;

struct StatsResult {
    StatsTable table;
    Outcome outcome;
};

namespace StatsQuery {

// "select <what> from <tables> where <key> >= ? and <key> <= ? order by <key>".
StatsStatement range(const QString &selectList, const QString &tables, const QString &key,
                     const QString &from, const QString &to);
// The shapes the windows run.
StatsStatement redOmission(const QString &from, const QString &to);
StatsStatement blueOmission(const QString &from, const QString &to);
StatsStatement sumIntervals(const QString &from, const QString &to);
StatsStatement blueDistribution(const QString &from, const QString &to);
StatsStatement bigSmallOddEven(const QString &from, const QString &to);
StatsStatement fiveElementsSource(const QString &from, const QString &to);

// A field read as a whole number, the way the grids read ball texts ("07" is 7).
// ok is false for an empty or non-numeric value.
int wholeNumber(const QVariant &value, bool *ok = nullptr);

// One column of a table bound to a query: the field it shows and its title levels.
struct FieldColumn {
    QString field;
    QStringList title;
};
// A ball's two-digit title ("07").
QString ballTitle(int ball);
// The leading columns of a table that shows the draws themselves: "期数", then under
// "开奖号码" the six reds, the blue and "快乐星期天".
QVector<FieldColumn> drawColumns();
// Runs the statement and copies the named fields of every row into a table; mark decides
// each cell's mark from its column and text. The outcome fails with the database's text.
StatsResult tableFromQuery(QSqlDatabase db, const StatsStatement &statement,
                           const QVector<FieldColumn> &columns,
                           CellMark (*mark)(int column, const QString &text));

} // namespace StatsQuery

#pragma once
// The blue-ball distribution list: the draws of a range with the blue ball spread over
// sixteen presence columns and its stored classes, and the counts of each class.
#include "core/stats/StatsQuery.h"

namespace BlueDistribution {

inline constexpr int kColumns = 31;
inline constexpr int kFirstBallColumn = 2;   // b1 .. b16 are columns 2 .. 17
inline constexpr int kLastBallColumn = 17;

QVector<StatsQuery::FieldColumn> columns();
// The joined range query; a presence cell holding a value is marked Present.
StatsResult table(QSqlDatabase db, const QString &from, const QString &to);

struct Frequency {
    // One text per column: "频率" in column 0, the count under columns 2 .. 30, column 1 empty.
    QStringList footer;
    Outcome outcome;
};
// The Count statements over the range: non-null values of each column, so numbers of draws.
Frequency frequency(QSqlDatabase db, const QString &from, const QString &to);

} // namespace BlueDistribution

#pragma once
// The omission charts (red and blue balls) and the sum-interval chart: for every draw of a
// range and every column, "中" where the ball was drawn (the sum fell into the interval),
// otherwise the number of draws, this one included, since the last hit within the range.
#include "core/Game.h"
#include "core/stats/StatsQuery.h"

namespace Omission {

inline constexpr int kIntervals = 9;

// One draw of a range: its number and the balls it counts as drawn.
struct DrawHits {
    QString qishu;
    QVector<int> balls;
};

// Columns "期数", "01" .. ballCount; rows: one per draw (oldest first), one empty row, then
// "最大遗漏" and "出现次数". Balls outside 1..ballCount are left out.
StatsTable omissionTable(const QVector<DrawHits> &draws, int ballCount);

// One draw of a range with its stored sum, as text.
struct DrawSum {
    QString qishu;
    QString sumText;
};
// The interval titles "20-39" .. "180-199".
QStringList intervalTitles();
// Columns "期数", "和值" and the nine intervals; one row per draw, then one empty row.
StatsTable intervalTable(const QVector<DrawSum> &draws);

// The charts over the draws from..to of the database.
StatsResult redOmission(QSqlDatabase db, const QString &from, const QString &to);
StatsResult blueOmission(QSqlDatabase db, const QString &from, const QString &to);
StatsResult sumIntervals(QSqlDatabase db, const QString &from, const QString &to);

} // namespace Omission

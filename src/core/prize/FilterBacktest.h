#pragma once
// The filter conditions played against past draws: for each ticked condition, how many draws
// of a range had winning reds that it would have kept, and how many all of them together (at
// the tolerance set) would have kept. A condition that throws the winning numbers away often
// costs more than it saves.
#include "core/Outcome.h"
#include "core/bets/Filters.h"
#include "core/prize/PrizeCheck.h"

#include <QSqlDatabase>
#include <QStringList>
#include <vector>

namespace FilterBacktest {

// The draw as the filter sees a bet: its reds ascending, as all combinations makes them.
Bet drawAsBet(const PrizeCheck::DrawBalls &draw);

struct Line {
    QString caption; // the condition's caption, or the together row's
    QString bounds;  // "21至183"; for the together row how many conditions it holds
    qint64 passed = 0;
};
struct Table {
    std::vector<Line> conditions; // one per ticked condition, in the filter's order
    Line together;                // all ticked conditions at the tolerance
    qint64 draws = 0;
    // The column titles, then one row per condition and the together row, as texts.
    QStringList header() const;
    std::vector<QStringList> rows() const;
};

// Refused with the filter's own message for a bound that is not a whole number, or when no
// condition is ticked; nothing is counted then.
Result<Table> count(const FilterSettings &settings, const std::vector<PrizeCheck::DrawBalls> &draws);
// The same over the stored draws from..to (text order, both included); failed when the
// history cannot be read.
Result<Table> countRange(QSqlDatabase db, const QString &from, const QString &to, const FilterSettings &settings);

// "100.00%"; "-" for a range without draws.
QString shareText(qint64 passed, qint64 draws);
QString togetherCaption(int tolerance);

inline const QString kNothingTicked = QStringLiteral("请先勾选要回测的过滤条件！");

} // namespace FilterBacktest

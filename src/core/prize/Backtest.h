#pragma once
// A bet list played in every draw of a range: how many bets would have won each prize.
#include "core/bets/Bet.h"
#include "core/bets/Progress.h"
#include "core/prize/PrizeCheck.h"

#include <optional>
#include <vector>

namespace Backtest {

// The prize counts of BETS in each of DRAWS, in the same order; nullopt when progress asked
// to cancel. Long lists are counted by their red sets, so the work grows with the bets plus
// the draws; short ones bet by bet. Both give the counts PrizeCheck::countPrizes gives.
std::optional<std::vector<PrizeCheck::PrizeCounts>> countOverDraws(const BetList &bets,
                                                                   const std::vector<PrizeCheck::DrawBalls> &draws,
                                                                   const ProgressFn &progress = {});

// The same, always bet by bet (for lists whose reds are not sets, and to compare with).
std::optional<std::vector<PrizeCheck::PrizeCounts>> countBetByBet(const BetList &bets,
                                                                  const std::vector<PrizeCheck::DrawBalls> &draws,
                                                                  const ProgressFn &progress = {});

} // namespace Backtest

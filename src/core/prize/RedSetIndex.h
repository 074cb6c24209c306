#pragma once
// A bet list counted by its red sets: for each of the C(33,6) = 1,107,568 sets of six reds,
// how many bets hold it, in all and per blue. Asking how many bets share h reds with a draw
// then costs the sets that share h of its reds (63,928 for h >= 3), however long the list.
#include "core/Game.h"
#include "core/bets/Bet.h"
#include "core/bets/Progress.h"

#include <array>
#include <cstdint>
#include <vector>

class RedSetIndex {
public:
    static constexpr std::uint32_t kSets = 1107568; // C(33, 6)

    enum class Built { Done, NotRedSets, Cancelled };
    // Counts BETS. NotRedSets: a bet's reds are not six distinct balls 1..33 (such a list is
    // counted bet by bet instead).
    Built build(const BetList &bets, ProgressTicker &progress);

    // The place of a sorted set of six reds, 0-based balls, in lexicographic order.
    static std::uint32_t rankOf(const std::array<int, Game::kRedsPerBet> &zeroBasedSorted);
    // The same for a set given as a mask of 0-based balls (exactly six bits set).
    static std::uint32_t rankOfMask(std::uint64_t mask);

    std::uint32_t all(std::uint32_t set) const { return m_all[set]; }
    // Bets of SET whose blue is BLUE (1..16).
    std::uint32_t withBlue(int blue, std::uint32_t set) const { return m_byBlue[std::size_t(blue - 1) * kSets + set]; }
    // Bets whose blue is BLUE (1..16), whatever their reds.
    std::uint64_t blueTotal(int blue) const { return m_blueTotals[std::size_t(blue - 1)]; }

private:
    std::vector<std::uint32_t> m_all;
    std::vector<std::uint32_t> m_byBlue; // one plane of kSets counts per blue
    std::array<std::uint64_t, Game::kBlueBalls> m_blueTotals{};
};

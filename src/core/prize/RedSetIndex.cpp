#include "core/prize/RedSetIndex.h"

#include <algorithm>

namespace {

// kBinomial[n][k] = C(n, k) for the ranks; C(n, k) is 0 for k > n.
struct Binomials {
    std::uint32_t c[Game::kRedBalls + 1][Game::kRedsPerBet + 1]{};
    constexpr Binomials()
    {
        for (int n = 0; n <= Game::kRedBalls; ++n) {
            c[n][0] = 1;
            for (int k = 1; k <= Game::kRedsPerBet; ++k)
                c[n][k] = n == 0 ? 0 : c[n - 1][k - 1] + c[n - 1][k];
        }
    }
};
constexpr Binomials kBinomial;
static_assert(kBinomial.c[Game::kRedBalls][Game::kRedsPerBet] == RedSetIndex::kSets);

} // namespace

// Lexicographic order, so a generated list (sets in that order, each with its blues) writes
// its counts front to back instead of all over the tables. The lex rank of S is the last rank
// less the colex rank of S mirrored (ball b -> 32 - b).
std::uint32_t RedSetIndex::rankOf(const std::array<int, Game::kRedsPerBet> &zeroBasedSorted)
{
    std::uint32_t mirrored = 0;
    for (int i = 0; i < Game::kRedsPerBet; ++i)
        mirrored += kBinomial.c[Game::kRedBalls - 1 - zeroBasedSorted[std::size_t(Game::kRedsPerBet - 1 - i)]][i + 1];
    return kSets - 1 - mirrored;
}

std::uint32_t RedSetIndex::rankOfMask(std::uint64_t mask)
{
    std::uint32_t mirrored = 0;
    for (int i = 1; i <= Game::kRedsPerBet; ++i) {
        const int ball = 63 - __builtin_clzll(mask);
        mask &= ~(std::uint64_t(1) << ball);
        mirrored += kBinomial.c[Game::kRedBalls - 1 - ball][i];
    }
    return kSets - 1 - mirrored;
}

RedSetIndex::Built RedSetIndex::build(const BetList &bets, ProgressTicker &progress)
{
    m_all.assign(kSets, 0);
    m_byBlue.assign(std::size_t(Game::kBlueBalls) * kSets, 0);
    m_blueTotals.fill(0);
    for (std::size_t i = 0; i < bets.size(); ++i) {
        if (!progress.tick(qint64(i)))
            return Built::Cancelled;
        const Bet &b = bets[i];
        std::array<int, Game::kRedsPerBet> reds;
        for (int k = 0; k < Game::kRedsPerBet; ++k)
            reds[std::size_t(k)] = b.red[k] - 1;
        // Generated lists are sorted already; lists read from text need not be.
        if (!std::is_sorted(reds.begin(), reds.end()))
            std::sort(reds.begin(), reds.end());
        if (reds.front() < 0 || reds.back() >= Game::kRedBalls
            || std::adjacent_find(reds.begin(), reds.end()) != reds.end())
            return Built::NotRedSets;
        const std::uint32_t set = rankOf(reds);
        ++m_all[set];
        if (b.blue >= 1 && b.blue <= Game::kBlueBalls) {
            ++m_byBlue[std::size_t(b.blue - 1) * kSets + set];
            ++m_blueTotals[std::size_t(b.blue - 1)];
        }
    }
    return Built::Done;
}

#include "core/bets/Guarantee.h"

#include "core/Game.h"
#include "core/bets/Combinatorics.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kReds = Game::kRedBalls;

// The index tuples of the n-subsets of six positions, for n = 1..6.
struct SubsetTable {
    std::array<std::vector<std::array<std::uint8_t, 6>>, 7> bySize;
    SubsetTable()
    {
        for (int mask = 1; mask < 64; ++mask) {
            std::array<std::uint8_t, 6> t{};
            int size = 0;
            for (int i = 0; i < 6; ++i)
                if (mask & (1 << i))
                    t[size++] = std::uint8_t(i);
            bySize[size].push_back(t);
        }
    }
};
const SubsetTable kSubsets;

} // namespace

bool conflictTest(const Bet &b, const Bet &k, int n)
{
    if (b.blue != k.blue)
        return false;
    int shared = 0;
    for (std::uint8_t r : b.red)
        for (std::uint8_t s : k.red)
            if (r == s) {
                ++shared;
                break;
            }
    return shared >= n;
}

GuaranteeIndex::GuaranteeIndex(int n)
    : m_n(std::clamp(n, 1, 6)), m_words(std::size_t(binomial(kReds, m_n)) / 64 + 1), m_bits(256)
{
}

bool GuaranteeIndex::tryKeep(const Bet &bet)
{
    // Banker bets are not ascending; the rule is set membership, so rank the sorted reds.
    std::array<std::uint8_t, 6> v;
    for (int i = 0; i < 6; ++i)
        v[i] = std::uint8_t(std::clamp<int>(bet.red[i], 1, kReds) - 1);
    for (int i = 1; i < 6; ++i)
        for (int j = i; j > 0 && v[j - 1] > v[j]; --j)
            std::swap(v[j - 1], v[j]);

    // Colex rank of a subset {v[t0] < v[t1] < ...}: sum of C(v[tj], j+1).
    std::array<std::array<std::uint32_t, 6>, 6> part;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < m_n; ++j)
            part[i][j] = std::uint32_t(kBinomials.c[v[i]][j + 1]); // v[i] < 33, j + 1 <= 6

    const auto &tuples = kSubsets.bySize[m_n];
    std::array<std::uint32_t, 20> ranks;
    std::vector<std::uint64_t> &bits = m_bits[bet.blue];
    if (bits.empty())
        bits.assign(m_words, 0);
    const std::size_t count = tuples.size();
    for (std::size_t s = 0; s < count; ++s) {
        std::uint32_t rank = 0;
        for (int j = 0; j < m_n; ++j)
            rank += part[tuples[s][j]][j];
        if (bits[rank >> 6] & (std::uint64_t(1) << (rank & 63)))
            return false;
        ranks[s] = rank;
    }
    for (std::size_t s = 0; s < count; ++s)
        bits[ranks[s] >> 6] |= std::uint64_t(1) << (ranks[s] & 63);
    return true;
}

BetListResult reduceByGuarantee(const BetList &list, int n, const ProgressFn &progress)
{
    GuaranteeIndex index(n);
    ProgressTicker ticker(progress, qint64(list.size()));
    BetListResult result;
    BetList &kept = result.bets;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!ticker.tick(qint64(i)))
            return BetListResult::cancelled();
        if (index.tryKeep(list[i]))
            kept.push_back(list[i]);
    }
    if (!ticker.finish())
        return BetListResult::cancelled();
    kept.shrink_to_fit();
    return result;
}

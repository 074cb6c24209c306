#include "core/bets/Guarantee.h"

#include "core/Game.h"
#include "core/Parallel.h"
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
    : m_n(std::clamp(n, 1, 6)),
      m_subsets(kSubsets.bySize[std::size_t(m_n)].size()),
      m_words(std::size_t(binomial(kReds, m_n)) / 64 + 1),
      m_bits(256)
{
}

bool GuaranteeIndex::anyKept(const Bet &bet, const std::vector<std::uint64_t> &bits,
                             std::array<std::uint32_t, 20> &ranks) const
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

    // Ranked one by one, stopping at the first kept: in a long list most bets have one early.
    const auto &tuples = kSubsets.bySize[std::size_t(m_n)];
    for (std::size_t s = 0; s < m_subsets; ++s) {
        std::uint32_t rank = 0;
        for (int j = 0; j < m_n; ++j)
            rank += part[tuples[s][j]][j];
        if (!bits.empty() && bits[rank >> 6] & (std::uint64_t(1) << (rank & 63)))
            return true;
        ranks[s] = rank;
    }
    return false;
}

bool GuaranteeIndex::conflicts(const Bet &bet) const
{
    std::array<std::uint32_t, 20> ranks;
    return anyKept(bet, m_bits[bet.blue], ranks);
}

bool GuaranteeIndex::tryKeep(const Bet &bet)
{
    std::array<std::uint32_t, 20> ranks;
    std::vector<std::uint64_t> &bits = m_bits[bet.blue];
    if (anyKept(bet, bits, ranks))
        return false;
    if (bits.empty())
        bits.assign(m_words, 0);
    for (std::size_t s = 0; s < m_subsets; ++s)
        bits[ranks[s] >> 6] |= std::uint64_t(1) << (ranks[s] & 63);
    return true;
}

BetListResult reduceByGuarantee(const BetList &list, int n, const ProgressFn &progress)
{
    // The kept bets only grow, so a bet that conflicts with the bets kept before its chunk is
    // dropped whatever the chunk holds. The threads test a chunk against those; the keep-first
    // rule then runs in order over what is left. A chunk that left most of its bets sends the
    // next one straight to the rule, as then the test would only add to it; so does one thread.
    constexpr std::size_t kChunk = 1 << 16;
    GuaranteeIndex index(n);
    ProgressTicker ticker(progress, qint64(list.size()));
    BetListResult result;
    BetList &kept = result.bets;
    std::vector<std::vector<std::uint32_t>> left;
    bool testFirst = false; // nothing is kept before the first chunk
    for (std::size_t start = 0; start < list.size(); start += kChunk) {
        const std::size_t end = std::min(list.size(), start + kChunk);
        const Parallel::Split split(end - start, kChunk / 8);
        if (!testFirst || split.blocks() == 1) {
            const std::size_t keptBefore = kept.size();
            for (std::size_t i = start; i < end; ++i) {
                if (!ticker.tick(qint64(i)))
                    return BetListResult::cancelled();
                if (index.tryKeep(list[i]))
                    kept.push_back(list[i]);
            }
            testFirst = kept.size() - keptBefore < (end - start) / 2;
            continue;
        }
        left.resize(split.blocks());
        const bool tested = split.run([&](qint64 done) { return ticker.tick(qint64(start) + done); },
                                      [&](std::size_t block, Parallel::BlockTicker &blockTicker) {
            left[block].clear();
            for (std::size_t i = split.begin(block); i < split.end(block); ++i) {
                if (!blockTicker.tick(i))
                    return false;
                if (!index.conflicts(list[start + i]))
                    left[block].push_back(std::uint32_t(i));
            }
            return true;
        });
        if (!tested)
            return BetListResult::cancelled();
        std::size_t leftCount = 0;
        for (const std::vector<std::uint32_t> &block : left) {
            leftCount += block.size();
            for (std::uint32_t i : block)
                if (index.tryKeep(list[start + i]))
                    kept.push_back(list[start + i]);
        }
        testFirst = leftCount < (end - start) / 2;
    }
    if (!ticker.finish())
        return BetListResult::cancelled();
    kept.shrink_to_fit();
    return result;
}

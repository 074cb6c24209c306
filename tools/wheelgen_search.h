#pragma once
// The searches: a randomised greedy cover to start from, and simulated annealing
// with a fixed number of rows (Nurmela and Östergård): pick an unreached X-subset,
// move one position of a row that misses it by one, accept by the Metropolis rule.
#include "wheelgen_cover.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace wheelgen {

using Clock = std::chrono::steady_clock;

inline Mask randomBit(Mask s, std::mt19937_64 &rng)
{
    int pts[64];
    const int m = bitsOf(s, pts);
    return Mask(1) << pts[rng() % m];
}

inline Mask randomSubset(Mask from, int k, std::mt19937_64 &rng)
{
    Mask out = 0;
    for (int i = 0; i < k; ++i) {
        const Mask b = randomBit(from & ~out, rng);
        out |= b;
    }
    return out;
}

// Drops rows whose every X-subset is reached by another row too.
inline std::vector<Mask> pruned(const Problem &p, std::vector<Mask> rows, std::mt19937_64 &rng)
{
    CoverState st(p);
    for (Mask r : rows)
        st.add(r);
    std::shuffle(rows.begin(), rows.end(), rng);
    std::vector<Mask> kept;
    for (Mask r : rows) {
        bool needed = false;
        p.forReached(r, [&](Mask s) { needed = needed || st.count(s) == 1; });
        if (needed)
            kept.push_back(r);
        else
            st.remove(r);
    }
    return kept;
}

// Adds rows to `rows` (none by default) until every X-subset is reached, each the best
// of `tries` random rows through a random unreached subset.
inline std::vector<Mask> greedyCover(const Problem &p, std::mt19937_64 &rng, int tries = 24,
                                     std::vector<Mask> rows = {})
{
    CoverState st(p);
    for (Mask r : rows)
        st.add(r);
    while (st.unreachedCount() > 0) {
        const Mask target = st.unreached(rng() % st.unreachedCount());
        Mask best = 0;
        long bestGain = -1;
        for (int t = 0; t < tries; ++t) {
            Mask row = randomSubset(target, std::min(p.y, 6), rng);
            // Fill from the target first: those rows tend to reach more neighbours.
            const int fromTarget = int(rng() % (std::min(p.x, 6) - p.y + 1));
            row |= randomSubset(target & ~row, fromTarget, rng);
            row |= randomSubset(p.all() & ~row, 6 - __builtin_popcountll(row), rng);
            long gain = 0;
            p.forReached(row, [&](Mask s) { gain += st.count(s) == 0; });
            if (gain > bestGain) {
                bestGain = gain;
                best = row;
            }
        }
        st.add(best);
        rows.push_back(best);
    }
    return pruned(p, rows, rng);
}

struct AnnealOptions {
    double seconds = 10;
    // Covering costs move in small integers; the temperature falls from t0 to tMin
    // over an attempt. Around T = 0.25 an uphill step of one is taken about one time
    // in fifty, which trials found to work best.
    double t0 = 0.35;
    double tMin = 0.2;
};

// Anneals `rows` (kept at their number) until every X-subset is reached or time runs
// out. Returns the fewest unreached subsets seen and leaves `rows` at that state.
inline std::size_t anneal(const Problem &p, std::vector<Mask> &rows, std::mt19937_64 &rng, const AnnealOptions &o)
{
    CoverState st(p);
    for (Mask r : rows)
        st.add(r);
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(o.seconds));
    // Rows filed under each of their (Y-1)-subsets: a row that misses an unreached
    // P by one position is filed under exactly one (Y-1)-subset of P, so the rows
    // to move are found without scanning them all.
    std::vector<std::vector<std::uint32_t>> filed(binomial(p.n, p.y - 1));
    const auto file = [&](std::uint32_t i, Mask part) { filed[rankOf(part)].push_back(i); };
    const auto unfile = [&](std::uint32_t i, Mask part) {
        auto &v = filed[rankOf(part)];
        *std::find(v.begin(), v.end(), i) = v.back();
        v.pop_back();
    };
    for (std::uint32_t i = 0; i < rows.size(); ++i)
        forSubsets(rows[i], p.y - 1, 0, [&](Mask part) { file(i, part); });
    std::vector<Mask> lose, gain;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    double t = o.t0;
    std::size_t best = st.unreachedCount();
    std::vector<Mask> bestRows = rows;
    for (long it = 0;; ++it) {
        if (st.unreachedCount() == 0)
            return 0;
        if ((it & 255) == 0 && Clock::now() > deadline) {
            rows = bestRows;
            return best;
        }
        const Mask target = st.unreached(rng() % st.unreachedCount());
        std::size_t nearCount = 0;
        forSubsets(target, p.y - 1, 0, [&](Mask part) { nearCount += filed[rankOf(part)].size(); });
        std::uint32_t i = std::uint32_t(rng() % rows.size());
        if (nearCount > 0) {
            std::size_t pick = rng() % nearCount;
            forSubsets(target, p.y - 1, 0, [&](Mask part) {
                const auto &v = filed[rankOf(part)];
                if (pick < v.size() && pick != std::size_t(-1)) {
                    i = v[pick];
                    pick = std::size_t(-1);
                } else if (pick != std::size_t(-1)) {
                    pick -= v.size();
                }
            });
        }
        const Mask row = rows[i];
        const Mask out = randomBit(row & ~target, rng);
        const Mask in = randomBit(target & ~row, rng);
        lose.clear();
        gain.clear();
        long delta = 0;
        p.forChanged(row, (row & ~out) | in, [&](Mask lost, Mask won) {
            lose.push_back(lost);
            gain.push_back(won);
            delta += st.count(lost) == 1;
            delta -= st.count(won) == 0;
        });
        if (delta <= 0 || unit(rng) < std::exp(-double(delta) / t)) {
            for (Mask s : gain)
                st.inc(s);
            for (Mask s : lose)
                st.dec(s);
            forSubsets(row & ~out, p.y - 2, out, [&](Mask part) { unfile(i, part); });
            forSubsets(row & ~out, p.y - 2, in, [&](Mask part) { file(i, part); });
            rows[i] = (row & ~out) | in;
        }
        if (st.unreachedCount() < best) {
            best = st.unreachedCount(); // at most one copy per subset reached
            bestRows = rows;
        }
        // Cool geometrically from t0 to tMin over the attempt: one slow anneal.
        if ((it & 1023) == 0) {
            const double done = std::chrono::duration<double>(Clock::now() - start).count() / o.seconds;
            t = o.t0 * std::pow(o.tMin / o.t0, std::min(1.0, done));
        }
    }
}

} // namespace wheelgen

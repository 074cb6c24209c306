#include "core/bets/WheelVerify.h"

#include "core/Game.h"
#include "core/bets/Combinatorics.h"

#include <cstdint>

namespace {

using Mask = std::uint64_t;

// Colex rank of a set among the sets of its size.
long long rankOf(Mask s)
{
    long long r = 0;
    for (int i = 1; s; ++i) {
        r += static_cast<long long>(binomial(__builtin_ctzll(s), i));
        s &= s - 1;
    }
    return r;
}

// Calls f(base | S) for every k-subset S of `from`.
template <class F>
void forSubsets(Mask from, int k, Mask base, F &&f)
{
    if (k == 0) {
        f(base);
        return;
    }
    while (from) {
        const Mask low = from & (~from + 1);
        from &= from - 1;
        if (__builtin_popcountll(from) < k - 1)
            return;
        forSubsets(from, k - 1, base | low, f);
    }
}

} // namespace

WheelCheck verifyWheel(const std::vector<WheelRow> &rows, int candidateCount, const WheelType &type)
{
    WheelCheck check;
    const int n = candidateCount;
    if (n < 1 || n > Game::kRedBalls) // red candidates are 01..33
        return check;
    const Mask all = (Mask(1) << n) - 1;
    check.subsets = static_cast<long long>(binomial(n, type.hit));

    // Mark every X-subset each row reaches (Y or more of its positions plus any
    // others): far fewer steps than testing every subset against every row.
    std::vector<bool> reached(std::size_t(check.subsets), false);
    for (const WheelRow &r : rows) {
        Mask row = 0;
        bool valid = true;
        for (std::uint8_t p : r) {
            valid = valid && p >= 1 && p <= n && !(row >> (p - 1) & 1);
            if (valid)
                row |= Mask(1) << (p - 1);
        }
        if (!valid)
            continue;
        for (int j = type.keep; j <= 6 && j <= type.hit; ++j)
            forSubsets(row, j, 0, [&](Mask a) {
                forSubsets(all & ~row, type.hit - j, a, [&](Mask s) { reached[std::size_t(rankOf(s))] = true; });
            });
    }
    // Report the first miss in ascending order of the subsets, as a player lists them.
    bool missed = false;
    forSubsets(all, type.hit, 0, [&](Mask s) {
        if (missed || reached[std::size_t(rankOf(s))])
            return;
        missed = true;
        for (int p = 0; p < n; ++p)
            if (s >> p & 1)
                check.firstMissed.push_back(p + 1);
    });
    check.ok = !missed;
    return check;
}

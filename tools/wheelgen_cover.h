#pragma once
// Wheels as covering problems over at most 33 positions held in 64-bit masks. A row
// reaches an X-subset P of the positions when they share at least Y positions; the
// state counts, for every P, how many rows reach it, and keeps the unreached ones in
// a list so the search can pick one at random.
#include "core/bets/Combinatorics.h"

#include <cstdint>
#include <random>
#include <vector>

namespace wheelgen {

using Mask = std::uint64_t;

// Colex rank of a set among the sets of its size.
inline std::uint32_t rankOf(Mask s)
{
    std::uint64_t r = 0;
    int i = 1;
    while (s) {
        r += binomial(__builtin_ctzll(s), i++);
        s &= s - 1;
    }
    return std::uint32_t(r);
}

inline int bitsOf(Mask s, int *out)
{
    int m = 0;
    while (s) {
        out[m++] = __builtin_ctzll(s);
        s &= s - 1;
    }
    return m;
}

// Calls f(base | S) for every k-subset S of the points in `from`.
template <class F>
void forSubsets(Mask from, int k, Mask base, F &&f)
{
    int pts[64];
    const int m = bitsOf(from, pts);
    if (k > m || k < 0)
        return;
    if (k == 0) {
        f(base);
        return;
    }
    int idx[10];
    for (int i = 0; i < k; ++i)
        idx[i] = i;
    for (;;) {
        Mask s = base;
        for (int i = 0; i < k; ++i)
            s |= Mask(1) << pts[idx[i]];
        f(s);
        int i = k - 1;
        while (i >= 0 && idx[i] == m - k + i)
            --i;
        if (i < 0)
            return;
        ++idx[i];
        for (int j = i + 1; j < k; ++j)
            idx[j] = idx[j - 1] + 1;
    }
}

struct Problem {
    int n, x, y;
    Mask all() const { return n == 64 ? ~Mask(0) : (Mask(1) << n) - 1; }
    std::uint64_t subsets() const { return binomial(n, x); }
    // Every X-subset that `row` reaches.
    template <class F>
    void forReached(Mask row, F &&f) const
    {
        for (int j = y; j <= 6 && j <= x; ++j)
            forSubsets(row, j, 0, [&](Mask a) { forSubsets(all() & ~row, x - j, a, f); });
    }
    // When `to` is `from` with one position moved, calls f(lost, won) for every X-subset
    // `from` reaches and `to` does not, paired with one `to` reaches and `from` does not:
    // only X-subsets holding exactly one of the two moved positions change.
    template <class F>
    void forChanged(Mask from, Mask to, F &&f) const
    {
        const Mask out = from & ~to, in = to & ~from;
        forSubsets(from & to, y - 1, 0, [&](Mask a) {
            forSubsets(all() & ~(from | to), x - y, a, [&](Mask s) { f(s | out, s | in); });
        });
    }
};

class CoverState {
public:
    explicit CoverState(const Problem &p) : p_(p), count_(p.subsets(), 0), where_(p.subsets(), -1)
    {
        unreached_.reserve(p.subsets());
        forSubsets(p.all(), p.x, 0, [&](Mask s) { push(s); });
    }

    const Problem &problem() const { return p_; }
    std::size_t unreachedCount() const { return unreached_.size(); }
    Mask unreached(std::size_t i) const { return unreached_[i]; }
    int count(Mask s) const { return count_[rankOf(s)]; }

    void add(Mask row) { p_.forReached(row, [&](Mask s) { inc(s); }); }
    void remove(Mask row) { p_.forReached(row, [&](Mask s) { dec(s); }); }

    void inc(Mask s)
    {
        const auto r = rankOf(s);
        if (count_[r]++ == 0)
            drop(r);
    }
    void dec(Mask s)
    {
        const auto r = rankOf(s);
        if (--count_[r] == 0)
            push(s);
    }

private:
    void push(Mask s)
    {
        where_[rankOf(s)] = std::int32_t(unreached_.size());
        unreached_.push_back(s);
    }
    void drop(std::uint32_t r)
    {
        const std::int32_t at = where_[r];
        const Mask last = unreached_.back();
        unreached_[at] = last;
        where_[rankOf(last)] = at;
        unreached_.pop_back();
        where_[r] = -1;
    }

    Problem p_;
    std::vector<std::uint16_t> count_;
    std::vector<std::int32_t> where_;
    std::vector<Mask> unreached_;
};

inline bool reachesAll(const Problem &p, const std::vector<Mask> &rows)
{
    CoverState st(p);
    for (Mask r : rows)
        st.add(r);
    return st.unreachedCount() == 0;
}

} // namespace wheelgen

#pragma once
// Wheels that a group of permutations maps onto themselves: a wheel is a few base rows
// and every image of each. The annealing then moves base rows, so one move changes a
// whole orbit at once and the search space shrinks by the group's order. Many of the
// smallest known covers are built this way, mostly with shifts x -> x+1 (mod m).
#include "wheelgen_search.h"

#include <array>
#include <limits>
#include <set>

namespace wheelgen {

// A permutation group on the positions, held as all its elements; each element maps a
// row through five byte tables (at most 40 positions).
class PermGroup {
public:
    // x -> a*x + b (mod m) on each of `cycles` runs of m positions from 0 up, for every
    // b and every power of a (the same in every run); the positions after the runs stay
    // where they are.
    static PermGroup affine(int n, int m, int a, int cycles = 1)
    {
        PermGroup g;
        g.n_ = n;
        std::vector<int> powers{1};
        for (int x = a % m; x != 1 && a > 1; x = x * a % m)
            powers.push_back(x);
        for (int mul : powers)
            for (int b = 0; b < m; ++b) {
                std::vector<int> perm(static_cast<std::size_t>(n));
                for (int x = 0; x < n; ++x)
                    perm[std::size_t(x)] = x < m * cycles ? x / m * m + (mul * (x % m) + b) % m : x;
                g.addElement(perm);
            }
        return g;
    }

    std::size_t order() const { return tables_.size(); }
    Mask apply(std::size_t e, Mask row) const
    {
        const auto &t = tables_[e];
        Mask out = 0;
        for (int byte = 0; row; ++byte, row >>= 8)
            out |= t[std::size_t(byte)][row & 0xff];
        return out;
    }

private:
    void addElement(const std::vector<int> &perm)
    {
        std::array<std::array<Mask, 256>, 5> t{};
        for (int byte = 0; byte < 5; ++byte)
            for (int v = 0; v < 256; ++v)
                for (int bit = 0; bit < 8; ++bit) {
                    const int x = byte * 8 + bit;
                    if (v >> bit & 1 && x < n_)
                        t[std::size_t(byte)][std::size_t(v)] |= Mask(1) << perm[std::size_t(x)];
                }
        tables_.push_back(t);
    }
    int n_ = 0;
    std::vector<std::array<std::array<Mask, 256>, 5>> tables_;
};

// The distinct rows of the orbit of `row`.
inline std::vector<Mask> orbitOf(const PermGroup &g, Mask row)
{
    std::vector<Mask> out;
    for (std::size_t e = 0; e < g.order(); ++e)
        out.push_back(g.apply(e, row));
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

inline std::vector<Mask> expandOrbits(const PermGroup &g, const std::vector<Mask> &bases, std::size_t freeFrom)
{
    std::set<Mask> rows;
    for (std::size_t i = 0; i < bases.size(); ++i)
        for (Mask r : i < freeFrom ? orbitOf(g, bases[i]) : std::vector<Mask>{bases[i]})
            rows.insert(r);
    return {rows.begin(), rows.end()};
}

// Which X-subsets a wheel of orbits and free rows reaches. A row g(B) of the orbit of a
// base row B reaches P exactly when B reaches the inverse image of P, so for the orbits
// it is enough to count, per orbit of X-subsets, how often the base rows reach one of
// its members: a move of a base row then costs as much as a move of a single row.
class OrbitCoverState {
public:
    OrbitCoverState(const Problem &p, const PermGroup &g)
        : p_(p), orbitOfSet_(p.subsets(), -1), freeCount_(p.subsets(), 0), where_(p.subsets(), -1)
    {
        forSubsets(p.all(), p.x, 0, [&](Mask s) {
            if (orbitOfSet_[rankOf(s)] >= 0)
                return;
            const int id = int(members_.size());
            members_.emplace_back();
            for (std::size_t e = 0; e < g.order(); ++e) {
                const Mask t = g.apply(e, s);
                const auto r = rankOf(t);
                if (orbitOfSet_[r] < 0) {
                    orbitOfSet_[r] = id;
                    members_.back().push_back({t, r});
                }
            }
        });
        orbitCount_.assign(members_.size(), 0);
        weight_.assign(p.subsets(), 1);
        openWeight_.resize(members_.size());
        for (std::size_t o = 0; o < members_.size(); ++o)
            openWeight_[o] = members_[o].size();
        unreached_.reserve(p.subsets());
        forSubsets(p.all(), p.x, 0, [&](Mask s) { push(s, rankOf(s)); });
    }

    std::size_t unreachedCount() const { return unreached_.size(); }
    Mask unreached(std::size_t i) const { return unreached_[i]; }
    // The sum of the weights of the unreached subsets; every weight starts at one.
    std::uint64_t weightedCount() const { return weighted_; }
    // Makes every subset unreached now weigh one more.
    void raiseUnreached()
    {
        for (Mask s : unreached_) {
            const auto r = rankOf(s);
            ++weight_[r];
            ++openWeight_[std::size_t(orbitOfSet_[r])];
        }
        weighted_ += unreached_.size();
    }

    // How much the weighted count would change if base row `from` became `to`, which
    // differs from it in one position, or the same for a free row. Only X-subsets
    // holding exactly one of the two moved positions change, so this is much cheaper
    // than counting the move and taking it back.
    std::int64_t baseDelta(Mask from, Mask to) const
    {
        // Net change of reach per orbit of X-subsets touched: a few dozen at most.
        touched_.clear();
        const auto touch = [&](std::uint32_t o, int by) {
            for (auto &t : touched_)
                if (t.first == o) {
                    t.second += by;
                    return;
                }
            touched_.push_back({o, by});
        };
        changed(from, to, [&](std::uint32_t lost, std::uint32_t won) {
            touch(std::uint32_t(orbitOfSet_[lost]), -1);
            touch(std::uint32_t(orbitOfSet_[won]), +1);
        });
        std::int64_t delta = 0;
        for (const auto &t : touched_) {
            const std::uint32_t c = orbitCount_[t.first];
            if (c > 0 && std::int64_t(c) + t.second == 0)
                delta += std::int64_t(openWeight_[t.first]);
            else if (c == 0 && t.second > 0)
                delta -= std::int64_t(openWeight_[t.first]);
        }
        return delta;
    }
    std::int64_t freeDelta(Mask from, Mask to) const
    {
        std::int64_t delta = 0;
        changed(from, to, [&](std::uint32_t lost, std::uint32_t won) {
            if (freeCount_[lost] == 1 && orbitCount_[std::size_t(orbitOfSet_[lost])] == 0)
                delta += std::int64_t(weight_[lost]);
            if (freeCount_[won] == 0 && orbitCount_[std::size_t(orbitOfSet_[won])] == 0)
                delta -= std::int64_t(weight_[won]);
        });
        return delta;
    }

    void addBase(Mask b)
    {
        p_.forReached(b, [&](Mask s) {
            const int o = orbitOfSet_[rankOf(s)];
            if (orbitCount_[std::size_t(o)]++ == 0)
                for (const auto &m : members_[std::size_t(o)])
                    if (freeCount_[m.rank] == 0)
                        drop(m.rank);
        });
    }
    void removeBase(Mask b)
    {
        p_.forReached(b, [&](Mask s) {
            const int o = orbitOfSet_[rankOf(s)];
            if (--orbitCount_[std::size_t(o)] == 0)
                for (const auto &m : members_[std::size_t(o)])
                    if (freeCount_[m.rank] == 0)
                        push(m.set, m.rank);
        });
    }
    void addFree(Mask row)
    {
        p_.forReached(row, [&](Mask s) {
            const auto r = rankOf(s);
            if (freeCount_[r] == 0)
                setFree(r, false);
            if (freeCount_[r]++ == 0 && orbitCount_[std::size_t(orbitOfSet_[r])] == 0)
                drop(r);
        });
    }
    void removeFree(Mask row)
    {
        p_.forReached(row, [&](Mask s) {
            const auto r = rankOf(s);
            if (--freeCount_[r] == 0)
                setFree(r, true);
            if (freeCount_[r] == 0 && orbitCount_[std::size_t(orbitOfSet_[r])] == 0)
                push(s, r);
        });
    }

private:
    // f(lost, won) with the ranks of the X-subsets a move changes (Problem::forChanged).
    template <class F>
    void changed(Mask from, Mask to, F &&f) const
    {
        p_.forChanged(from, to, [&](Mask lost, Mask won) { f(rankOf(lost), rankOf(won)); });
    }
    void setFree(std::uint32_t r, bool open)
    {
        if (orbitOfSet_[r] >= 0) {
            auto &w = openWeight_[std::size_t(orbitOfSet_[r])];
            w = open ? w + weight_[r] : w - weight_[r];
        }
    }

    struct Member {
        Mask set;
        std::uint32_t rank;
    };
    void push(Mask s, std::uint32_t r)
    {
        where_[r] = std::int32_t(unreached_.size());
        unreached_.push_back(s);
        weighted_ += weight_[r];
    }
    void drop(std::uint32_t r)
    {
        weighted_ -= weight_[r];
        const std::int32_t at = where_[r];
        const Mask last = unreached_.back();
        unreached_[std::size_t(at)] = last;
        where_[rankOf(last)] = at;
        unreached_.pop_back();
        where_[r] = -1;
    }

    Problem p_;
    std::vector<int> orbitOfSet_;
    std::vector<std::vector<Member>> members_;
    std::vector<std::uint32_t> orbitCount_;
    std::vector<std::uint32_t> freeCount_;
    std::vector<std::int32_t> where_;
    std::vector<Mask> unreached_;
    std::vector<std::uint32_t> weight_;
    std::uint64_t weighted_ = 0;
    // Per orbit of X-subsets, the weight of its members no free row reaches: what the
    // orbit adds to the weighted count while no base row reaches it.
    std::vector<std::uint64_t> openWeight_;
    mutable std::vector<std::pair<std::uint32_t, int>> touched_;
};

// The wheel an orbit search works on: base rows (the orbits' up to `freeFrom`, single
// rows after), the distinct rows each stands for, and what they reach.
class OrbitWheel {
public:
    OrbitWheel(const Problem &p, const PermGroup &g, const std::vector<Mask> &startRows, std::size_t freeFrom)
        : st(p, g), bases(startRows), images(startRows.size()), g_(g), freeFrom_(freeFrom)
    {
        for (std::size_t i = 0; i < bases.size(); ++i) {
            images[i] = imagesOf(i, bases[i]);
            count(i, bases[i], true);
        }
    }
    bool isOrbit(std::size_t i) const { return i < freeFrom_; }
    // Counts base row i as `to` instead of `from`; the wheel itself is unchanged.
    void recount(std::size_t i, Mask from, Mask to)
    {
        count(i, from, false);
        count(i, to, true);
    }
    // The change in the weighted count if row `from` of base i (a row of its orbit)
    // became `to`, without counting the move.
    std::int64_t delta(std::size_t i, Mask from, Mask to) const
    {
        return isOrbit(i) ? st.baseDelta(from, to) : st.freeDelta(from, to);
    }
    // Makes `moved` base row i (its reach must already be counted).
    void take(std::size_t i, Mask moved)
    {
        bases[i] = moved;
        images[i] = imagesOf(i, moved);
    }

    OrbitCoverState st;
    std::vector<Mask> bases;
    // The distinct rows of each orbit, to find the rows that miss a target by one.
    std::vector<std::vector<Mask>> images;

private:
    std::vector<Mask> imagesOf(std::size_t i, Mask b) const
    {
        return isOrbit(i) ? orbitOf(g_, b) : std::vector<Mask>{b};
    }
    void count(std::size_t i, Mask b, bool in)
    {
        if (isOrbit(i))
            in ? st.addBase(b) : st.removeBase(b);
        else
            in ? st.addFree(b) : st.removeFree(b);
    }
    const PermGroup &g_;
    std::size_t freeFrom_;
};

// Anneals `bases` (kept at their number) until their orbits reach every X-subset or
// time runs out. The cost is counted in unreached X-subsets; a step of one orbit of
// them weighs one at the given temperature. Returns the fewest unreached seen.
// The rows from `freeFrom` on are single rows outside any orbit; they mend what the
// orbits leave unreached.
inline std::size_t annealOrbits(const Problem &p, const PermGroup &g, std::vector<Mask> &bases, std::size_t freeFrom,
                                std::mt19937_64 &rng, const AnnealOptions &o)
{
    OrbitWheel w(p, g, bases, freeFrom);
    OrbitCoverState &st = w.st;
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(o.seconds));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    double t = o.t0;
    std::size_t best = st.unreachedCount();
    std::vector<Mask> bestBases = bases;
    for (long it = 0;; ++it) {
        if (st.unreachedCount() == 0) {
            bases = w.bases;
            return 0;
        }
        if ((it & 63) == 0 && Clock::now() > deadline) {
            bases = bestBases;
            return best;
        }
        const Mask target = st.unreached(rng() % st.unreachedCount());
        // A row of some orbit that misses the target by one position, chosen
        // uniformly; the moved row is the orbit's new base.
        std::size_t seen = 0, pickBase = rng() % bases.size();
        Mask row = w.bases[pickBase];
        for (std::size_t i = 0; i < w.images.size(); ++i)
            for (Mask r : w.images[i])
                if (__builtin_popcountll(r & target) == p.y - 1 && rng() % ++seen == 0) {
                    pickBase = i;
                    row = r;
                }
        if ((row & ~target) == 0 || (target & ~row) == 0)
            continue;
        const Mask out = randomBit(row & ~target, rng);
        const Mask in = randomBit(target & ~row, rng);
        const Mask moved = (row & ~out) | in;
        const Mask old = w.bases[pickBase];
        const long before = long(st.unreachedCount());
        w.recount(pickBase, old, moved);
        const long delta = long(st.unreachedCount()) - before;
        const double weight = w.isOrbit(pickBase) ? double(g.order()) : 1.0;
        if (delta <= 0 || unit(rng) < std::exp(-double(delta) / (t * weight))) {
            w.take(pickBase, moved);
            if (st.unreachedCount() < best) {
                best = st.unreachedCount();
                bestBases = w.bases;
            }
        } else {
            w.recount(pickBase, moved, old);
        }
        if ((it & 255) == 0) {
            const double done = std::chrono::duration<double>(Clock::now() - start).count() / o.seconds;
            t = o.t0 * std::pow(o.tMin / o.t0, std::min(1.0, done));
        }
    }
}

// A weighting local search over the same wheels, which gets out of the plateaus where
// annealing stalls on larger problems: every step takes, among all moves that reach a
// random unreached subset, the one that lowers the weighted count most (not moving the
// same orbit again for a few steps), and whenever no move lowers it every unreached
// subset weighs one more. Returns the fewest unreached seen, with `bases` at that state.
inline std::size_t weightedOrbits(const Problem &p, const PermGroup &g, std::vector<Mask> &bases, std::size_t freeFrom,
                                  std::mt19937_64 &rng, double seconds)
{
    OrbitWheel w(p, g, bases, freeFrom);
    OrbitCoverState &st = w.st;
    std::vector<long> movedAt(bases.size(), -1000);
    const long tabu = std::max<long>(2, long(bases.size()) / 10);
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    std::size_t best = st.unreachedCount();
    std::vector<Mask> bestBases = bases;
    for (long it = 0;; ++it) {
        if (st.unreachedCount() == 0) {
            bases = w.bases;
            return 0;
        }
        if ((it & 15) == 0 && Clock::now() > deadline) {
            bases = bestBases;
            return best;
        }
        const Mask target = st.unreached(rng() % st.unreachedCount());
        std::int64_t bestDelta = std::numeric_limits<std::int64_t>::max();
        std::size_t bestBase = 0, ties = 0;
        Mask bestMoved = 0;
        for (std::size_t i = 0; i < w.images.size(); ++i) {
            if (it - movedAt[i] <= tabu)
                continue;
            for (Mask row : w.images[i]) {
                if (__builtin_popcountll(row & target) != p.y - 1)
                    continue;
                Mask outs = row & ~target;
                while (outs) {
                    const Mask out = outs & -outs;
                    outs &= outs - 1;
                    Mask ins = target & ~row;
                    while (ins) {
                        const Mask in = ins & -ins;
                        ins &= ins - 1;
                        const Mask moved = (row & ~out) | in;
                        const std::int64_t delta = w.delta(i, row, moved);
                        if (delta < bestDelta) {
                            bestDelta = delta;
                            ties = 1;
                        } else if (delta > bestDelta || rng() % ++ties != 0) {
                            continue;
                        }
                        bestBase = i;
                        bestMoved = moved;
                    }
                }
            }
        }
        if (bestMoved == 0) {
            st.raiseUnreached();
            continue;
        }
        if (bestDelta >= 0)
            st.raiseUnreached();
        w.recount(bestBase, w.bases[bestBase], bestMoved);
        w.take(bestBase, bestMoved);
        movedAt[bestBase] = it;
        if (st.unreachedCount() < best) {
            best = st.unreachedCount();
            bestBases = w.bases;
        }
    }
}

} // namespace wheelgen

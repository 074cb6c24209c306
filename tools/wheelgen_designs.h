#pragma once
// Wheels from known designs where a search does not reach the optimum: the Steiner
// system S(5,6,12), built as the orbit of one block under PSL(2,11) acting on the
// projective line over GF(11) (points 0..10 and infinity as 11).
#include "wheelgen_cover.h"

#include <set>

namespace wheelgen {

namespace detail {
inline int inv11(int x)
{
    for (int y = 1; y < 11; ++y)
        if (x * y % 11 == 1)
            return y;
    return 0;
}
inline Mask mapBlock(Mask b, int (*f)(int))
{
    Mask out = 0;
    for (int x = 0; x < 12; ++x)
        if (b >> x & 1)
            out |= Mask(1) << f(x);
    return out;
}
inline int shift(int x) { return x == 11 ? 11 : (x + 1) % 11; }
inline int scale(int x) { return x == 11 ? 11 : x * 3 % 11; } // 3 generates the squares
inline int flip(int x) { return x == 11 ? 0 : x == 0 ? 11 : (11 - inv11(x)) % 11; } // -1/x
} // namespace detail

inline std::vector<Mask> orbitUnderPsl211(Mask base)
{
    std::set<Mask> seen{base};
    std::vector<Mask> todo{base};
    while (!todo.empty()) {
        const Mask b = todo.back();
        todo.pop_back();
        for (auto f : {detail::shift, detail::scale, detail::flip}) {
            const Mask c = detail::mapBlock(b, f);
            if (seen.insert(c).second)
                todo.push_back(c);
        }
    }
    return {seen.begin(), seen.end()};
}

// 132 hexads on 12 points, every 5 points in exactly one; empty if not found.
inline std::vector<Mask> steiner5612()
{
    const Problem p{12, 5, 5};
    // Infinity with the quadratic residues mod 11 is the classical base block; the
    // loop only guards against a slip in that memory.
    std::vector<Mask> bases{(Mask(1) << 11) | 0b1000111010};
    forSubsets((Mask(1) << 11) - 1, 5, Mask(1) << 11, [&](Mask b) { bases.push_back(b); });
    for (Mask base : bases) {
        auto rows = orbitUnderPsl211(base);
        if (rows.size() == 132 && reachesAll(p, rows))
            return rows;
    }
    return {};
}

// Wheels of known optimal size that follow from S(5,6,12).
inline std::vector<Mask> knownDesign(const Problem &p)
{
    if (p.n == 12 && ((p.x == 5 && p.y == 5) || (p.x == 7 && p.y == 6))) {
        auto rows = steiner5612();
        if (p.x == 7) // every 7 points hold a hexad: the complements are hexads too
            for (Mask &r : rows)
                r = p.all() & ~r;
        return rows;
    }
    if (p.n == 11 && p.x == 7 && p.y == 6) {
        // The hexads through point 11, less that point, form S(4,5,11); their
        // complements in the 11 points lie inside every 7 points.
        std::vector<Mask> rows;
        for (Mask r : steiner5612())
            if (r >> 11 & 1)
                rows.push_back(p.all() & ~(r & p.all()));
        return rows;
    }
    return {};
}

} // namespace wheelgen

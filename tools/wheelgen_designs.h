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

// The 759 octads of the extended binary Golay code (length 24), from the cyclic
// [23,12] code with generator 1 + x^2 + x^4 + x^5 + x^6 + x^10 + x^11 and a parity
// position 23. Every 5 of the 24 positions lie in exactly one octad: S(5,8,24).
inline std::vector<Mask> golayOctads()
{
    for (Mask g : {Mask(0b110001110101), Mask(0b101011100011)}) {
        std::vector<Mask> octads;
        for (Mask pick = 0; pick < (Mask(1) << 12); ++pick) {
            Mask word = 0;
            for (int i = 0; i < 12; ++i)
                if (pick >> i & 1)
                    word ^= g << i;
            if (__builtin_popcountll(word) % 2)
                word |= Mask(1) << 23;
            if (__builtin_popcountll(word) == 8)
                octads.push_back(word);
        }
        if (octads.size() == 759)
            return octads;
    }
    return {};
}

// A cyclic projective plane of order 5: a 6-subset of Z_31 whose differences are all
// distinct gives 31 lines, every two points on exactly one: S(2,6,31).
inline std::vector<Mask> projectivePlane5()
{
    std::vector<Mask> rows;
    forSubsets((Mask(1) << 31) - 2, 5, 1, [&](Mask d) { // 0 is in the set, by shifting
        if (!rows.empty())
            return;
        int pts[6];
        bitsOf(d, pts);
        Mask diffs = 0;
        for (int a = 0; a < 6; ++a)
            for (int b = 0; b < 6; ++b)
                if (a != b) {
                    const Mask bit = Mask(1) << ((pts[a] - pts[b] + 31) % 31);
                    if (diffs & bit)
                        return;
                    diffs |= bit;
                }
        for (int s = 0; s < 31; ++s) {
            Mask line = 0;
            for (int a = 0; a < 6; ++a)
                line |= Mask(1) << ((pts[a] + s) % 31);
            rows.push_back(line);
        }
    });
    return rows;
}

// Wheels of known optimal size that follow from Steiner systems.
inline std::vector<Mask> knownDesign(const Problem &p)
{
    if ((p.n == 22 || p.n == 21) && p.x == 3 && p.y == 3) {
        // S(3,6,22): the octads through positions 22 and 23, less those two. Over 21
        // the same rows less position 21 still hold every three of the others; the
        // rows that held it take the lowest position they lack instead.
        std::vector<Mask> rows;
        const Mask pair = Mask(3) << 22;
        for (Mask o : golayOctads())
            if ((o & pair) == pair) {
                Mask r = o & ~pair;
                if (p.n == 21 && r >> 21 & 1) {
                    const Mask lacked = ~r & p.all();
                    r = (r & p.all()) | (lacked & -lacked);
                }
                rows.push_back(r);
            }
        return rows;
    }
    if (p.n == 31 && p.x == 2 && p.y == 2)
        return projectivePlane5();
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

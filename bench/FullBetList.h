#pragma once
// The full-scale bet list of the bet benchmarks: 33 reds and 16 blues make 17,721,088 bets,
// generated once per program.
#include "core/bets/Generation.h"

#include <numeric>
#include <vector>

// The balls 1 .. last.
inline std::vector<int> balls(int last)
{
    std::vector<int> v(std::size_t(last), 0);
    std::iota(v.begin(), v.end(), 1);
    return v;
}

inline const BetList &fullList()
{
    static const BetList list = generateAllCombinations(balls(33), balls(16)).bets;
    return list;
}

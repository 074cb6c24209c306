#pragma once
// Binomial coefficients for the small sets of this program: candidates, wheel positions and
// the subsets of a bet's reds. Read from a table made at compile time, so the ranking loops
// of the guarantee index and the wheel tools can call it per subset.
#include <cstdint>

inline constexpr int kBinomialMaxN = 64; // a 64-bit mask of positions
inline constexpr int kBinomialMaxK = 9;

struct BinomialTable {
    std::uint64_t c[kBinomialMaxN + 1][kBinomialMaxK + 1] = {};
    constexpr BinomialTable()
    {
        for (int n = 0; n <= kBinomialMaxN; ++n) {
            c[n][0] = 1;
            for (int k = 1; k <= kBinomialMaxK && k <= n; ++k)
                c[n][k] = c[n - 1][k - 1] + c[n - 1][k];
        }
    }
};
inline constexpr BinomialTable kBinomials{};

// C(n, k); 0 when k < 0 or k > n, and outside the table (n > 64 or k > 9), which no caller needs.
constexpr std::uint64_t binomial(int n, int k)
{
    if (n < 0 || k < 0 || k > n || n > kBinomialMaxN || k > kBinomialMaxK)
        return 0;
    return kBinomials.c[n][k];
}

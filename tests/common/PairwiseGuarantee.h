#pragma once
// The keep-first guarantee rule done the slow, obvious way: every bet is compared, as row
// text, with every bet kept before it. The program's indexed reducer must agree with it.
#include "core/bets/Bet.h"
#include "core/bets/BetText.h"

#include <string>
#include <vector>

namespace pairwise {

// b's reds are found in k's red part (characters 1-17) by text search; blues compared as text.
inline bool conflicts(const std::string &b, const std::string &k, int n)
{
    if (b[17] != k[17] || b[18] != k[18])
        return false;
    int shared = 0;
    for (int i = 0; i < 6; ++i) {
        const std::size_t at = k.find(b.data() + 3 * i, 0, 2);
        if (at != std::string::npos && at + 2 <= 17) // inside the red part
            ++shared;
    }
    return shared >= n;
}

inline BetList reduce(const BetList &list, int n)
{
    std::vector<std::string> keptRows;
    BetList kept;
    for (const Bet &bet : list) {
        const std::string row = betRowText(bet).toStdString();
        bool dropped = false;
        for (const std::string &k : keptRows)
            if (conflicts(row, k, n)) {
                dropped = true;
                break;
            }
        if (!dropped) {
            keptRows.push_back(row);
            kept.push_back(bet);
        }
    }
    return kept;
}

} // namespace pairwise

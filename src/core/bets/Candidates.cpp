#include "bets/Candidates.h"

Candidates CollectCandidates(const std::array<bool, 33> &redSelected, const std::array<bool, 16> &blueSelected,
                             BetMethod method)
{
    Candidates c;
    for (int k = 1; k <= 33; ++k)
        if (redSelected[k - 1])
            c.reds.push_back(k);
    for (int k = 1; k <= 16; ++k)
        if (blueSelected[k - 1])
            c.blues.push_back(k);
    if (c.reds.size() < 6 && method == BetMethod::AllCombinations)
        c.message = kTooFewRedsMessage;
    else if (c.blues.empty())
        c.message = kNoBlueMessage;
    return c;
}

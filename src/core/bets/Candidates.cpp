#include "core/bets/Candidates.h"

Candidates collectCandidates(const std::array<bool, Game::kRedBalls> &redSelected, const std::array<bool, Game::kBlueBalls> &blueSelected,
                             BetMethod method)
{
    Candidates c;
    for (int k = 1; k <= Game::kRedBalls; ++k)
        if (redSelected[k - 1])
            c.reds.push_back(k);
    for (int k = 1; k <= Game::kBlueBalls; ++k)
        if (blueSelected[k - 1])
            c.blues.push_back(k);
    if (c.reds.size() < Game::kRedsPerBet && method == BetMethod::AllCombinations)
        c.message = kTooFewRedsMessage;
    else if (c.blues.empty())
        c.message = kNoBlueMessage;
    return c;
}

BankerPick buildBankerText(const std::array<bool, Game::kRedBalls> &picked)
{
    BankerPick pick;
    for (int i = 0; i < Game::kRedBalls; ++i) {
        const int ball = (i + 5) % Game::kRedBalls + 1; // 06, 07, ..., 33, 01, ..., 05
        if (picked[std::size_t(ball - 1)])
            pick.text += QStringLiteral("%1 ").arg(ball, 2, 10, QLatin1Char('0'));
    }
    pick.accepted = pick.text.size() < 16;
    return pick;
}

#pragma once
// The game itself: six distinct reds out of 01..33 and one blue out of 01..16 make a bet
// and a draw, and a ticket's prize follows from how many reds and whether the blue match.
// Every check of a ball, a bet or a prize reads its limits from here.

namespace Game {

inline constexpr int kRedBalls = 33;   // reds are 01..33
inline constexpr int kBlueBalls = 16;  // blues are 01..16
inline constexpr int kRedsPerBet = 6;  // distinct reds in a bet and in a draw
inline constexpr int kPrizeLevels = 6; // 一等奖 .. 六等奖

// The prize level (1 = first) for red hits 0..6 and the blue missed or hit; 0 is no prize.
inline constexpr int kPrizeTable[kRedsPerBet + 1][2] = {
    {0, 6}, {0, 6}, {0, 6}, {0, 5}, {5, 4}, {4, 3}, {2, 1}};

constexpr int prizeFor(int redHits, bool blueHit)
{
    return redHits < 0 || redHits > kRedsPerBet ? 0 : kPrizeTable[redHits][blueHit ? 1 : 0];
}

// Yuan per winning bet of the third to sixth prize; the first and second are shares of the
// pool, known only from the draw's notice (0 here).
inline constexpr int kFixedPrizeYuan[kPrizeLevels] = {0, 0, 3000, 200, 10, 5};
inline constexpr int kBetPriceYuan = 2;

} // namespace Game

#pragma once
// The game itself: six distinct reds out of 01..33 and one blue out of 01..16 make a bet
// and a draw, at 2 yuan a bet. Every check of a ball or a bet reads its limits from here; the
// prize a bet wins follows from core/prize/PrizeRules.h.

namespace Game {

inline constexpr int kRedBalls = 33;   // reds are 01..33
inline constexpr int kBlueBalls = 16;  // blues are 01..16
inline constexpr int kRedsPerBet = 6;  // distinct reds in a bet and in a draw
inline constexpr int kBetPriceYuan = 2;

} // namespace Game

#pragma once
// One bet in 8 bytes: six reds in the order the generator produced them, the blue,
// and a spare byte. Lists of bets are plain std::vector<Bet>.
#include <cstdint>
#include <vector>

struct Bet {
    std::uint8_t red[6];
    std::uint8_t blue;
    std::uint8_t spare;
};
static_assert(sizeof(Bet) == 8, "a bet must stay 8 bytes");

using BetList = std::vector<Bet>;

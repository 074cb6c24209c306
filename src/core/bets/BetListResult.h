#pragma once
// What a routine that makes a bet list hands back: how it ended and, when it ended ok, the list.
// A cancelled or refused routine hands back an empty list.
#include "core/Outcome.h"
#include "core/bets/Bet.h"

struct BetListResult {
    Outcome outcome;
    BetList bets;

    static BetListResult cancelled() { return {Outcome::cancelled(), {}}; }
    static BetListResult refused(const QString &text) { return {Outcome::refused(text), {}}; }
};

#pragma once
// Guarantee-N sets: no two kept bets with the same blue share N or more reds. Bets are
// taken in list order and the earlier of two conflicting bets always wins.
#include "core/bets/Bet.h"
#include "core/bets/BetListResult.h"
#include "core/bets/Progress.h"

// True when b and k have the same blue and at least n of b's reds occur among k's reds.
bool conflictTest(const Bet &b, const Bet &k, int n);

// The kept bets indexed by the n-subsets of their reds, one bit table per blue, so a bet
// conflicts exactly when one of its C(6,n) subsets is already there. Same verdicts as testing
// the bet against every kept bet, in time independent of how many were kept.
class GuaranteeIndex {
public:
    explicit GuaranteeIndex(int n); // 1..6
    // Keeps the bet and returns true unless it conflicts with a bet kept before.
    bool tryKeep(const Bet &bet);

private:
    int m_n;
    std::size_t m_words;
    std::vector<std::vector<std::uint64_t>> m_bits; // by blue, allocated on first use
};

// The bets of list that the keep-first rule keeps, in order; or cancelled.
BetListResult reduceByGuarantee(const BetList &list, int n, const ProgressFn &progress = {});

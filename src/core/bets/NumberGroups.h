#pragma once
// Number groups (号码组): up to five sets of red balls, each with the fewest and most of its
// balls a kept bet may hold. 0..0 excludes the balls, 1..6 requires at least one of them.
// Groups are strict: 容错 counts only the seventeen conditions, never a group.
#include "core/Outcome.h"
#include "core/bets/Bet.h"

#include <QString>
#include <array>
#include <cstdint>

inline constexpr int kNumberGroupCount = 5;
inline constexpr int kNumberGroupMaxCount = 6; // a bet holds six reds

// What one row of "号码组过滤" holds. A row is used when its ball text is not blank.
struct NumberGroupSetting {
    QString balls; // "03 07 11 19": blanks, commas or 、 between the balls
    int minimum = 0;
    int maximum = kNumberGroupMaxCount;
};
using NumberGroupSettings = std::array<NumberGroupSetting, kNumberGroupCount>;

// One used group: bit k of mask is red ball k (1..33).
struct NumberGroup {
    std::uint64_t mask = 0;
    int minimum = 0;
    int maximum = kNumberGroupMaxCount;
};

// The used groups, in row order, and the same groups as one table for the filter pass: per
// ball, a byte lane per group holding 1 when the ball is in it, so the six reds' words add up
// to every group's count at once and one lane-wise range test checks them all.
struct NumberGroups {
    std::array<NumberGroup, kNumberGroupCount> group{};
    int count = 0;
    std::array<std::uint64_t, 64> lanes{}; // by ball
    std::uint64_t lower = 0;               // the minimum of group i in byte i; unused lanes 0..0
    std::uint64_t upper = 0;

    bool empty() const { return count == 0; }
    // Appends a group (count < kNumberGroupCount).
    void add(const NumberGroup &g);
    // Every used group holds between its minimum and maximum of the bet's reds.
    bool admit(const Bet &bet) const;
};

inline bool NumberGroups::admit(const Bet &bet) const
{
    if (count == 0)
        return true;
    std::uint64_t n = 0;
    for (int i = 0; i < 6; ++i)
        n += lanes[bet.red[i] & 63];
    // Lanes hold at most 6, below their top bit, so neither difference borrows across lanes and
    // each keeps its top bit exactly when its bound holds.
    constexpr std::uint64_t top = 0x8080808080808080ull;
    return ((((n | top) - lower) & ((upper | top) - n)) & top) == top;
}

// A row with no balls and its counts at 0..6 takes no part in the filter.
bool isUnusedNumberGroup(const NumberGroupSetting &setting);

// Reads one row (row counts from 1 in the message): refused when it names no ball, holds a
// token that is not a ball, a ball outside 1..33 or twice, a count outside 0..6 or a minimum
// above its maximum. group is left as it was unless the row is read.
Outcome parseNumberGroup(const NumberGroupSetting &setting, int row, NumberGroup &group);

// Reads the used rows; the first bad row is refused, naming it ("号码组2：..."), and groups is
// left as it was. A row with no balls but other counts than 0..6 is refused, as its counts
// would apply to nothing.
Outcome parseNumberGroups(const NumberGroupSettings &settings, NumberGroups &groups);

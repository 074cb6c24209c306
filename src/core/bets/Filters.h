#pragma once
// The seventeen filter conditions. Values are computed on the six reds as they stand in the
// bet, position by position (banker bets are not ascending); the blue takes no part.
#include "core/Outcome.h"
#include "core/bets/Bet.h"
#include "core/bets/BetListResult.h"
#include "core/bets/NumberGroups.h"
#include "core/bets/Progress.h"

#include <QString>
#include <array>

// In the order the conditions are tested (and the rows of the betting tab stand).
enum class Condition {
    Sum,         // 红球总和
    Odd,         // 奇数个数
    Small,       // 小号个数 (1-11)
    Middle,      // 中号个数 (12-22)
    Big,         // 大号个数 (23-33)
    Prime,       // 质数个数 (1 counted)
    Consecutive, // 连号个数
    Ac,          // AC值
    TailSum,     // 尾数和
    Span,        // 极号差
    Ends,        // 极号和
    Red1,        // 红球1 .. 红球6: the red at that position of the bet
    Red2,
    Red3,
    Red4,
    Red5,
    Red6,
};
inline constexpr int kConditionCount = 17;
static_assert(int(Condition::Red6) == kConditionCount - 1, "one condition per filter row");

// The condition of the red at position 0..5.
constexpr Condition redCondition(int position) { return Condition(int(Condition::Red1) + position); }

// One T per condition, indexed by Condition (or by its position in loops over all of them).
template <class T>
struct PerCondition : std::array<T, kConditionCount> {
    using std::array<T, kConditionCount>::operator[];
    T &operator[](Condition c) { return (*this)[std::size_t(c)]; }
    const T &operator[](Condition c) const { return (*this)[std::size_t(c)]; }
};

// What the program knows of a condition; the betting tab names its own controls.
struct FilterCondition {
    const char *caption;   // "红球总和"
    const char *key;       // "sum": the short name the command line accepts
    int firstItem;         // items of both bound boxes: firstItem..lastItem
    int lastItem;
    int defaultLower;
    int defaultUpper;
};

// In the order the conditions are tested.
extern const PerCondition<FilterCondition> kFilterConditions;

// Index of a caption or short name in kFilterConditions, or -1.
int filterConditionIndex(const QString &captionOrKey);

// Runs of consecutive reds by position, by the stepwise rule of the betting tab: 0..5.
int countConsecutive(const std::uint8_t *reds);
inline int countConsecutive(const Bet &bet) { return countConsecutive(bet.red); }

// The seventeen values of a bet.
PerCondition<int> conditionValues(const Bet &bet);

// What the boxes of one condition hold.
struct FilterSetting {
    bool ticked = false;
    QString lower;
    QString upper;
};

// The highest tolerance "容错" offers: a bet may fail up to this many ticked conditions.
inline constexpr int kMaxFilterTolerance = 3;

struct FilterSettings : PerCondition<FilterSetting> {
    int tolerance = 0; // 容错: how many ticked conditions a kept bet may fail
    NumberGroupSettings groups; // 号码组过滤: strict, whatever the tolerance
};

// The settings at start: nothing ticked, every box at its default.
FilterSettings defaultFilterSettings();

struct FilterBounds {
    PerCondition<bool> on{};
    PerCondition<int> lower{};
    PerCondition<int> upper{};
    int tolerance = 0; // a bet passes when at most this many ticked conditions fail it
    NumberGroups groups; // and every used number group admits it
};

// Reads every ticked bound, the tolerance and the number groups; the first bound that is not a
// whole number is refused, naming its condition, then the first bad group, naming its row.
Outcome parseFilterBounds(const FilterSettings &settings, FilterBounds &bounds);

// How many ticked conditions bet fails (0 when it meets them all).
int failedConditionCount(const Bet &bet, const FilterBounds &bounds);

// At most bounds.tolerance ticked conditions fail bet (none at tolerance 0 or below), and every
// number group admits it.
bool passesFilters(const Bet &bet, const FilterBounds &bounds);

// The bets of list that pass, in order; or cancelled. One pass over the list: at tolerance 0 a
// bet is dropped at its first failing condition, above it the failures are counted. The number
// groups are tested first, apart from the conditions.
BetListResult filterBets(const BetList &list, const FilterBounds &bounds, const ProgressFn &progress = {});

inline const QString kWheelFilterMessage =
    QStringLiteral("投注结果进行旋转矩阵后不能再进行缩水，否则无法得到正确的结果！");

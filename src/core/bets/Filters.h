#pragma once
// The seventeen filter conditions. Values are computed on the six reds as they stand in the
// bet, position by position (banker bets are not ascending); the blue takes no part.
#include "core/Outcome.h"
#include "core/bets/Bet.h"
#include "core/bets/BetListResult.h"
#include "core/bets/Progress.h"

#include <QString>
#include <array>

inline constexpr int kConditionCount = 17;

struct FilterCondition {
    const char *caption;   // "红球总和"
    const char *key;       // "sum": the short name the command line accepts
    const char *checkBox;  // control names of the betting tab
    const char *lowerBox;
    const char *upperBox;
    int firstItem;         // items of both bound boxes: firstItem..lastItem
    int lastItem;
    int defaultLower;
    int defaultUpper;
};

// In the order the conditions are tested.
extern const std::array<FilterCondition, kConditionCount> kFilterConditions;

// Index of a caption or short name in kFilterConditions, or -1.
int filterConditionIndex(const QString &captionOrKey);

// Runs of consecutive reds by position, by the stepwise rule of the betting tab: 0..5.
int CountConsecutive(const std::uint8_t *reds);
inline int CountConsecutive(const Bet &bet) { return CountConsecutive(bet.red); }

// The seventeen values of a bet, in condition order.
std::array<int, kConditionCount> conditionValues(const Bet &bet);

// What the boxes of one condition hold.
struct FilterSetting {
    bool ticked = false;
    QString lower;
    QString upper;
};
using FilterSettings = std::array<FilterSetting, kConditionCount>;

// The settings at start: nothing ticked, every box at its default.
FilterSettings defaultFilterSettings();

struct FilterBounds {
    std::array<bool, kConditionCount> on{};
    std::array<int, kConditionCount> lower{};
    std::array<int, kConditionCount> upper{};
};

// Reads every ticked bound; the first that is not a whole number is refused, naming its condition.
Outcome parseFilterBounds(const FilterSettings &settings, FilterBounds &bounds);

bool passesFilters(const Bet &bet, const FilterBounds &bounds);

// The bets of list that no ticked condition rejects, in order; or cancelled.
BetListResult FilterBets(const BetList &list, const FilterBounds &bounds, const ProgressFn &progress = {});

inline const QString kWheelFilterMessage =
    QStringLiteral("投注结果进行旋转矩阵后不能再进行缩水，否则无法得到正确的结果！");

#pragma once
// The balls a generation works from: the selected toggles, each colour in ascending order.
#include "core/Game.h"
#include <QString>
#include <array>
#include <vector>

enum class BetMethod {
    AllCombinations, // "全排组合"
    BankerDrag,      // "拖胆组合"
    Wheel,           // "旋转矩阵"
};

struct Candidates {
    std::vector<int> reds;  // 1..33, ascending
    std::vector<int> blues; // 1..16, ascending
    QString message;        // at most one warning; the generation goes on after it
};

// redSelected[k-1] / blueSelected[k-1] tell whether ball k is selected.
Candidates collectCandidates(const std::array<bool, Game::kRedBalls> &redSelected, const std::array<bool, Game::kBlueBalls> &blueSelected,
                             BetMethod method);

inline const QString kTooFewRedsMessage = QStringLiteral("您选择的红球号码少于六位，请重新选择！");
inline const QString kNoBlueMessage = QStringLiteral("您选择的篮球号码少于一位，请重新选择！");

// The banker picker's "确定": the picked balls in the picker's panel order, 06 to 33 and then
// 01 to 05, each as two digits and a blank. More than five is refused, but the text still
// holds them: closing the picker by its title bar hands that text on.
struct BankerPick {
    QString text;
    bool accepted = true;
};
BankerPick buildBankerText(const std::array<bool, Game::kRedBalls> &picked);

inline const QString kTooManyBankersMessage = QStringLiteral("胆号个数不能超过5个,请重新选择!");

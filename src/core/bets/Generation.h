#pragma once
// Turning the candidates into bets: all combinations (optionally guarantee-N), banker plus
// drag, or the rows of a wheeling matrix.
#include "core/Outcome.h"
#include "core/bets/Bet.h"
#include "core/bets/BetListResult.h"
#include "core/bets/Candidates.h"
#include "core/bets/Progress.h"
#include "core/bets/WheelMatrix.h"

#include <QString>

struct GenerationRequest {
    BetMethod method = BetMethod::AllCombinations;
    int guaranteeN = 0;     // 2..5: the "保号投注" choice for all combinations; 0 when not ticked
    QString bankerText;     // two-digit bankers each followed by a blank, e.g. "10 03 "
    int wheelTypeIndex = 1; // position in kWheelTypes; -1 when the box holds no entry
    QString programDir;     // holds Matrix/
};

// Ok with the bets; refused with the message to show; cancelled. Not ok means no bets.
using GenerationResult = BetListResult;

GenerationResult generateBets(const GenerationRequest &request, const Candidates &candidates,
                              const ProgressFn &progress = {});

// The steps, for callers and tests that bring their own inputs.
// Index tuples in lexicographic order, blue innermost; guaranteeN 2..5 applies the keep-first rule.
GenerationResult generateAllCombinations(const std::vector<int> &reds, const std::vector<int> &blues,
                                               int guaranteeN = 0, const ProgressFn &progress = {});
GenerationResult generateBankerDrag(const QString &bankerText, const std::vector<int> &reds,
                                    const std::vector<int> &blues, const ProgressFn &progress = {});
// Blue outer, matrix rows inner; rows hold 1-based positions in reds.
GenerationResult generateFromWheel(const std::vector<WheelRow> &rows, const std::vector<int> &reds,
                                   const std::vector<int> &blues, const ProgressFn &progress = {});

inline const QString kNoBankerMessage =
    QStringLiteral("选择拖胆组合后胆的数量不能少于1个，请重新选择胆或者选择其他投注方式！");
// Our own: the picker never produces these, but a banker text may come from elsewhere.
inline const QString kBadBankerMessage = QStringLiteral("胆号必须是01至33之间互不相同的号码，请重新选择胆！");
inline const QString kBadWheelRowMessage = QStringLiteral("旋转矩阵文件有误，其中的位置超出了侯选号码的个数！");

#pragma once
// The two bet lists of the betting tab and the operations on them. Every operation works on
// new lists and swaps them in only when it finishes, so a cancelled one changes nothing.
// The current list shares the generated list's storage until it is changed on its own:
// 17,721,088 bets are 142 MB, and a copy that is never written need not exist twice.
#include "core/Outcome.h"
#include "core/bets/Bet.h"
#include "core/bets/Candidates.h"
#include "core/bets/Filters.h"
#include "core/bets/Generation.h"
#include "core/bets/Progress.h"

#include <array>
#include <memory>

struct EngineResult {
    Outcome outcome;        // refused: ok false with the message to show
    bool cancelled = false; // the lists are as they were
    QString warning;        // a generation's candidate message, shown before it goes on
};

class BetEngine {
public:
    BetEngine();

    const BetList &generated() const { return *m_generated; }
    const BetList &current() const { return *m_current; }

    // "开始投注": collects the candidates and replaces both lists, also when refused.
    EngineResult generate(const std::array<bool, 33> &redSelected, const std::array<bool, 16> &blueSelected,
                          const GenerationRequest &request, const ProgressFn &progress = {});
    // "条件过滤": the generated list, filtered, becomes the current list. methodNow is the
    // method chosen on the tab at the time; a wheel refuses.
    EngineResult filter(BetMethod methodNow, const FilterSettings &settings, const ProgressFn &progress = {});
    // "保N号缩水" on the current list.
    EngineResult reduce(int n, const ProgressFn &progress = {});
    // "删除选中行" of bet b (1-based); false when b names no bet.
    bool deleteBet(qint64 b);

private:
    std::shared_ptr<const BetList> m_generated;
    std::shared_ptr<const BetList> m_current;
};

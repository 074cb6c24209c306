#pragma once
// The two bet lists of the betting tab and the operations on them.
//
// Each operation comes in two steps. listsAfter*() is a pure function of a snapshot of the lists
// and its inputs: it reads the lists only through shared_ptr<const BetList>, writes nothing
// shared, and so may run on any thread (the window runs it on a worker). BetEngine::apply()
// then installs what it produced; it runs on the thread that owns the engine (the UI thread),
// so nothing reading current() ever sees a list change under it. A result that is cancelled,
// or refused without lists to install, changes nothing.
//
// The current list shares the generated list's storage until it is changed on its own:
// 17,721,088 bets are 142 MB, and a copy that is never written need not exist twice.
#include "core/Game.h"
#include "core/Outcome.h"
#include "core/bets/Bet.h"
#include "core/bets/Candidates.h"
#include "core/bets/Filters.h"
#include "core/bets/Generation.h"
#include "core/bets/Progress.h"

#include <array>
#include <memory>

// The two lists as they stand at one moment. Copying it copies two pointers.
struct BetLists {
    std::shared_ptr<const BetList> generated;
    std::shared_ptr<const BetList> current;
};

struct EngineResult {
    Outcome outcome;
    QString warning; // a generation's candidate message, shown before its outcome
    BetLists lists;  // what apply() installs; both null when it installs nothing

    bool installs() const { return lists.generated && lists.current; }
};

// Each listsAfter*() runs the list function of its operation on the right list of the snapshot
// and says which lists would stand afterwards:
//   listsAfterGeneration  generateBets       (a new generated list, also the current one)
//   listsAfterFilter      filterBets         (on the generated list; gives the current one)
//   listsAfterReduction   reduceByGuarantee  (on the current list)
//   listsAfterDeletion    the bet removed    (from the current list; eraseBet does it in place)
//
// Millions of bets may not fit in memory. Every listsAfter*() below that runs out hands back a
// failure with this text and nothing to install, so both lists stay as they were.
inline const QString kOutOfMemoryMessage =
    QStringLiteral("内存不足，无法完成这次计算，原有的投注号码没有改变。请减少侯选号码或者关闭其他程序后重试！");

// "开始投注": collects the candidates and makes the generated list, which is also the current
// one. A refused generation still installs two empty lists.
EngineResult listsAfterGeneration(const std::array<bool, Game::kRedBalls> &redSelected, const std::array<bool, Game::kBlueBalls> &blueSelected,
                                  const GenerationRequest &request, const ProgressFn &progress = {});
// "条件过滤": the generated list of from, filtered, becomes the current list. methodNow is the
// method chosen on the tab at the time; a wheel is refused, and so is a bound that is not a number
// or a bad number group. A kept bet fails at most settings.tolerance (容错) of the ticked
// conditions and meets every number group.
EngineResult listsAfterFilter(const BetLists &from, BetMethod methodNow, const FilterSettings &settings,
                              const ProgressFn &progress = {});
// "保N号缩水" on the current list of from.
EngineResult listsAfterReduction(const BetLists &from, int n, const ProgressFn &progress = {});
// "删除选中行" of bet b (1-based) of the current list; a b that names no bet installs nothing.
EngineResult listsAfterDeletion(const BetLists &from, qint64 b);

class BetEngine {
public:
    BetEngine();

    const BetList &generated() const { return *m_lists.generated; }
    const BetList &current() const { return *m_lists.current; }
    // What a worker computes from. Take it on the engine's thread.
    BetLists lists() const { return m_lists; }

    // Installs the lists of a finished computation; returns r for the caller to show.
    const EngineResult &apply(const EngineResult &r);

    // Compute and apply in one call on the engine's thread, for the command line and tests.
    EngineResult generate(const std::array<bool, Game::kRedBalls> &redSelected, const std::array<bool, Game::kBlueBalls> &blueSelected,
                          const GenerationRequest &request, const ProgressFn &progress = {});
    EngineResult filter(BetMethod methodNow, const FilterSettings &settings, const ProgressFn &progress = {});
    EngineResult reduce(int n, const ProgressFn &progress = {});
    // Deletes bet b (1-based) of the current list, in place when nothing else holds it. Refused
    // (without a text) when b names no bet; failed with kOutOfMemoryMessage when the copy the
    // deletion needs does not fit, the list unchanged.
    Outcome deleteBet(qint64 b);

private:
    BetLists m_lists;
};

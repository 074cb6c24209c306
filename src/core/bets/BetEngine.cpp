#include "core/bets/BetEngine.h"

#include "core/bets/Guarantee.h"
#include "core/bets/Paging.h"

#include <algorithm>
#include <new>

namespace {

std::shared_ptr<const BetList> share(BetList &&list)
{
    return std::make_shared<BetList>(std::move(list));
}

// A result that keeps from's generated list and installs current beside it.
EngineResult withCurrent(const BetLists &from, BetListResult &&made)
{
    EngineResult r;
    r.outcome = made.outcome;
    if (made.outcome.ok())
        r.lists = {from.generated, share(std::move(made.bets))};
    return r;
}

// Runs one computation; an allocation that fails anywhere in it ends it with a failure that
// installs nothing. What it had made so far is freed as the exception unwinds.
template <typename Compute>
EngineResult unlessOutOfMemory(Compute &&compute)
{
    try {
        return compute();
    } catch (const std::bad_alloc &) {
        EngineResult r;
        r.outcome = Outcome::failed(kOutOfMemoryMessage);
        return r;
    }
}

} // namespace

EngineResult listsAfterGeneration(const std::array<bool, Game::kRedBalls> &redSelected, const std::array<bool, Game::kBlueBalls> &blueSelected,
                                  const GenerationRequest &request, const ProgressFn &progress)
{
    return unlessOutOfMemory([&]() -> EngineResult {
        const Candidates candidates = collectCandidates(redSelected, blueSelected, request.method);
        GenerationResult g = generateBets(request, candidates, progress);
        EngineResult r;
        r.warning = candidates.message;
        r.outcome = g.outcome;
        if (g.outcome.isCancelled())
            return r;
        // A refused generation still empties both lists.
        const std::shared_ptr<const BetList> bets = share(std::move(g.bets));
        r.lists = {bets, bets};
        return r;
    });
}

EngineResult listsAfterFilter(const BetLists &from, BetMethod methodNow, const FilterSettings &settings,
                              const ProgressFn &progress)
{
    return unlessOutOfMemory([&]() -> EngineResult {
        EngineResult r;
        if (methodNow == BetMethod::Wheel) {
            r.outcome = Outcome::refused(kWheelFilterMessage);
            return r;
        }
        FilterBounds bounds;
        r.outcome = parseFilterBounds(settings, bounds);
        if (!r.outcome.ok())
            return r;
        int ticked = 0;
        for (bool on : bounds.on)
            ticked += on;
        // With no more ticked conditions than the tolerance, no bet can fail too many.
        if (ticked <= std::max(bounds.tolerance, 0) && bounds.groups.empty()) {
            r.lists = {from.generated, from.generated};
            return r;
        }
        return withCurrent(from, filterBets(*from.generated, bounds, progress));
    });
}

EngineResult listsAfterReduction(const BetLists &from, int n, const ProgressFn &progress)
{
    return unlessOutOfMemory([&]() -> EngineResult {
        return withCurrent(from, reduceByGuarantee(*from.current, n, progress));
    });
}

EngineResult listsAfterDeletion(const BetLists &from, qint64 b)
{
    return unlessOutOfMemory([&]() -> EngineResult {
        const BetList &list = *from.current;
        if (b < 1 || b > qint64(list.size()))
            return {}; // removes nothing, and that is no error

        BetList kept;
        kept.reserve(list.size() - 1);
        kept.insert(kept.end(), list.begin(), list.begin() + (b - 1));
        kept.insert(kept.end(), list.begin() + b, list.end());
        return withCurrent(from, {Outcome::success(), std::move(kept)});
    });
}

BetEngine::BetEngine()
{
    m_lists.generated = std::make_shared<BetList>();
    m_lists.current = m_lists.generated;
}

const EngineResult &BetEngine::apply(const EngineResult &r)
{
    if (r.installs())
        m_lists = r.lists;
    return r;
}

EngineResult BetEngine::generate(const std::array<bool, Game::kRedBalls> &redSelected, const std::array<bool, Game::kBlueBalls> &blueSelected,
                                 const GenerationRequest &request, const ProgressFn &progress)
{
    return apply(listsAfterGeneration(redSelected, blueSelected, request, progress));
}

EngineResult BetEngine::filter(BetMethod methodNow, const FilterSettings &settings, const ProgressFn &progress)
{
    return apply(listsAfterFilter(m_lists, methodNow, settings, progress));
}

EngineResult BetEngine::reduce(int n, const ProgressFn &progress)
{
    return apply(listsAfterReduction(m_lists, n, progress));
}

Outcome BetEngine::deleteBet(qint64 b)
{
    std::shared_ptr<const BetList> &current = m_lists.current;
    if (b < 1 || b > qint64(current->size()))
        return Outcome::refused(QString());
    // A list only the engine holds, and not shared with the generated one, can lose a bet in
    // place: no worker's snapshot reads it, and 142 MB need not be copied to drop 8 bytes.
    if (current.use_count() == 1 && current != m_lists.generated) {
        eraseBet(*std::const_pointer_cast<BetList>(current), b);
        return Outcome::success();
    }
    return apply(listsAfterDeletion(m_lists, b)).outcome;
}

#include "core/bets/BetEngine.h"

#include "core/bets/Guarantee.h"
#include "core/bets/Paging.h"

namespace {
EngineResult cancelled()
{
    EngineResult r;
    r.cancelled = true;
    return r;
}
} // namespace

BetEngine::BetEngine() : m_generated(std::make_shared<BetList>()), m_current(m_generated) {}

EngineResult BetEngine::generate(const std::array<bool, 33> &redSelected, const std::array<bool, 16> &blueSelected,
                                 const GenerationRequest &request, const ProgressFn &progress)
{
    const Candidates candidates = CollectCandidates(redSelected, blueSelected, request.method);
    GenerationResult g = GenerateBets(request, candidates, progress);
    if (g.cancelled) {
        EngineResult r = cancelled();
        r.warning = candidates.message;
        return r;
    }
    EngineResult r;
    r.warning = candidates.message;
    r.outcome = g.outcome;
    // A refused generation still empties both lists.
    m_generated = std::make_shared<BetList>(std::move(g.bets));
    m_current = m_generated;
    return r;
}

EngineResult BetEngine::filter(BetMethod methodNow, const FilterSettings &settings, const ProgressFn &progress)
{
    EngineResult r;
    if (methodNow == BetMethod::Wheel) {
        r.outcome = Outcome::failure(kWheelFilterMessage);
        return r;
    }
    FilterBounds bounds;
    r.outcome = parseFilterBounds(settings, bounds);
    if (!r.outcome.ok())
        return r;
    bool any = false;
    for (bool on : bounds.on)
        any = any || on;
    if (!any) {
        m_current = m_generated;
        return r;
    }
    std::optional<BetList> kept = FilterBets(*m_generated, bounds, progress);
    if (!kept)
        return cancelled();
    m_current = std::make_shared<BetList>(std::move(*kept));
    return r;
}

EngineResult BetEngine::reduce(int n, const ProgressFn &progress)
{
    std::optional<BetList> kept = ReduceByGuarantee(*m_current, n, progress);
    if (!kept)
        return cancelled();
    m_current = std::make_shared<BetList>(std::move(*kept));
    return {};
}

bool BetEngine::deleteBet(qint64 b)
{
    if (b < 1 || b > qint64(m_current->size()))
        return false;
    // Copy only when the generated list still shares the storage.
    std::shared_ptr<BetList> own;
    if (m_current.use_count() == 1 && m_current != m_generated)
        own = std::const_pointer_cast<BetList>(m_current);
    else
        own = std::make_shared<BetList>(*m_current);
    DeleteBet(*own, b);
    m_current = own;
    return true;
}

// The bound boxes of the seventeen filter conditions are editable, so they hold any text.
// parseFilterBounds must refuse what is no whole number without touching its output, and
// the fast filter must agree with the plain reading of every bound on every bet.
#include "FuzzSupport.h"

#include "core/bets/Filters.h"

#include <QStringList>
#include <cstring>

namespace {

bool plainPasses(const Bet &bet, const FilterBounds &b)
{
    const std::array<int, kConditionCount> v = conditionValues(bet);
    for (int c = 0; c < kConditionCount; ++c)
        if (b.on[c] && (v[c] < b.lower[c] || v[c] > b.upper[c]))
            return false;
    return true;
}

// Six distinct reds in the order the bytes give them (banker bets are not ascending).
Bet betFrom(FuzzInput &in)
{
    Bet bet{};
    bool used[34] = {};
    for (int i = 0; i < 6; ++i) {
        int r = 1 + in.byte() % 33;
        while (used[r])
            r = r % 33 + 1;
        used[r] = true;
        bet.red[i] = std::uint8_t(r);
    }
    bet.blue = std::uint8_t(1 + in.byte() % 16);
    return bet;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const unsigned ticks = unsigned(in.byte()) | unsigned(in.byte()) << 8 | unsigned(in.byte()) << 16;
    BetList bets;
    const int betCount = in.byte() % 8;
    for (int i = 0; i < betCount; ++i)
        bets.push_back(betFrom(in));

    // The rest: the 34 box texts, separated by newlines.
    const QStringList texts = QString::fromUtf8(in.rest(), qsizetype(in.restSize())).split(QLatin1Char('\n'));
    FilterSettings settings = defaultFilterSettings();
    for (int c = 0; c < kConditionCount; ++c) {
        settings[c].ticked = (ticks >> c) & 1;
        if (2 * c < texts.size())
            settings[c].lower = texts[2 * c];
        if (2 * c + 1 < texts.size())
            settings[c].upper = texts[2 * c + 1];
    }

    FilterBounds bounds;
    bounds.on.fill(true);
    bounds.lower.fill(-7);
    bounds.upper.fill(7);
    const FilterBounds untouched = bounds;
    const Outcome o = parseFilterBounds(settings, bounds);
    if (!o.ok()) {
        FUZZ_CHECK(!o.message.isEmpty());
        FUZZ_CHECK(bounds.on == untouched.on && bounds.lower == untouched.lower && bounds.upper == untouched.upper);
        return 0;
    }
    for (int c = 0; c < kConditionCount; ++c) {
        FUZZ_CHECK(bounds.on[c] == settings[c].ticked);
        if (bounds.on[c])
            FUZZ_CHECK(bounds.lower[c] == settings[c].lower.trimmed().toInt()
                       && bounds.upper[c] == settings[c].upper.trimmed().toInt());
    }
    BetList expected;
    for (const Bet &bet : bets) {
        const bool pass = plainPasses(bet, bounds);
        FUZZ_CHECK(passesFilters(bet, bounds) == pass);
        if (pass)
            expected.push_back(bet);
    }
    const BetListResult kept = filterBets(bets, bounds);
    FUZZ_CHECK(kept.outcome.ok() && kept.bets.size() == expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        FUZZ_CHECK(std::memcmp(&kept.bets[i], &expected[i], sizeof(Bet)) == 0);
    return 0;
}

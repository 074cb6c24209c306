#include "core/bets/Filters.h"

#include "core/Parallel.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <limits>

const PerCondition<FilterCondition> kFilterConditions = {{{
    {"红球总和", "sum", 21, 183, 21, 122},
    {"奇数个数", "odd", 0, 7, 1, 3},
    {"小号个数", "small", 0, 7, 0, 2},
    {"中号个数", "middle", 0, 7, 0, 2},
    {"大号个数", "big", 0, 7, 0, 2},
    {"质数个数", "prime", 0, 7, 0, 2},
    {"连号个数", "consecutive", 0, 7, 0, 2},
    {"AC值", "ac", 0, 12, 0, 2},
    {"尾数和", "tailsum", 1, 51, 21, 25},
    {"极号差", "span", 5, 32, 21, 21},
    {"极号和", "ends", 7, 61, 21, 21},
    {"红球1", "r1", 1, 28, 1, 11},
    {"红球2", "r2", 2, 29, 2, 12},
    {"红球3", "r3", 3, 30, 10, 20},
    {"红球4", "r4", 4, 31, 11, 21},
    {"红球5", "r5", 5, 32, 20, 32},
    {"红球6", "r6", 6, 33, 21, 33},
}}};

namespace {

// Per ball, its contributions in 16-bit lanes of two words, so six additions give all seven
// counts of a bet at once: word 0 holds the ball itself (the sum), odd, small (1-11) and
// middle (12-22); word 1 big (23-33), prime (1 counted) and the units digit.
enum Field { Value, Odd, Small, Middle, Big, Prime, Units };

struct Packed {
    std::uint64_t w[2];
};

constexpr std::uint64_t lane16(int field, std::uint64_t v)
{
    return v << (16 * (field % 4));
}

struct BallTable {
    std::array<Packed, 256> packed{};
    BallTable()
    {
        std::bitset<34> primes;
        for (int q : {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31}) // 1 counts as a prime here
            primes.set(std::size_t(q));
        for (int k = 0; k < 256; ++k) {
            Packed p{{0, 0}};
            auto put = [&](Field f, std::uint64_t v) { p.w[f / 4] |= lane16(f, v); };
            put(Value, std::uint64_t(k));
            put(Odd, k % 2);
            put(Small, k >= 1 && k <= 11);
            put(Middle, k >= 12 && k <= 22);
            put(Big, k >= 23 && k <= 33);
            put(Prime, k <= 33 && primes[std::size_t(k)]);
            put(Units, std::uint64_t(k % 10)); // the second character of the two-digit text
            packed[std::size_t(k)] = p;
        }
    }
};
const BallTable kBalls;

inline int field(const Packed &p, Field f)
{
    return int((p.w[f / 4] >> (16 * (f % 4))) & 0xffff);
}

// The stepwise rule, applied to the five "next is one more" flags g1..g5.
int consecutiveByRule(const bool g[6])
{
    int c = 0;
    if (g[1])
        c = 1;
    if (g[2])
        c = c + 1;
    if (g[3])
        c = g[2] ? c + 1 : 1;
    if (g[4]) {
        if (g[3])
            c = c + 1;
        else if (!g[2])
            c = 1;
    }
    if (g[5]) {
        if (g[4] && g[3])
            c = c + 1;
        else if (!g[2])
            c = 1;
    }
    return c;
}

// The rule's result for each of the 32 flag patterns (bit i-1 holds gi), so the hot loop
// looks it up instead of branching on every bet.
struct ConsecutiveTable {
    std::array<std::uint8_t, 32> count{};
    ConsecutiveTable()
    {
        for (int mask = 0; mask < 32; ++mask) {
            bool g[6] = {false};
            for (int i = 1; i <= 5; ++i)
                g[i] = (mask >> (i - 1)) & 1;
            count[std::size_t(mask)] = std::uint8_t(consecutiveByRule(g));
        }
    }
};
const ConsecutiveTable kConsecutive;

inline int consecutive(const std::uint8_t *r)
{
    unsigned mask = 0;
    for (int i = 1; i <= 5; ++i)
        mask |= unsigned(int(r[i]) - int(r[i - 1]) == 1) << (i - 1);
    return kConsecutive.count[mask];
}

// Same as acValue for six distinct reds: the differences are the set bits of the red set
// shifted down by each red (only larger reds land above bit 0), in any order of the reds.
inline int acValue(const std::uint8_t *r)
{
    const std::uint64_t set = (std::uint64_t(1) << r[0]) | (std::uint64_t(1) << r[1]) | (std::uint64_t(1) << r[2])
        | (std::uint64_t(1) << r[3]) | (std::uint64_t(1) << r[4]) | (std::uint64_t(1) << r[5]);
    const std::uint64_t diffs =
        ((set >> r[0]) | (set >> r[1]) | (set >> r[2]) | (set >> r[3]) | (set >> r[4]) | (set >> r[5]))
        & ~std::uint64_t(1);
    return int(std::bitset<64>(diffs).count()) - 5;
}

inline int conditionValue(Condition c, const std::uint8_t *r, const Packed &packed)
{
    switch (c) {
    case Condition::Sum: return field(packed, Value);
    case Condition::Odd: return field(packed, Odd);
    case Condition::Small: return field(packed, Small);
    case Condition::Middle: return field(packed, Middle);
    case Condition::Big: return field(packed, Big);
    case Condition::Prime: return field(packed, Prime);
    case Condition::Consecutive: return consecutive(r);
    case Condition::Ac: return acValue(r);
    case Condition::TailSum: return field(packed, Units);
    case Condition::Span: return int(r[5]) - int(r[0]);
    case Condition::Ends: return int(r[5]) + int(r[0]);
    case Condition::Red1:
    case Condition::Red2:
    case Condition::Red3:
    case Condition::Red4:
    case Condition::Red5:
    case Condition::Red6: return r[int(c) - int(Condition::Red1)];
    }
    return 0;
}

inline Packed packedSums(const std::uint8_t *r)
{
    Packed s{{0, 0}};
    for (int i = 0; i < 6; ++i) {
        s.w[0] += kBalls.packed[r[i]].w[0];
        s.w[1] += kBalls.packed[r[i]].w[1];
    }
    return s;
}

} // namespace

int filterConditionIndex(const QString &captionOrKey)
{
    for (int i = 0; i < kConditionCount; ++i)
        if (captionOrKey == QString::fromUtf8(kFilterConditions[i].caption)
            || captionOrKey.compare(QLatin1String(kFilterConditions[i].key), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int countConsecutive(const std::uint8_t *r)
{
    bool g[6] = {false};
    for (int i = 1; i <= 5; ++i)
        g[i] = int(r[i]) - int(r[i - 1]) == 1;
    return consecutiveByRule(g);
}

PerCondition<int> conditionValues(const Bet &bet)
{
    const Packed packed = packedSums(bet.red);
    PerCondition<int> values{};
    for (int c = 0; c < kConditionCount; ++c)
        values[c] = conditionValue(Condition(c), bet.red, packed);
    return values;
}

FilterSettings defaultFilterSettings()
{
    FilterSettings s;
    for (int c = 0; c < kConditionCount; ++c)
        s[c] = {false, QString::number(kFilterConditions[c].defaultLower),
                QString::number(kFilterConditions[c].defaultUpper)};
    return s;
}

Outcome parseFilterBounds(const FilterSettings &settings, FilterBounds &bounds)
{
    FilterBounds parsed;
    for (int c = 0; c < kConditionCount; ++c) {
        if (!settings[c].ticked)
            continue;
        const QString caption = QString::fromUtf8(kFilterConditions[c].caption);
        bool lowOk = false, highOk = false;
        const int low = settings[c].lower.trimmed().toInt(&lowOk);
        const int high = settings[c].upper.trimmed().toInt(&highOk);
        if (!lowOk)
            return Outcome::refused(QStringLiteral("“%1”的下限“%2”不是有效的整数，请重新输入！")
                                        .arg(caption, settings[c].lower));
        if (!highOk)
            return Outcome::refused(QStringLiteral("“%1”的上限“%2”不是有效的整数，请重新输入！")
                                        .arg(caption, settings[c].upper));
        parsed.on[c] = true;
        parsed.lower[c] = low;
        parsed.upper[c] = high;
    }
    parsed.tolerance = settings.tolerance;
    const Outcome groups = parseNumberGroups(settings.groups, parsed.groups);
    if (!groups.ok())
        return groups;
    bounds = parsed;
    return Outcome::success();
}

namespace {

// Lane-wise range test: every lane of v within [lo, hi] of its lane. Lanes hold values below
// their top bit, so (v | H) - lo and (hi | H) - v never borrow across lanes and keep the top
// bit exactly when the bound holds.
inline bool lanesWithin(std::uint64_t v, std::uint64_t lo, std::uint64_t hi, std::uint64_t top)
{
    return ((((v | top) - lo) & ((hi | top) - v)) & top) == top;
}

constexpr std::uint64_t kTop16 = 0x8000800080008000ull;
constexpr std::uint64_t kTop8 = 0x8080808080808080ull;

// The same test, counting the lanes outside their bounds: the cleared top bits, moved down to
// bit 0 of their lanes and summed into the top lane by one multiplication.
inline int lanesOutside16(std::uint64_t v, std::uint64_t lo, std::uint64_t hi)
{
    const std::uint64_t out = ~(((v | kTop16) - lo) & ((hi | kTop16) - v)) & kTop16;
    return int(((out >> 15) * 0x0001000100010001ull) >> 48);
}

inline int lanesOutside8(std::uint64_t v, std::uint64_t lo, std::uint64_t hi)
{
    const std::uint64_t out = ~(((v | kTop8) - lo) & ((hi | kTop8) - v)) & kTop8;
    return int(((out >> 7) * 0x0101010101010101ull) >> 56);
}

// The ticked bounds in the lanes of the values they test. An unticked condition gets a lane
// nothing falls outside; a bound that no value can meet makes the filter reject everything
// (and, counting failures, fails every bet once: its lane is opened and it is counted apart).
struct Limits {
    std::uint64_t lo[2] = {0, 0};
    std::uint64_t hi[2] = {0, 0};
    std::uint64_t redLo = 0;
    std::uint64_t redHi = 0;
    std::uint64_t redMask = 0; // keeps the six red bytes of a Bet read as a word
    int spanLo, spanHi, endsLo, endsHi;
    int consecutiveLo, consecutiveHi, acLo, acHi;
    bool none = false;
    int unmeetable = 0; // ticked conditions whose bounds no value can meet
    bool consecutive;
    bool ac;

    explicit Limits(const FilterBounds &b) : consecutive(b.on[Condition::Consecutive]), ac(b.on[Condition::Ac])
    {
        auto bound = [&](Condition c, int laneMax, std::uint64_t &low, std::uint64_t &high) {
            if (!b.on[c]) {
                low = 0;
                high = std::uint64_t(laneMax);
                return;
            }
            if (b.upper[c] < 0 || b.lower[c] > laneMax) {
                none = true;
                ++unmeetable;
                low = 0;
                high = std::uint64_t(laneMax);
                return;
            }
            low = std::uint64_t(std::clamp(b.lower[c], 0, laneMax));
            high = std::uint64_t(std::clamp(b.upper[c], 0, laneMax));
        };
        const Field fields[] = {Value, Odd, Small, Middle, Big, Prime, Units};
        const Condition conditions[] = {Condition::Sum,    Condition::Odd,   Condition::Small,  Condition::Middle,
                                        Condition::Big,    Condition::Prime, Condition::TailSum};
        for (int i = 0; i < 7; ++i) {
            std::uint64_t low, high;
            bound(conditions[i], 0x7fff, low, high);
            lo[fields[i] / 4] |= lane16(fields[i], low);
            hi[fields[i] / 4] |= lane16(fields[i], high);
        }
        // Unused lanes hold 0 in the values and 0..0 in the bounds, so they always pass.
        std::uint8_t redLow[8] = {};
        std::uint8_t redHigh[8] = {};
        for (int i = 0; i < 6; ++i) {
            std::uint64_t low, high;
            bound(redCondition(i), 0x7f, low, high);
            redLow[i] = std::uint8_t(low);
            redHigh[i] = std::uint8_t(high);
        }
        std::memcpy(&redLo, redLow, 8);
        std::memcpy(&redHi, redHigh, 8);
        const std::uint8_t mask[8] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0, 0};
        std::memcpy(&redMask, mask, 8);
        auto plain = [&](Condition c, int &low, int &high) {
            low = b.on[c] ? b.lower[c] : std::numeric_limits<int>::min();
            high = b.on[c] ? b.upper[c] : std::numeric_limits<int>::max();
        };
        plain(Condition::Span, spanLo, spanHi);
        plain(Condition::Ends, endsLo, endsHi);
        plain(Condition::Consecutive, consecutiveLo, consecutiveHi);
        plain(Condition::Ac, acLo, acHi);
    }
};

inline bool passes(const Bet &bet, const Limits &l)
{
    const std::uint8_t *r = bet.red;
    const Packed p = packedSums(r);
    std::uint64_t reds;
    std::memcpy(&reds, &bet, 8);
    reds &= l.redMask;
    const int span = int(r[5]) - int(r[0]);
    const int ends = int(r[5]) + int(r[0]);
    // One branch-free test of every cheap bound: & on purpose, not &&.
    bool ok = (unsigned(lanesWithin(p.w[0], l.lo[0], l.hi[0], kTop16)) & lanesWithin(p.w[1], l.lo[1], l.hi[1], kTop16)
               & lanesWithin(reds, l.redLo, l.redHi, kTop8) & (span >= l.spanLo) & (span <= l.spanHi)
               & (ends >= l.endsLo) & (ends <= l.endsHi) & !l.none)
        != 0;
    if (ok && l.consecutive) {
        const int v = consecutive(r);
        ok = v >= l.consecutiveLo && v <= l.consecutiveHi;
    }
    if (ok && l.ac) {
        const int v = acValue(r);
        ok = v >= l.acLo && v <= l.acHi;
    }
    return ok;
}

// The ticked conditions bet fails, counted exactly up to enough + 1: past enough, the two
// dearer conditions are not looked at.
inline int failures(const Bet &bet, const Limits &l, int enough)
{
    const std::uint8_t *r = bet.red;
    const Packed p = packedSums(r);
    std::uint64_t reds;
    std::memcpy(&reds, &bet, 8);
    reds &= l.redMask;
    const int span = int(r[5]) - int(r[0]);
    const int ends = int(r[5]) + int(r[0]);
    int n = l.unmeetable + lanesOutside16(p.w[0], l.lo[0], l.hi[0]) + lanesOutside16(p.w[1], l.lo[1], l.hi[1])
        + lanesOutside8(reds, l.redLo, l.redHi) + int(span < l.spanLo || span > l.spanHi)
        + int(ends < l.endsLo || ends > l.endsHi);
    if (n <= enough && l.consecutive) {
        const int v = consecutive(r);
        n += int(v < l.consecutiveLo || v > l.consecutiveHi);
    }
    if (n <= enough && l.ac) {
        const int v = acValue(r);
        n += int(v < l.acLo || v > l.acHi);
    }
    return n;
}

// The bets of list that keep(bet) accepts, in order. Blocks of the list are tested on the
// threads, each marking its kept bets in a bit per bet and counting them; then the kept bets
// are copied, block by block, to their place in a list of exactly their number. keep runs on
// several threads at once, so it only reads.
template <class Keep>
BetListResult keptBets(const BetList &list, const ProgressFn &progress, Keep keep)
{
    ProgressTicker ticker(progress, qint64(list.size()));
    const std::size_t count = list.size();
    const Parallel::Split split(count, Parallel::Split::kMinBlock, 64);
    std::vector<std::uint64_t> marks(count / 64 + 1, 0);
    std::vector<std::size_t> keptFrom(split.blocks() + 1, 0); // each block's place in the kept list
    const bool finished = split.run([&](qint64 done) { return ticker.tick(done); },
                                    [&](std::size_t block, Parallel::BlockTicker &blockTicker) {
        std::size_t n = 0;
        // Blocks start at multiples of 64, so no two blocks share a word of marks.
        for (std::size_t i = split.begin(block); i < split.end(block); ++i) {
            if (!blockTicker.tick(i))
                return false;
            if (keep(list[i])) {
                marks[i / 64] |= std::uint64_t(1) << (i % 64);
                ++n;
            }
        }
        keptFrom[block + 1] = n;
        return true;
    });
    if (!finished || !ticker.finish())
        return BetListResult::cancelled();
    for (std::size_t block = 0; block < split.blocks(); ++block)
        keptFrom[block + 1] += keptFrom[block];

    BetListResult result;
    result.bets.resize(keptFrom.back());
    Bet *kept = result.bets.data();
    split.run({}, [&](std::size_t block, Parallel::BlockTicker &) {
        Bet *to = kept + keptFrom[block];
        for (std::size_t i = split.begin(block); i < split.end(block); ++i)
            if (marks[i / 64] >> (i % 64) & 1)
                *to++ = list[i];
        return true;
    });
    return result;
}

} // namespace

int failedConditionCount(const Bet &bet, const FilterBounds &bounds)
{
    return failures(bet, Limits(bounds), kConditionCount);
}

bool passesFilters(const Bet &bet, const FilterBounds &bounds)
{
    if (!bounds.groups.admit(bet))
        return false;
    const Limits limits(bounds);
    return bounds.tolerance <= 0 ? passes(bet, limits) : failures(bet, limits, bounds.tolerance) <= bounds.tolerance;
}

BetListResult filterBets(const BetList &list, const FilterBounds &bounds, const ProgressFn &progress)
{
    const Limits limits(bounds);
    const NumberGroups &groups = bounds.groups; // strict: no tolerance for a group
    // Tolerance 0 keeps its own loop: stopping at the first failure is what makes it fast.
    if (bounds.tolerance <= 0)
        return keptBets(list, progress,
                        [&limits, &groups](const Bet &bet) { return groups.admit(bet) && passes(bet, limits); });
    const int tolerance = bounds.tolerance;
    return keptBets(list, progress, [&limits, &groups, tolerance](const Bet &bet) {
        return groups.admit(bet) && failures(bet, limits, tolerance) <= tolerance;
    });
}

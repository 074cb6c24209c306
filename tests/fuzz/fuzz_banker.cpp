// The banker text reaches the generation from the picker and from balvora-cli --banker, so
// any text: a refused one makes no bets; an accepted one makes every drag combination once,
// each bet ending with the bankers.
#include "FuzzSupport.h"

#include "core/bets/Generation.h"

#include <algorithm>

namespace {
qint64 binomial(int n, int k)
{
    if (k < 0 || k > n)
        return 0;
    qint64 r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    // Up to 12 red candidates and 2 blues keep each run small.
    std::vector<int> reds;
    const int redCount = in.byte() % 13;
    bool used[34] = {};
    for (int i = 0; i < redCount; ++i) {
        int r = 1 + in.byte() % 33;
        while (used[r])
            r = r % 33 + 1;
        used[r] = true;
        reds.push_back(r);
    }
    std::sort(reds.begin(), reds.end());
    std::vector<int> blues;
    const int blueCount = in.byte() % 3;
    for (int i = 0; i < blueCount; ++i)
        blues.push_back(1 + i * 7);
    const QString banker = QString::fromUtf8(in.rest(), qsizetype(in.restSize()));

    const GenerationResult g = generateBankerDrag(banker, reds, blues);
    FUZZ_CHECK(!g.outcome.isCancelled());
    if (!g.outcome.ok()) {
        FUZZ_CHECK(g.bets.empty() && !g.outcome.message.isEmpty());
        return 0;
    }
    if (g.bets.empty())
        return 0;
    const int k = int(banker.size() / 3);
    FUZZ_CHECK(k >= 1 && k <= 5);
    std::vector<int> bankers;
    for (int j = 0; j < k; ++j)
        bankers.push_back(g.bets.front().red[6 - k + j]);
    int drags = 0;
    for (int r : reds)
        drags += std::find(bankers.begin(), bankers.end(), r) == bankers.end();
    FUZZ_CHECK(qint64(g.bets.size()) == binomial(drags, 6 - k) * qint64(blues.size()));
    for (const Bet &bet : g.bets) {
        bool seen[34] = {};
        for (int i = 0; i < 6; ++i) {
            FUZZ_CHECK(bet.red[i] >= 1 && bet.red[i] <= 33 && !seen[bet.red[i]]);
            seen[bet.red[i]] = true;
            if (i >= 6 - k)
                FUZZ_CHECK(bet.red[i] == bankers[std::size_t(i - (6 - k))]);
        }
        FUZZ_CHECK(bet.blue >= 1 && bet.blue <= 16);
    }
    return 0;
}

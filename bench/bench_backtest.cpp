// A bet list played in every draw of a range: all 17,721,088 bets against the latest 100
// and against all 3,493 bundled draws, and the plain per-bet count over 100 to compare.
#include "FullBetList.h"
#include "core/prize/Backtest.h"

#include <QFile>
#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

std::vector<PrizeCheck::DrawBalls> bundledDraws()
{
    std::vector<PrizeCheck::DrawBalls> draws;
    QFile file(QStringLiteral(BALVORA_HISTORY_FILE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return draws;
    while (!file.atEnd()) {
        const QStringList f = QString::fromLatin1(file.readLine()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() < 8)
            continue;
        PrizeCheck::DrawBalls d;
        for (int i = 0; i < 6; ++i)
            d.reds[std::size_t(i)] = f[i + 1].toInt();
        d.blue = f[7].toInt();
        draws.push_back(d);
    }
    return draws;
}

std::vector<PrizeCheck::DrawBalls> latest(std::size_t n)
{
    const std::vector<PrizeCheck::DrawBalls> all = bundledDraws();
    return {all.end() - std::ptrdiff_t(std::min(n, all.size())), all.end()};
}

void run(benchmark::State &state, const std::vector<PrizeCheck::DrawBalls> &draws, bool indexed)
{
    const BetList &bets = fullList();
    for (auto _ : state) {
        const auto counts = indexed ? Backtest::countOverDraws(bets, draws) : Backtest::countBetByBet(bets, draws);
        benchmark::DoNotOptimize(counts);
    }
    state.counters["bets"] = double(bets.size());
    state.counters["draws"] = double(draws.size());
}

void BM_FullList100Draws(benchmark::State &state) { run(state, latest(100), true); }
void BM_FullListAllDraws(benchmark::State &state) { run(state, bundledDraws(), true); }
void BM_FullList100DrawsBetByBet(benchmark::State &state) { run(state, latest(100), false); }

BENCHMARK(BM_FullList100Draws)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FullListAllDraws)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FullList100DrawsBetByBet)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

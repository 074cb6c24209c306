// The prize check over a whole bet list: 33 reds and 16 blues make 17,721,088 bets, all
// counted against one draw, with and without the database lookup of the draw and its 福运奖.
#include "../tests/common/ProgramDir.h"
#include "FullBetList.h"
#include "core/bets/Generation.h"
#include "core/history/DrawStore.h"
#include "core/prize/PrizeCheck.h"

#include <benchmark/benchmark.h>

#include <numeric>

namespace {

// The shipped table's periods.
const PrizeRules::FortunePeriods kPeriods{{{QStringLiteral("2026014"), QStringLiteral("2026075")}}};

void BM_CountPrizesFullList(benchmark::State &state)
{
    const BetList &bets = fullList();
    const PrizeCheck::DrawBalls draw{{1, 4, 16, 22, 26, 31}, 4};
    for (auto _ : state) {
        const PrizeRules::HitTally tally = PrizeCheck::tallyHits(bets, draw);
        benchmark::DoNotOptimize(tally);
    }
    state.counters["bets"] = double(bets.size());
}
BENCHMARK(BM_CountPrizesFullList)->Unit(benchmark::kMillisecond);

// What the dialog's "查询" does with handed-over bets: find the draw, then count.
void BM_CheckBetsFullList(benchmark::State &state)
{
    ProgramDir dir;
    DrawStore::insertDraw(dir.db(), computeDrawAttributes(QStringLiteral("2026096"), {1, 4, 16, 22, 26, 31}, 4));
    const BetList &bets = fullList();
    for (auto _ : state) {
        const PrizeCheck::ListCheck check = PrizeCheck::checkBets(dir.db(), QStringLiteral("2026096"), bets, kPeriods);
        benchmark::DoNotOptimize(check);
    }
}
BENCHMARK(BM_CheckBetsFullList)->Unit(benchmark::kMillisecond);

// The same bets as 100,000 typed lines, the largest list the box takes as text.
void BM_CheckListLines(benchmark::State &state)
{
    ProgramDir dir;
    DrawStore::insertDraw(dir.db(), computeDrawAttributes(QStringLiteral("2026096"), {1, 4, 16, 22, 26, 31}, 4));
    QStringList lines;
    const BetList &bets = fullList();
    for (std::size_t i = 0; i < 100000; ++i) {
        const Bet &b = bets[i * 177];
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                     .arg(b.red[0]).arg(b.red[1]).arg(b.red[2]).arg(b.red[3]).arg(b.red[4]).arg(b.red[5]).arg(b.blue);
    }
    const QString text = lines.join(QLatin1Char('\n'));
    for (auto _ : state) {
        const PrizeCheck::ListCheck check = PrizeCheck::checkList(dir.db(), QStringLiteral("2026096"), text, kPeriods);
        benchmark::DoNotOptimize(check);
    }
}
BENCHMARK(BM_CheckListLines)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

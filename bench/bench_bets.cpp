// The bet engine at full scale: 33 reds and 16 blues make 17,721,088 bets.
#include "../tests/common/PairwiseGuarantee.h"
#include "FullBetList.h"
#include "ProcStatus.h"
#include "core/bets/Export.h"
#include "core/bets/Filters.h"
#include "core/bets/Generation.h"
#include "core/bets/Guarantee.h"
#include "core/bets/Paging.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

#include <numeric>
#include <string>

namespace {

void BM_GenerateAll(benchmark::State &state)
{
    double listMb = 0, rssDeltaMb = 0;
    for (auto _ : state) {
        const double before = procStatusMb("VmRSS");
        BetList list = generateAllCombinations(balls(33), balls(16)).bets;
        rssDeltaMb = procStatusMb("VmRSS") - before;
        listMb = double(list.capacity() * sizeof(Bet)) / 1e6;
        benchmark::DoNotOptimize(list.data());
        state.counters["bets"] = double(list.size());
    }
    state.counters["list_MB"] = listMb;
    state.counters["rss_growth_MB"] = rssDeltaMb;
}
BENCHMARK(BM_GenerateAll)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_GenerateWithGuarantee(benchmark::State &state)
{
    const int n = int(state.range(0));
    for (auto _ : state) {
        BetList list = generateAllCombinations(balls(33), balls(16), n).bets;
        state.counters["kept"] = double(list.size());
    }
}
BENCHMARK(BM_GenerateWithGuarantee)->DenseRange(2, 5)->Unit(benchmark::kMillisecond)->Iterations(2);

FilterBounds allTicked(bool wide)
{
    FilterSettings s = defaultFilterSettings();
    for (FilterSetting &c : s) {
        c.ticked = true;
        if (wide) // every bet passes, so all seventeen tests run on every bet
            c = {true, QStringLiteral("-100"), QStringLiteral("1000")};
    }
    FilterBounds b;
    parseFilterBounds(s, b);
    return b;
}

void BM_FilterAllSeventeen(benchmark::State &state)
{
    const BetList &all = fullList();
    const FilterBounds bounds = allTicked(state.range(0) != 0);
    for (auto _ : state) {
        BetList kept = filterBets(all, bounds).bets;
        state.counters["kept"] = double(kept.size());
    }
}
BENCHMARK(BM_FilterAllSeventeen)->Arg(1)->Arg(0)->ArgName("wide")->Unit(benchmark::kMillisecond)->Iterations(5);

// All seventeen at their default bounds, a bet kept when at most "tolerance" of them fail.
void BM_FilterAllSeventeenTolerance(benchmark::State &state)
{
    const BetList &all = fullList();
    FilterBounds bounds = allTicked(false);
    bounds.tolerance = int(state.range(0));
    for (auto _ : state) {
        BetList kept = filterBets(all, bounds).bets;
        state.counters["kept"] = double(kept.size());
    }
}
BENCHMARK(BM_FilterAllSeventeenTolerance)->DenseRange(1, 3)->ArgName("tolerance")->Unit(benchmark::kMillisecond)->Iterations(5);

// Five number groups and nothing else: small, middle and big reds 1..3 each, the odd reds 2..4,
// and at most one of four favourites (keeps about half the bets); with strict:1 the last group
// wants all six of nine balls instead, so almost nothing is kept and the time is the test's own.
void BM_FilterFiveGroups(benchmark::State &state)
{
    const BetList &all = fullList();
    const bool strict = state.range(0) != 0;
    FilterSettings s = defaultFilterSettings();
    s.groups = {{{QStringLiteral("01 02 03 04 05 06 07 08 09 10 11"), 1, 3},
                 {QStringLiteral("12 13 14 15 16 17 18 19 20 21 22"), 1, 3},
                 {QStringLiteral("23 24 25 26 27 28 29 30 31 32 33"), 1, 3},
                 {QStringLiteral("01 03 05 07 09 11 13 15 17 19 21 23 25 27 29 31 33"), 2, 4},
                 strict ? NumberGroupSetting{QStringLiteral("03 07 11 19 20 21 22 23 24"), 6, 6}
                        : NumberGroupSetting{QStringLiteral("03 07 11 19"), 0, 1}}};
    FilterBounds bounds;
    if (!parseFilterBounds(s, bounds).ok() || bounds.groups.count != 5)
        state.SkipWithError("the five groups were not read");
    for (auto _ : state) {
        BetList kept = filterBets(all, bounds).bets;
        state.counters["kept"] = double(kept.size());
    }
}
BENCHMARK(BM_FilterFiveGroups)->Arg(0)->Arg(1)->ArgName("strict")->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReduceFullList(benchmark::State &state)
{
    const BetList &all = fullList();
    for (auto _ : state) {
        BetList kept = reduceByGuarantee(all, int(state.range(0))).bets;
        state.counters["kept"] = double(kept.size());
    }
}
BENCHMARK(BM_ReduceFullList)->DenseRange(3, 5)->Unit(benchmark::kMillisecond)->Iterations(2);

// 38,760 bets: all combinations of 20 reds with one blue.
const BetList &twentyReds()
{
    static const BetList list = generateAllCombinations(balls(20), {1}).bets;
    return list;
}

void BM_ReduceIndexed38760(benchmark::State &state)
{
    for (auto _ : state) {
        BetList kept = reduceByGuarantee(twentyReds(), int(state.range(0))).bets;
        state.counters["kept"] = double(kept.size());
    }
}
BENCHMARK(BM_ReduceIndexed38760)->DenseRange(3, 5)->Unit(benchmark::kMillisecond);

void BM_ReducePairwise38760(benchmark::State &state)
{
    for (auto _ : state) {
        BetList kept = pairwise::reduce(twentyReds(), int(state.range(0)));
        state.counters["kept"] = double(kept.size());
    }
}
BENCHMARK(BM_ReducePairwise38760)->DenseRange(3, 5)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ExportFullList(benchmark::State &state)
{
    const BetList &all = fullList();
    const QString path = QDir::temp().filePath(QStringLiteral("balvora-bench-export.txt"));
    for (auto _ : state) {
        const Outcome o = exportBets(path, all);
        if (!o.ok())
            state.SkipWithError(qPrintable(o.message));
    }
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
    QFile::remove(path);
}
BENCHMARK(BM_ExportFullList)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ShowLastPage(benchmark::State &state)
{
    const BetList &all = fullList();
    const qint64 count = qint64(all.size());
    const PageRange last = pageRange(count, pageCount(count) - 1); // the last full page
    for (auto _ : state) {
        std::vector<PageRow> rows = pageRows(all, last);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_ShowLastPage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

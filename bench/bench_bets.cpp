// The bet engine at full scale: 33 reds and 16 blues make 17,721,088 bets. Beside the jobs
// it measures, in the same run, what the machine allows them (first touch of the list's bytes,
// a sequential read of the list, a buffered write of the export's bytes), and after the run
// prints each job's median wall time against its limit, and the CPU time of all its threads.
#include "../tests/common/PairwiseGuarantee.h"
#include "FullBetList.h"
#include "ProcStatus.h"
#include "core/bets/BetEngine.h"
#include "core/prize/PrizeCheck.h"
#include "core/bets/Export.h"
#include "core/bets/Filters.h"
#include "core/bets/Generation.h"
#include "core/bets/Guarantee.h"
#include "core/bets/Paging.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <numeric>
#include <string>
#include <sys/resource.h>
#include <thread>

namespace {

// Wall seconds of every iteration, by the name the summary knows the job or limit by, and the
// CPU seconds of all the process's threads in it.
std::map<std::string, std::vector<double>> &timings()
{
    static std::map<std::string, std::vector<double>> t;
    return t;
}
std::map<std::string, std::vector<double>> &cpuTimings()
{
    static std::map<std::string, std::vector<double>> t;
    return t;
}

double processCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Times one iteration's work from construction to destruction.
class Stopwatch {
public:
    explicit Stopwatch(std::string name)
        : m_name(std::move(name)), m_start(std::chrono::steady_clock::now()), m_cpuStart(processCpuSeconds())
    {
    }
    ~Stopwatch()
    {
        timings()[m_name].push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count());
        cpuTimings()[m_name].push_back(processCpuSeconds() - m_cpuStart);
    }

private:
    std::string m_name;
    std::chrono::steady_clock::time_point m_start;
    double m_cpuStart;
};

const std::size_t kListBytes = std::size_t(17721088) * sizeof(Bet);
const std::size_t kExportBytes = std::size_t(17721088) * 22; // 20 characters and CR LF a line

QString exportPath()
{
    return QDir::temp().filePath(QStringLiteral("balvora-bench-export.txt"));
}

// The limit of making a list: fresh memory of the list's size written once, by one thread or
// by two each writing its half (the kernel's page zeroing is most of it).
void BM_LimitFirstTouch(benchmark::State &state)
{
    const int threads = int(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<char[]> bytes(new char[kListBytes]);
        {
            Stopwatch watch("first touch, " + std::to_string(threads) + " thread" + (threads > 1 ? "s" : ""));
            const std::size_t part = kListBytes / std::size_t(threads);
            std::vector<std::thread> workers;
            for (int t = 1; t < threads; ++t)
                workers.emplace_back([&, t] { std::memset(bytes.get() + part * std::size_t(t), 1, t + 1 == threads ? kListBytes - part * std::size_t(t) : part); });
            std::memset(bytes.get(), 1, part);
            for (std::thread &w : workers)
                w.join();
        }
        benchmark::DoNotOptimize(bytes.get());
    }
}
BENCHMARK(BM_LimitFirstTouch)->Arg(1)->Arg(2)->ArgName("threads")->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The limit of a job that reads the list once and keeps little: one thread summing its words.
void BM_LimitSequentialRead(benchmark::State &state)
{
    const BetList &all = fullList();
    for (auto _ : state) {
        Stopwatch watch("sequential read");
        std::uint64_t sum = 0;
        const std::uint64_t *w = reinterpret_cast<const std::uint64_t *>(all.data());
        for (std::size_t i = 0; i < all.size(); ++i)
            sum += w[i];
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_LimitSequentialRead)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The limit of an export: the export's bytes written in the export's blocks to a file in the
// folder it writes to, ending in the page cache.
void BM_LimitPageCacheWrite(benchmark::State &state)
{
    const std::vector<char> block(std::size_t(1 << 15) * 22, '7');
    for (auto _ : state) {
        QFile file(exportPath());
        {
            Stopwatch watch("page-cache write");
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                state.SkipWithError("cannot write the file");
            for (std::size_t done = 0; done < kExportBytes; done += block.size()) {
                const qint64 n = qint64(std::min(block.size(), kExportBytes - done));
                if (file.write(block.data(), n) != n)
                    state.SkipWithError("write failed");
            }
            file.close();
        }
        file.remove();
    }
}
BENCHMARK(BM_LimitPageCacheWrite)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The same bytes through QSaveFile, as the export writes them: its commit syncs the file to the
// disk before it replaces the old one, so this, not the page cache, is what an export can reach.
void BM_LimitSavedWrite(benchmark::State &state)
{
    const std::vector<char> block(std::size_t(1 << 15) * 22, '7');
    for (auto _ : state) {
        {
            Stopwatch watch("page-cache write + sync");
            QSaveFile file(exportPath());
            if (!file.open(QIODevice::WriteOnly))
                state.SkipWithError("cannot write the file");
            for (std::size_t done = 0; done < kExportBytes; done += block.size()) {
                const qint64 n = qint64(std::min(block.size(), kExportBytes - done));
                if (file.write(block.data(), n) != n)
                    state.SkipWithError("write failed");
            }
            if (!file.commit())
                state.SkipWithError("commit failed");
        }
        QFile::remove(exportPath());
    }
}
BENCHMARK(BM_LimitSavedWrite)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_GenerateAll(benchmark::State &state)
{
    double listMb = 0, rssDeltaMb = 0;
    for (auto _ : state) {
        const double before = procStatusMb("VmRSS");
        BetList list;
        {
            Stopwatch watch("generate all");
            list = generateAllCombinations(balls(33), balls(16)).bets;
        }
        rssDeltaMb = procStatusMb("VmRSS") - before;
        listMb = double(list.capacity() * sizeof(Bet)) / 1e6;
        benchmark::DoNotOptimize(list.data());
        state.counters["bets"] = double(list.size());
    }
    state.counters["list_MB"] = listMb;
    state.counters["rss_growth_MB"] = rssDeltaMb;
}
BENCHMARK(BM_GenerateAll)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// What the betting tab and balvora-cli bets --out do with all 33 reds and all 16 blues.
void BM_GenerateAndExport(benchmark::State &state)
{
    std::array<bool, 33> reds;
    reds.fill(true);
    std::array<bool, 16> blues;
    blues.fill(true);
    for (auto _ : state) {
        Stopwatch watch("generate + export");
        BetEngine engine;
        engine.generate(reds, blues, GenerationRequest{});
        const Outcome o = exportBets(exportPath(), engine.current());
        if (!o.ok())
            state.SkipWithError(qPrintable(o.message));
    }
    QFile::remove(exportPath());
}
BENCHMARK(BM_GenerateAndExport)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The same through the command-line program, start-up included.
void BM_CliBetsOut(benchmark::State &state)
{
    const QString dir = QDir::temp().filePath(QStringLiteral("balvora-bench-cli"));
    QDir().mkpath(dir);
    for (auto _ : state) {
        Stopwatch watch("balvora-cli bets --out");
        QProcess cli;
        cli.start(QStringLiteral(BALVORA_CLI),
                  {QStringLiteral("--dir"), dir, QStringLiteral("bets"), QStringLiteral("--red"), QStringLiteral("all"),
                   QStringLiteral("--blue"), QStringLiteral("all"), QStringLiteral("--out"), exportPath()});
        if (!cli.waitForFinished(120000) || cli.exitCode() != 0)
            state.SkipWithError(cli.readAllStandardError().constData());
    }
    QFile::remove(exportPath());
    QDir(dir).removeRecursively();
}
BENCHMARK(BM_CliBetsOut)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GenerateWithGuarantee(benchmark::State &state)
{
    const int n = int(state.range(0));
    for (auto _ : state) {
        BetList list = generateAllCombinations(balls(33), balls(16), n).bets;
        state.counters["kept"] = double(list.size());
    }
}
BENCHMARK(BM_GenerateWithGuarantee)->DenseRange(2, 5)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);

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
        Stopwatch watch(state.range(0) != 0 ? "filter, 17 conditions, all pass" : "filter, 17 conditions, defaults");
        BetList kept = filterBets(all, bounds).bets;
        state.counters["kept"] = double(kept.size());
    }
}
BENCHMARK(BM_FilterAllSeventeen)->Arg(1)->Arg(0)->ArgName("wide")->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

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
BENCHMARK(BM_FilterAllSeventeenTolerance)->DenseRange(1, 3)->ArgName("tolerance")->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

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
        Stopwatch watch("guarantee-" + std::to_string(state.range(0)) + " of the full list");
        BetList kept = reduceByGuarantee(all, int(state.range(0))).bets;
        state.counters["kept"] = double(kept.size());
    }
}
BENCHMARK(BM_ReduceFullList)->DenseRange(3, 5)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

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
BENCHMARK(BM_ReduceIndexed38760)->DenseRange(3, 5)->UseRealTime()->Unit(benchmark::kMillisecond);

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
    const QString path = exportPath();
    for (auto _ : state) {
        Stopwatch watch("export");
        const Outcome o = exportBets(path, all);
        if (!o.ok())
            state.SkipWithError(qPrintable(o.message));
    }
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
    QFile::remove(path);
}
BENCHMARK(BM_ExportFullList)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The prize check of the whole list against one draw.
void BM_PrizeCheckFullList(benchmark::State &state)
{
    const BetList &all = fullList();
    PrizeCheck::DrawBalls draw;
    draw.reds = {3, 9, 14, 22, 27, 31};
    draw.blue = 7;
    for (auto _ : state) {
        Stopwatch watch("prize check");
        benchmark::DoNotOptimize(PrizeCheck::tallyHits(all, draw));
    }
}
BENCHMARK(BM_PrizeCheckFullList)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

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

double median(const std::string &name, const std::map<std::string, std::vector<double>> &from = timings())
{
    auto it = from.find(name);
    if (it == from.end() || it->second.empty())
        return 0;
    std::vector<double> v = it->second;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

std::string loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return "unknown";
    return file.readLine().split(' ').mid(0, 3).join(' ').toStdString();
}

// Each job against what the machine allows it, in medians of this run's wall times.
void printSummary()
{
    const double touch = std::min(median("first touch, 1 thread"), median("first touch, 2 threads"));
    const double read = median("sequential read");
    const double write = median("page-cache write");
    const double synced = median("page-cache write + sync");
    struct Row {
        std::string job;
        std::string limitName;
        double limit;
    };
    const Row rows[] = {
        {"generate all", "first touch", touch},
        {"generate + export", "first touch + page-cache write", touch + write},
        {"generate + export", "first touch + write + sync", touch + synced},
        {"balvora-cli bets --out", "first touch + page-cache write", touch + write},
        {"balvora-cli bets --out", "first touch + write + sync", touch + synced},
        {"filter, 17 conditions, all pass", "first touch", touch},
        {"filter, 17 conditions, defaults", "first touch", touch},
        {"guarantee-3 of the full list", "sequential read", read},
        {"guarantee-4 of the full list", "sequential read", read},
        {"guarantee-5 of the full list", "sequential read", read},
        {"export", "page-cache write", write},
        {"export", "page-cache write + sync", synced},
        {"prize check", "sequential read", read},
    };
    std::printf("\nlimits (median ms): first touch 1 thread %.1f, 2 threads %.1f; sequential read %.1f; "
                "page-cache write %.1f, with the sync %.1f; load average %s\n",
                median("first touch, 1 thread") * 1e3, median("first touch, 2 threads") * 1e3, read * 1e3, write * 1e3,
                synced * 1e3, loadAverage().c_str());
    std::printf("%-34s %10s  %-32s %10s %7s %8s\n", "job", "median ms", "limit", "limit ms", "ratio", "cpu ms");
    for (const Row &r : rows) {
        const double t = median(r.job);
        if (t == 0 || r.limit == 0)
            continue;
        // The command line runs in a process of its own, whose CPU time this one does not see.
        const bool ownProcess = r.job.rfind("balvora-cli", 0) == 0;
        std::printf("%-34s %10.1f  %-32s %10.1f %7.2f ", r.job.c_str(), t * 1e3, r.limitName.c_str(), r.limit * 1e3,
                    t / r.limit);
        if (ownProcess)
            std::printf("%8s\n", "-");
        else
            std::printf("%8.1f\n", median(r.job, cpuTimings()) * 1e3);
    }
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}

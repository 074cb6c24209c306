// The first start: db1.db made and filled with the 3,493 bundled draws in one transaction.
// It should stay well under a second, as the window waits for it before it shows.
#include "core/history/StarterHistory.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_StarterHistory(benchmark::State &state)
{
    int stored = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        state.ResumeTiming();
        const StarterHistoryResult r = createStarterHistory(dir.path(), QStringLiteral(BALVORA_HISTORY_FILE));
        if (!r.outcome.ok()) {
            state.SkipWithError(qPrintable(r.outcome.message));
            return;
        }
        stored = r.stored;
    }
    state.counters["draws"] = stored;
}
BENCHMARK(BM_StarterHistory)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

// Importing the real history into an empty db1.db, one transaction per draw, as
// `balvora-cli import` does. The journal settings are compared against the one
// the program uses (WAL, synchronous=NORMAL). Reading a file of one 28 MB line reports the
// peak memory it took (the import refuses the line after its first 4 KB).
#include "ProcStatus.h"
#include "core/download/ImportLayouts.h"
#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QStringList realLines()
{
    QFile file(QStringLiteral(BALVORA_HISTORY_FILE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed().split(QLatin1Char('\n'));
}

// journal: 0 = as the program opens it; 1 = WAL + FULL; 2 = rollback journal + FULL
void BM_ImportRealHistory(benchmark::State &state)
{
    const QStringList lines = realLines();
    if (lines.isEmpty()) {
        state.SkipWithError("the real draw history is not on this machine");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        DrawDatabase::createDatabase(dir.path());
        DrawDatabase data;
        data.open(dir.path());
        QSqlQuery q(data.database());
        if (state.range(0) == 1)
            q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        if (state.range(0) == 2) {
            q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        }
        state.ResumeTiming();
        BatchHooks hooks;
        hooks.message = [](const QString &) {};
        hooks.insert = [&data](const EntryFields &f) { return insertDraw(data.database(), f); };
        const BatchReport report = insertDrawBatch(data.database(), lines, hooks);
        if (report.inserted != lines.size())
            state.SkipWithError("not every draw was stored");
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_ImportRealHistory)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadHugeSingleLine(benchmark::State &state)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("huge.txt")));
    if (!file.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the temporary file");
        return;
    }
    const QByteArray chunk = QByteArray("2022135 01 02 03 04 05 06 07 ").repeated(36158); // about 1 MB
    for (int i = 0; i < 28; ++i)
        file.write(chunk);
    file.close();
    const double peakBefore = procStatusMb("VmHWM");
    for (auto _ : state) {
        QFile in(file.fileName());
        in.open(QIODevice::ReadOnly);
        const ImportText text = readImportText(in);
        benchmark::DoNotOptimize(text.lines.size());
    }
    state.counters["peak_growth_MB"] = procStatusMb("VmHWM") - peakBefore;
}
BENCHMARK(BM_ReadHugeSingleLine)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Peak resident memory of the betting tab's work at full scale, step by step through the
// same engine the tab uses: all 17,721,088 bets of 33 reds and 16 blues, a broad filter,
// the export of what it kept, guarantee 3 over it, and the prize check over all the bets
// (the whole sequence: below 450 MB). Each step's peak is measured from a
// reset high-water mark (/proc/self/clear_refs), so the counters say what that step needs
// with the lists of the steps before it still held, as they are in the program.
#include "ProcStatus.h"
#include "core/bets/BetEngine.h"
#include "core/bets/Export.h"
#include "core/prize/PrizeCheck.h"

#include <QIODevice>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

// Starts a new high-water mark at the current resident size.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Takes the bytes and keeps none: the export's own memory without the disk.
class NullDevice : public QIODevice {
public:
    NullDevice() { open(QIODevice::WriteOnly); }
    qint64 written = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override
    {
        written += len;
        return len;
    }
};

void BM_FullScaleSequence(benchmark::State &state)
{
    for (auto _ : state) {
        std::array<bool, 33> reds;
        reds.fill(true);
        std::array<bool, 16> blues;
        blues.fill(true);
        double worst = 0;
        auto step = [&](const char *name, auto &&work) {
            resetPeak();
            work();
            const double peak = procStatusMb("VmHWM");
            state.counters[std::string(name) + "_peak_MB"] = peak;
            worst = std::max(worst, peak);
        };

        BetEngine engine;
        step("1_generate", [&] {
            const EngineResult r = engine.generate(reds, blues, GenerationRequest{});
            if (!r.outcome.ok())
                state.SkipWithError("generation refused");
        });
        state.counters["generated"] = double(engine.generated().size());

        // Arg 0: a broad filter as users set it; arg 1: a ticked condition every bet meets,
        // the worst case, where the kept list is as big as the generated one.
        FilterSettings filters = defaultFilterSettings();
        if (state.range(0) == 0) {
            filters[0] = {true, QStringLiteral("60"), QStringLiteral("150")}; // 红球总和
            filters[1] = {true, QStringLiteral("1"), QStringLiteral("5")};    // 奇数个数
        } else {
            filters[0] = {true, QStringLiteral("21"), QStringLiteral("183")};
        }
        step("2_filter", [&] { engine.filter(BetMethod::AllCombinations, filters); });
        state.counters["filtered"] = double(engine.current().size());

        NullDevice device;
        step("3_export", [&] { writeOutputLines(device, engine.current()); });
        state.counters["export_MB"] = double(device.written) / 1e6;

        step("4_guarantee3", [&] { engine.reduce(3); });
        state.counters["reduced"] = double(engine.current().size());

        // The prize check over the whole generated list, against a stored draw.
        const QString connection = QStringLiteral("bench%1").arg(state.range(0));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QStringLiteral(":memory:"));
        QSqlQuery q(db);
        if (!db.open()
            || !q.exec(QStringLiteral("create table data (qishu text, c1 text, c2 text, c3 text, c4 text, c5 text, c6 text, c7 text)"))
            || !q.exec(QStringLiteral("insert into data values ('2007001', '03', '09', '14', '22', '27', '31', '07')")))
            state.SkipWithError("no draw to check against");
        qint64 won = 0;
        step("5_prize_check", [&] {
            const PrizeCheck::ListCheck check = PrizeCheck::checkBets(db, QStringLiteral("2007001"), engine.generated(), {});
            for (qint64 c : check.counts)
                won += c;
        });
        state.counters["prizes"] = double(won);

        state.counters["whole_peak_MB"] = worst;
    }
}
BENCHMARK(BM_FullScaleSequence)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

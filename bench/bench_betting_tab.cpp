// The betting tab driven through its real buttons with all 49 balls selected, on the
// offscreen platform. Each benchmark reports its wall time and, in max_gap_ms, the longest
// gap between the ticks of a 10 ms timer on the UI thread while it ran: the window must
// never stand still for long.
#include "SilentMessages.h"
#include "ui/bets/BetGrid.h"
#include "ui/bets/BetPageModel.h"
#include "ui/bets/BettingTab.h"
#include "ui/bets/FilterRows.h"
#include "ui/bets/PickerStrip.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The longest gap between two ticks of a 10 ms UI-thread timer since the last reset, and
// when in the run it ended (a gap at the dialog's appearance or at the end points at the
// window; one in the middle of the work at the machine's load).
class GapWatch {
public:
    GapWatch()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            const qint64 gap = m_sinceTick.restart();
            if (gap > m_max) {
                m_max = gap;
                m_maxAt = m_sinceReset.elapsed();
            }
        });
        m_timer.start();
        m_sinceTick.start();
        m_sinceReset.start();
    }
    void reset()
    {
        QCoreApplication::processEvents();
        m_sinceTick.restart();
        m_sinceReset.restart();
        m_max = 0;
        m_maxAt = 0;
    }
    double maxGapMs() const { return double(qMax(m_max, m_sinceTick.elapsed())); }
    double maxGapAtMs() const { return double(m_maxAt); }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    QElapsedTimer m_sinceReset;
    qint64 m_max = 0;
    qint64 m_maxAt = 0;
};

struct Setup {
    SilentMessages messages;
    QTemporaryDir dir;
    PickerStrip strip;
    BettingTab tab{dir.path(), &strip, messages};
    GapWatch gaps;

    Setup()
    {
        tab.resize(1200, 700);
        tab.show();
        strip.findChild<QPushButton *>(QStringLiteral("selectAllRedsButton"))->click();
        strip.findChild<QPushButton *>(QStringLiteral("selectAllBluesButton"))->click();
        tab.setSaveNameAsker([this](QWidget *) { return dir.filePath(QStringLiteral("all")); });
        QCoreApplication::processEvents();
    }
    // Clicks and runs the event loop until the work it started has been applied.
    void pressAndWait(QPushButton *button) { run([button] { button->click(); }); }
    void triggerAndWait(QAction *action) { run([action] { action->trigger(); }); }
    void run(const std::function<void()> &start)
    {
        QEventLoop loop;
        auto c = QObject::connect(&tab, &BettingTab::operationFinished, &loop, &QEventLoop::quit);
        start();
        if (tab.isBusy())
            loop.exec();
        QObject::disconnect(c);
        QCoreApplication::processEvents(); // the page is painted
    }
};

Setup *setup = nullptr;

template <typename Act>
void measure(benchmark::State &state, Act act)
{
    for (auto _ : state) {
        setup->gaps.reset();
        QElapsedTimer t;
        t.start();
        act();
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        state.counters["max_gap_ms"] = setup->gaps.maxGapMs();
        state.counters["gap_at_ms"] = setup->gaps.maxGapAtMs();
    }
    state.counters["bets"] = double(setup->tab.currentList()->size());
}

void BM_GenerateToPage1(benchmark::State &state)
{
    measure(state, [] { setup->pressAndWait(setup->tab.generateButton); });
}

void BM_Reduce4OnFullList(benchmark::State &state)
{
    measure(state, [] {
        setup->pressAndWait(setup->tab.filterButton); // nothing ticked: the full list again
        setup->triggerAndWait(setup->tab.grid()->reduceBy4Action);
    });
}

void BM_FilterAllSeventeen(benchmark::State &state)
{
    for (int i = 0; i < kConditionCount; ++i)
        setup->tab.filters()->checkBox(i)->setChecked(true);
    measure(state, [] { setup->pressAndWait(setup->tab.filterButton); });
    for (int i = 0; i < kConditionCount; ++i)
        setup->tab.filters()->checkBox(i)->setChecked(false);
}

void BM_ExportFullList(benchmark::State &state)
{
    setup->pressAndWait(setup->tab.filterButton); // the full list
    measure(state, [] { setup->pressAndWait(setup->tab.exportButton); });
}

void BM_PageFlip(benchmark::State &state)
{
    measure(state, [] {
        QPushButton *next = setup->tab.grid()->nextPageButton;
        next->click();
        QCoreApplication::processEvents();
    });
}

} // namespace

BENCHMARK(BM_GenerateToPage1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FilterAllSeventeen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Reduce4OnFullList)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportFullList)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PageFlip)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Setup s;
    setup = &s;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    setup = nullptr;
    return 0;
}

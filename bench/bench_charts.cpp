// Redrawing a trend chart over 1,000 stored draws, on the offscreen platform: "确定"
// (the range read, the values computed, both series refilled) followed by the chart
// laid out and painted in full, for the line and the bars, flat and in 3D.
#include "SilentMessages.h"
#include "core/history/DrawDatabase.h"
#include "core/history/DrawStore.h"
#include "core/history/TrendSeries.h"
#include "ui/charts/TrendChartTab.h"
#include "ui/charts/TrendChartView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <memory>
#include <numeric>
#include <random>

namespace {

constexpr int kDraws = 1000;

// A history of 1,000 random draws, 2001001 onwards.
struct History {
    QTemporaryDir dir;
    DrawDatabase data;
    QString first, last;

    History()
    {
        DrawDatabase::createDatabase(dir.path());
        data.open(dir.path());
        std::mt19937 random(7);
        for (int i = 0; i < kDraws; ++i) {
            std::array<int, 33> balls;
            std::iota(balls.begin(), balls.end(), 1);
            std::shuffle(balls.begin(), balls.end(), random);
            std::array<int, 6> reds;
            std::copy_n(balls.begin(), 6, reds.begin());
            std::sort(reds.begin(), reds.end());
            const QString qishu = QStringLiteral("%1%2").arg(2001 + i / 150).arg(1 + i % 150, 3, 10, QLatin1Char('0'));
            DrawStore::insertDraw(data.database(), computeDrawAttributes(qishu, reds, 1 + int(random() % 16)));
            if (i == 0)
                first = qishu;
            last = qishu;
        }
    }
};

History *history = nullptr;

void BM_ValuesFromStoredDraws(benchmark::State &state)
{
    for (auto _ : state) {
        const TrendSeries s = TrendQuery::load(history->data.database(), history->first, history->last,
                                               TrendChoice::redSum);
        if (s.size() != kDraws)
            state.SkipWithError("the range did not hold every draw");
        benchmark::DoNotOptimize(s.values.data());
    }
}

// Arguments: bars (0 line, 1 bars), 3D (0 flat, 1 at the depth given in percent).
void BM_RedrawTab(benchmark::State &state)
{
    SilentMessages messages;
    TrendChartTab tab(history->data.database(), messages, TrendChartTab::redBalls());
    tab.resize(1366, 640);
    tab.show();
    tab.from()->setEditText(history->first);
    tab.to()->setEditText(history->last);
    tab.findChild<QCheckBox *>("lineChartBox")->setChecked(state.range(0) == 0);
    tab.findChild<QCheckBox *>("threeDBox")->setChecked(state.range(1) > 0);
    if (state.range(1) > 0)
        tab.chart()->setDepthPercent(int(state.range(1)));
    QApplication::processEvents();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        tab.loadChart();
        QApplication::processEvents();  // the chart lays itself out
        const QPixmap picture = tab.chart()->grab();
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        if (tab.chart()->values().size() != kDraws || picture.isNull())
            state.SkipWithError("the chart was not drawn");
    }
}

// "直线图" unticked and ticked again over a loaded chart: no database read.
void BM_SwitchLineAndBars(benchmark::State &state)
{
    SilentMessages messages;
    TrendChartTab tab(history->data.database(), messages, TrendChartTab::redBalls());
    tab.resize(1366, 640);
    tab.show();
    tab.from()->setEditText(history->first);
    tab.to()->setEditText(history->last);
    tab.loadChart();
    QCheckBox *line = tab.findChild<QCheckBox *>("lineChartBox");
    QApplication::processEvents();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        line->toggle();
        QApplication::processEvents();
        const QPixmap picture = tab.chart()->grab();
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        benchmark::DoNotOptimize(picture.cacheKey());
    }
}

} // namespace

BENCHMARK(BM_ValuesFromStoredDraws)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawTab)
    ->ArgNames({"bars", "depth"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 15})
    ->Args({1, 15})
    ->Args({0, 100})
    ->Args({1, 100})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchLineAndBars)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    History h;
    history = &h;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    history = nullptr;
    return 0;
}

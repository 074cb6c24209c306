// The analysis of a downloaded page of 3,500 draws: the page's text as a browser shows
// it, its GBK form, the byte-position read and the check of each draw against the history.
// Measured against an empty history (every draw new) and a full one (none new).
// BM_StoreThroughDialog stores the real history (3,493 draws) into an empty one through the
// real download dialog on the offscreen platform and reports, in max_gap_ms, the longest gap
// between two ticks of a 10 ms UI-thread timer while it ran: the window must not stand still.
#include "SilentMessages.h"
#include "ui/download/DownloadDialog.h"
#include "core/history/DrawDatabase.h"
#include "core/download/DrawPage.h"
#include "core/history/DrawStore.h"
#include "core/download/HtmlText.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 3500;

// The real draws where they are, made-up ones after them, up to kRecords; as a GBK page.
QByteArray pageBody(QStringList *numbers)
{
    QStringList records;
    QFile file(QStringLiteral(BALVORA_HISTORY_FILE));
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray &raw : file.readAll().split('\n')) {
            const QStringList p = QString::fromLatin1(raw).simplified().split(QLatin1Char(' '));
            if (p.size() >= 8)
                records << p[0] + QString::fromUtf8("期") + p.mid(1, 7).join(QString());
        }
    for (int i = records.size(); i < kRecords; ++i)
        records << QStringLiteral("2099%1").arg(i, 3, 10, QLatin1Char('0')).right(7) + QString::fromUtf8("期")
                       + QStringLiteral("01020304050607");
    for (const QString &r : records)
        numbers->append(r.left(7));
    const QString html = QString::fromUtf8("<!DOCTYPE html><html><head><meta charset=\"gbk\"><title>开奖</title>"
                                           "<script>var a = 1;</script></head><body><table><tr><td>"
                                           "<p>双色球：")
                         + records.join(QStringLiteral("<br>\n")) + QStringLiteral("</p></td></tr></table></body></html>");
    return HtmlText::toGbk(html);
}

void analyse(benchmark::State &state, bool fullHistory)
{
    QStringList numbers;
    const QByteArray body = pageBody(&numbers);
    QTemporaryDir dir;
    DrawDatabase::createDatabase(dir.path());
    DrawDatabase data;
    data.open(dir.path());
    if (fullHistory)
        for (const QString &n : numbers)
            DrawStore::insertDraw(data.database(), computeDrawAttributes(n, {1, 2, 3, 4, 5, 6}, 7, QString()));
    int found = 0;
    for (auto _ : state) {
        const QString text = HtmlText::pageText(body, "text/html; charset=gbk", QString());
        const PageAnalysis a = analyseDrawPage(data.database(), text);
        found = a.batchLines.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["records"] = kRecords;
    state.counters["new"] = found;
    state.counters["page_bytes"] = body.size();
}

void BM_AnalysePage_EmptyHistory(benchmark::State &state) { analyse(state, false); }
void BM_AnalysePage_FullHistory(benchmark::State &state) { analyse(state, true); }

void BM_PageTextOnly(benchmark::State &state)
{
    QStringList numbers;
    const QByteArray body = pageBody(&numbers);
    for (auto _ : state)
        benchmark::DoNotOptimize(HtmlText::toGbk(HtmlText::pageText(body, "text/html; charset=gbk", QString())));
}

// The real draws only, as the page of all draws.
QByteArray realHistoryPage(int *count)
{
    QStringList records;
    QFile file(QStringLiteral(BALVORA_HISTORY_FILE));
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray &raw : file.readAll().split('\n')) {
            const QStringList p = QString::fromLatin1(raw).simplified().split(QLatin1Char(' '));
            if (p.size() >= 8)
                records << p[0] + QString::fromUtf8("期") + p.mid(1, 7).join(QString());
        }
    *count = records.size();
    return HtmlText::toGbk(QString::fromUtf8("<html><head><meta charset=\"gbk\"></head><body><p>双色球：")
                           + records.join(QStringLiteral("<br>\n")) + QStringLiteral("</p></body></html>"));
}

void BM_StoreThroughDialog(benchmark::State &state)
{
    int records = 0;
    const QByteArray page = realHistoryPage(&records);
    SilentMessages messages;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        DrawDatabase::createDatabase(dir.path());
        QDir(dir.path()).mkpath(QStringLiteral("user"));
        QFile pageFile(dir.filePath(QStringLiteral("user/all.html")));
        pageFile.open(QIODevice::WriteOnly);
        pageFile.write(page);
        pageFile.close();
        QFile addresses(dir.filePath(QStringLiteral("user/DownUpdate.txt")));
        addresses.open(QIODevice::WriteOnly);
        addresses.write("user/all.html\nuser/all.html\n");
        addresses.close();
        DrawDatabase data;
        data.open(dir.path());
        DownloadDialog dialog(data.database(), dir.path(), messages);
        dialog.show();
        dialog.findChild<QRadioButton *>(QStringLiteral("historyChoice"))->setChecked(true);
        QCoreApplication::processEvents();

        qint64 maxGap = 0;
        QElapsedTimer sinceTick;
        QTimer ticks;
        ticks.setInterval(10);
        QObject::connect(&ticks, &QTimer::timeout, &ticks, [&] { maxGap = qMax(maxGap, sinceTick.restart()); });
        QEventLoop loop;
        QObject::connect(&dialog, &DownloadDialog::downloadEnded, &loop, &QEventLoop::quit);
        state.ResumeTiming();
        QElapsedTimer wall;
        wall.start();
        sinceTick.start();
        ticks.start();
        dialog.findChild<QPushButton *>(QStringLiteral("startButton"))->click();
        loop.exec();
        maxGap = qMax(maxGap, sinceTick.elapsed());
        state.SetIterationTime(double(wall.nsecsElapsed()) / 1e9);
        state.counters["max_gap_ms"] = double(maxGap);
        state.PauseTiming();
        ticks.stop();
        dialog.close();
        state.ResumeTiming();
    }
    state.counters["draws"] = records;
}

} // namespace

BENCHMARK(BM_StoreThroughDialog)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AnalysePage_EmptyHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysePage_FullHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageTextOnly)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

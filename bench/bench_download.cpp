// The analysis of a downloaded page of 3,500 draws: the page's text as a browser shows
// it, its GBK form, the byte-position read and the check of each draw against the history.
// Measured against an empty history (every draw new) and a full one (none new).
#include "core/history/DrawDatabase.h"
#include "core/download/DrawPage.h"
#include "core/history/DrawStore.h"
#include "core/download/HtmlText.h"

#include <QCoreApplication>
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

} // namespace

BENCHMARK(BM_AnalysePage_EmptyHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysePage_FullHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageTextOnly)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

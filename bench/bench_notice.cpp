// The draw notice of the whole real history (3,493 draws, about 1.5 MB of JSON as the
// service writes it): reading it into batch lines and details, and storing it into an
// empty history through the batch rules, each draw with its details in one transaction.
#include "core/download/DrawDownload.h"
#include "core/download/DrawNotice.h"
#include "core/download/NoticeUpdate.h"
#include "core/history/DrawDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QByteArray wholeHistoryNotice()
{
    QJsonArray entries;
    QFile file(QStringLiteral(BALVORA_HISTORY_FILE));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QStringList f = QString::fromLatin1(*it).simplified().split(QLatin1Char(' '));
        if (f.size() < 8)
            continue;
        QJsonArray grades;
        for (int type = 1; type <= 7; ++type)
            grades.append(QJsonObject{{"type", type}, {"typenum", QString::number(type * 37)}, {"typemoney", QString::number(5000000 / type)}});
        entries.append(QJsonObject{{"name", "双色球"}, {"code", f[0]}, {"date", "2026-08-20(四)"}, {"week", "四"},
                                   {"red", f.mid(1, 6).join(QLatin1Char(','))}, {"blue", f[7]},
                                   {"sales", "352816594"}, {"poolmoney", "2101745382"}, {"content", ""},
                                   {"prizegrades", grades}});
    }
    return QJsonDocument(QJsonObject{{"state", 0}, {"message", "查询成功"}, {"result", entries}}).toJson(QJsonDocument::Compact);
}

void BM_ReadNotice(benchmark::State &state)
{
    const QByteArray body = wholeHistoryNotice();
    int entries = 0;
    for (auto _ : state) {
        const NoticeReading r = readDrawNotice(body);
        entries = int(r.entries.size());
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = entries;
    state.counters["bytes"] = double(body.size());
}
BENCHMARK(BM_ReadNotice)->Unit(benchmark::kMillisecond);

void BM_StoreNotice(benchmark::State &state)
{
    const QVector<NoticeEntry> entries = readDrawNotice(wholeHistoryNotice()).entries;
    int stored = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        DrawDatabase::createDatabase(dir.path());
        DrawDatabase history;
        history.open(dir.path());
        DownloadSink sink;
        sink.log = [](const QString &) {};
        sink.message = [](const Outcome &) {};
        state.ResumeTiming();
        stored = NoticeUpdate(sink).store(history.database(), entries).batch.inserted;
    }
    state.counters["stored"] = stored;
}
BENCHMARK(BM_StoreNotice)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

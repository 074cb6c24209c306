// Updating the history from the notice pages of a results service on 127.0.0.1, and from saved
// notice files: which pages are asked for, what is stored (oldest first, with the details),
// and that a refused page stores nothing.
#include "HistoryRows.h"
#include "NoticeJson.h"
#include "NoticeServer.h"
#include "ProgramDir.h"
#include "core/download/DrawPage.h"
#include "core/download/NoticeUpdate.h"
#include "core/history/DrawEntry.h"
#include "core/history/DrawStore.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

Q_DECLARE_METATYPE(NoticeServer::Answer)

namespace {
struct Recorder {
    QStringList log;
    QStringList messages;
    QStringList stored;
    DownloadSink sink()
    {
        DownloadSink s;
        s.log = [this](const QString &line) { log << line; };
        s.message = [this](const Outcome &m) { messages << m.message; };
        s.stored = [this](const QString &qishu) { stored << qishu; };
        return s;
    }
};

// Lines "2026%03d r... b" for sequences from..to, newest first.
QStringList drawLines(int newest, int oldest)
{
    QStringList lines;
    for (int s = newest; s >= oldest; --s)
        lines << QStringLiteral("2026%1 %2 %3 %4 %5 %6 %7 %8")
                     .arg(s, 3, 10, QLatin1Char('0'))
                     .arg(1 + s % 5, 2, 10, QLatin1Char('0')).arg(7 + s % 3, 2, 10, QLatin1Char('0'))
                     .arg(12, 2, 10, QLatin1Char('0')).arg(15 + s % 4, 2, 10, QLatin1Char('0'))
                     .arg(20 + s % 6, 2, 10, QLatin1Char('0')).arg(33, 2, 10, QLatin1Char('0'))
                     .arg(1 + s % 16, 2, 10, QLatin1Char('0'));
    return lines;
}

void storeLines(QSqlDatabase db, const QStringList &lines)
{
    BatchHooks hooks;
    hooks.message = [](const QString &) {};
    hooks.insert = [db](const EntryFields &f) { return insertDraw(db, f); };
    const BatchReport report = insertDrawBatch(db, lines, hooks);
    QCOMPARE(report.inserted, lines.size());
}

// Every row of TABLE in storing order, as text.
QStringList tableRows(QSqlDatabase db, const QString &table)
{
    QStringList rows;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select * from %1 order by rowid").arg(table)))
        return {QStringLiteral("<query failed>")};
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < q.record().count(); ++i)
            fields << q.value(i).toString();
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}
} // namespace

class TestNoticeUpdate : public QObject {
    Q_OBJECT

private slots:
    // Newest first, page after page, until a page holds only draws the history has; the new
    // draws go in oldest first, each with its details; the requests look like a browser's.
    void pagesUntilStoredDraws()
    {
        ProgramDir history;
        const QStringList all = drawLines(9, 1);  // 2026009 .. 2026001
        storeLines(history.db(), all.mid(5));     // 2026004 .. 2026001 are stored
        NoticeServer server;
        server.page(1, noticeBody(noticeEntries(all.mid(0, 3)), 3));
        // The page shifted as a new draw came out: it repeats 2026007 of page 1.
        server.page(2, noticeBody(noticeEntries(all.mid(2, 3)), 3));
        server.page(3, noticeBody(noticeEntries(all.mid(5, 3)), 3));  // stored draws only
        Recorder r;
        const NoticeResult result = NoticeUpdate(r.sink()).fetchAndStore(history.db(), server.address(), 10);
        QVERIFY2(result.outcome.ok(), qPrintable(result.outcome.message));
        QCOMPARE(result.outcome.message, NoticeUpdateTexts::stored(5));
        QCOMPARE(server.requestedPages(), (QList<int>{1, 2, 3}));
        QCOMPARE(r.stored, (QStringList{"2026005", "2026006", "2026007", "2026008", "2026009"}));
        QCOMPARE(r.messages, QStringList());
        QCOMPARE(DrawStore::drawNumbers(history.db()).value.size(), 9);
        QCOMPARE(countRows(history.db(), "gonggao"), 5);
        QCOMPARE(storedValue(history.db(), "gonggao", "jiangjin1", "2026008"), QStringLiteral("8600"));
        QCOMPARE(storedValue(history.db(), "gonggao", "riqi", "2026008"), QStringLiteral("2026-09-09"));
        QCOMPARE(storedValue(history.db(), "data", "c7", "2026008"), QStringLiteral("09"));
        QCOMPARE(r.log.mid(0, 2), (QStringList{NoticeUpdateTexts::fetchingPage(1), NoticeUpdateTexts::pageRead(1, 3, 3)}));
        QVERIFY(r.log.contains(NoticeUpdateTexts::pageRead(2, 3, 2)));
        QVERIFY(r.log.contains(NoticeUpdateTexts::pageRead(3, 3, 0)));
        QCOMPARE(r.log.last(), DrawPageTexts::updated);

        const auto headers = server.lastHeaders();
        QVERIFY2(headers.value("accept").startsWith("application/json"), headers.value("accept").constData());
        QCOMPARE(headers.value("referer"), QByteArray("http://127.0.0.1:%1/").replace("%1", QByteArray::number(server.address().port())));
        QCOMPARE(headers.value("x-requested-with"), QByteArray("XMLHttpRequest"));
        QVERIFY(headers.value("user-agent").startsWith("Mozilla/5.0"));
    }

    void stopsWhereThePagesEnd_data()
    {
        QTest::addColumn<int>("pageNum");   // as the service says it; 0 when it does not
        QTest::addColumn<int>("maxPages");
        QTest::addColumn<QList<int>>("requested");
        QTest::addColumn<int>("stored");
        QTest::newRow("the service's last page") << 2 << 10 << QList<int>{1, 2} << 6;
        QTest::newRow("an empty page") << 0 << 10 << QList<int>{1, 2, 3, 4} << 9;
        QTest::newRow("--pages 1") << 3 << 1 << QList<int>{1} << 3;
    }
    void stopsWhereThePagesEnd()
    {
        QFETCH(int, pageNum);
        QFETCH(int, maxPages);
        QFETCH(QList<int>, requested);
        QFETCH(int, stored);
        ProgramDir history;
        const QStringList all = drawLines(9, 1);
        NoticeServer server;
        for (int p = 1; p <= 3; ++p)
            server.page(p, noticeBody(noticeEntries(all.mid(3 * (p - 1), 3)), pageNum));
        server.page(4, noticeBody(QJsonArray{}, pageNum));
        Recorder r;
        const NoticeResult result = NoticeUpdate(r.sink()).fetchAndStore(history.db(), server.address(), maxPages);
        QVERIFY2(result.outcome.ok(), qPrintable(result.outcome.message));
        QCOMPARE(server.requestedPages(), requested);
        QCOMPARE(result.batch.inserted, stored);
        QCOMPARE(countRows(history.db(), "data"), stored);
        QCOMPARE(countRows(history.db(), "gonggao"), stored);
    }

    void nothingNew()
    {
        ProgramDir history;
        const QStringList all = drawLines(3, 1);
        storeLines(history.db(), all);
        NoticeServer server;
        server.page(1, noticeBody(noticeEntries(all)));
        Recorder r;
        const NoticeResult result = NoticeUpdate(r.sink()).fetchAndStore(history.db(), server.address(), 10);
        QVERIFY(result.outcome.ok());
        QCOMPARE(result.outcome.message, DrawPageTexts::nothingNew);
        QCOMPARE(server.requestedPages(), QList<int>{1});
        QCOMPARE(countRows(history.db(), "gonggao"), 0);
    }

    // Any page that is no notice ends the update with a message naming what came back, and
    // nothing is stored, not even the draws of the pages before: the history never gets a gap
    // that the next update, stopping at the first page it holds, would not fill.
    void aRefusedPageStoresNothing_data()
    {
        QTest::addColumn<NoticeServer::Answer>("page2");
        QTest::addColumn<QString>("says");
        const QByteArray good = noticeBody(noticeEntries(drawLines(6, 4)));
        QTest::newRow("html instead of json")
            << NoticeServer::Answer{"<html><head><title>安全验证</title></head><body>请开启JavaScript</body></html>", "text/html"}
            << NoticeTexts::htmlPage(QStringLiteral("安全验证 请开启JavaScript"));
        QTest::newRow("state 1") << NoticeServer::Answer{noticeBody(noticeEntries(drawLines(6, 4)), 0, 1)}
                                 << NoticeTexts::stateNotZero("1", "系统繁忙");
        QTest::newRow("body cut short") << NoticeServer::Answer{good, "application/json", "200 OK", good.size() / 2}
                                        << QString();
        QTest::newRow("json cut short") << NoticeServer::Answer{good.left(good.size() - 10)}
                                        << NoticeTexts::notJson("").chopped(2);
        QTest::newRow("http error") << NoticeServer::Answer{"busy", "text/plain", "503 Service Unavailable"}
                                    << QStringLiteral("Service Unavailable");
        QTest::newRow("no such page") << NoticeServer::Answer{} << QString();
    }
    void aRefusedPageStoresNothing()
    {
        QFETCH(NoticeServer::Answer, page2);
        QFETCH(QString, says);
        ProgramDir history;
        NoticeServer server;
        server.page(1, noticeBody(noticeEntries(drawLines(9, 7))));
        if (!page2.body.isEmpty())
            server.page(2, page2);
        Recorder r;
        const NoticeResult result = NoticeUpdate(r.sink()).fetchAndStore(history.db(), server.address(), 10);
        QCOMPARE(result.outcome.status, Outcome::Status::Failed);
        QVERIFY2(result.outcome.message.startsWith(NoticeUpdateTexts::fetchFailed(2, QString())), qPrintable(result.outcome.message));
        QVERIFY2(result.outcome.message.contains(says), qPrintable(result.outcome.message));
        QCOMPARE(r.log.last(), result.outcome.message);
        QCOMPARE(countRows(history.db(), "data"), 0);
        QCOMPARE(countRows(history.db(), "append"), 0);
        QCOMPARE(countRows(history.db(), "gonggao"), 0);
    }

    // A bad entry is refused with its message; the draws around it are stored.
    void aBadEntryIsRefusedAlone()
    {
        ProgramDir history;
        QJsonArray entries = noticeEntries(drawLines(3, 1));
        QJsonObject bad = entries[1].toObject();
        bad.insert("blue", "17");
        entries[1] = bad;
        NoticeServer server;
        server.page(1, noticeBody(entries, 1));
        Recorder r;
        const NoticeResult result = NoticeUpdate(r.sink()).fetchAndStore(history.db(), server.address(), 10);
        QVERIFY(result.outcome.ok());
        QCOMPARE(r.messages, QStringList{NoticeTexts::entryRefused("2026002", EntryTexts::blueAbove16)});
        QCOMPARE(r.stored, (QStringList{"2026001", "2026003"}));
        QCOMPARE(countRows(history.db(), "data", "2026002"), 0);
    }

    // A cancel while storing keeps the draws stored so far, each whole with its details.
    void cancelKeepsWhatIsStored()
    {
        ProgramDir history;
        NoticeServer server;
        server.page(1, noticeBody(noticeEntries(drawLines(9, 1)), 1));
        Recorder r;
        int asked = 0;
        const ProgressFn progress = [&asked](qint64, qint64 total) {
            // Before a fetch and during it the job asks with total 0; then once per draw.
            return total == 0 || ++asked <= 4;
        };
        const NoticeResult result = NoticeUpdate(r.sink()).fetchAndStore(history.db(), server.address(), 10, progress);
        QCOMPARE(result.outcome.status, Outcome::Status::Cancelled);
        QCOMPARE(result.batch.inserted, 4);
        QCOMPARE(r.stored, (QStringList{"2026001", "2026002", "2026003", "2026004"}));
        QCOMPARE(countRows(history.db(), "data"), 4);
        QCOMPARE(countRows(history.db(), "append"), 4);
        QCOMPARE(countRows(history.db(), "gonggao"), 4);
    }

    // A draw and its details go in together: details that cannot be written leave no draw.
    void drawAndDetailsTogether()
    {
        ProgramDir history;
        QVERIFY(QSqlQuery(history.db()).exec(QStringLiteral(
            "create trigger refuse before insert on gonggao when new.qishu = '2026002' begin select raise(abort, 'no'); end")));
        Recorder r;
        const NoticeReading reading = readDrawNotice(noticeBody(noticeEntries(drawLines(3, 1))));
        const NoticeResult result = NoticeUpdate(r.sink()).store(history.db(), reading.entries);
        QCOMPARE(result.outcome.status, Outcome::Status::Ok); // the batch stops and has said why
        QCOMPARE(result.batch.stopped, true);
        QCOMPARE(r.stored, QStringList{"2026001"});
        QCOMPARE(r.messages.size(), 1);
        QCOMPARE(countRows(history.db(), "data", "2026002"), 0);
        QCOMPARE(countRows(history.db(), "append", "2026002"), 0);
    }

    // Deleting a draw or clearing all takes the details with it.
    void detailsGoWithTheirDraw()
    {
        ProgramDir history;
        Recorder r;
        NoticeUpdate(r.sink()).store(history.db(), readDrawNotice(noticeBody(noticeEntries(drawLines(3, 1)))).entries);
        QCOMPARE(countRows(history.db(), "gonggao"), 3);
        QVERIFY(DrawStore::deleteDraw(history.db(), "2026002").ok());
        QCOMPARE(countRows(history.db(), "gonggao", "2026002"), 0);
        QCOMPARE(DrawDetailsStore::read(history.db(), "2026002").value.qishu, QString());
        QCOMPARE(DrawDetailsStore::read(history.db(), "2026003").value.grades[1].money, 3500);
        QVERIFY(DrawStore::clearAllDraws(history.db()).ok());
        QCOMPARE(countRows(history.db(), "gonggao"), 0);
    }

    // Saved files go through the batch whole: a draw already stored brings its message.
    void importsSavedFiles()
    {
        ProgramDir history;
        storeLines(history.db(), drawLines(2, 1));
        const QString first = history.file("page1.json"), second = history.file("page2.json");
        for (const auto &[path, body] : {std::pair{first, noticeBody(noticeEntries(drawLines(5, 3)))},
                                         std::pair{second, noticeBody(noticeEntries(drawLines(3, 1)))}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(body);
        }
        Recorder r;
        const NoticeResult result = NoticeUpdate(r.sink()).importFiles(history.db(), {first, second});
        QVERIFY2(result.outcome.ok(), qPrintable(result.outcome.message));
        QCOMPARE(result.batch.inserted, 3);
        QCOMPARE(result.batch.skipped, 2);
        QCOMPARE(r.messages, (QStringList{EntryTexts::alreadyExistsSkipped("2026001"), EntryTexts::alreadyExistsSkipped("2026002")}));
        QCOMPARE(r.stored, (QStringList{"2026003", "2026004", "2026005"}));
    }

    // All 3,493 real draws as the service pages them, 30 a page newest first, into an empty
    // history: the same rows, in the same order, as the batch import of the same lines.
    void theWholeHistoryEqualsTheBatchImport()
    {
        QFile file(QStringLiteral(BALVORA_HISTORY_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3493);
        QStringList newestFirst(lines.crbegin(), lines.crend());
        NoticeServer server;
        const int pages = int((newestFirst.size() + 29) / 30);
        for (int p = 1; p <= pages; ++p)
            server.page(p, noticeBody(noticeEntries(newestFirst.mid((p - 1) * 30, 30)), pages));

        ProgramDir fromNotice, fromBatch;
        storeLines(fromBatch.db(), lines);
        Recorder r;
        const NoticeResult result = NoticeUpdate(r.sink()).fetchAndStore(fromNotice.db(), server.address(), 200);
        QVERIFY2(result.outcome.ok(), qPrintable(result.outcome.message));
        QCOMPARE(result.pages, pages);
        QCOMPARE(result.batch.inserted, 3493);
        QCOMPARE(r.messages, QStringList());
        for (const char *table : {"data", "append"})
            QCOMPARE(tableRows(fromNotice.db(), table), tableRows(fromBatch.db(), table));
        QCOMPARE(countRows(fromNotice.db(), "gonggao"), 3493);
    }

    void noticeAddress()
    {
        ProgramDir dir;
        QCOMPARE(readNoticeAddress(dir.path()).outcome.ok(), false);
        QFile f(dir.file("user/Notice.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("https://example.org/notice?name=ssq&pageNo=1&pageSize=30\r\n\r\n");
        f.close();
        const NoticeAddress a = readNoticeAddress(dir.path());
        QVERIFY(a.outcome.ok());
        QCOMPARE(noticePageUrl(a.address, 7).toString(), QStringLiteral("https://example.org/notice?name=ssq&pageSize=30&pageNo=7"));
    }
};

QTEST_GUILESS_MAIN(TestNoticeUpdate)
#include "tst_noticeupdate.moc"

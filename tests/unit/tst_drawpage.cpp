// Reading a page of draws by byte position, and picking the draws the history lacks.
#include "ProgramDir.h"
#include "core/download/DrawPage.h"
#include "core/history/DrawStore.h"
#include "core/download/HtmlText.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace T = DrawPageTexts;

class TestDrawPage : public QObject {
    Q_OBJECT

    static QByteArray g(const char *utf8) { return HtmlText::toGbk(QString::fromUtf8(utf8)); }

    static void store(QSqlDatabase db, const QString &qishu)
    {
        QVERIFY(DrawStore::insertDraw(db, computeDrawAttributes(qishu, {1, 2, 3, 4, 5, 6}, 7, QString())).ok());
    }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void records_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("records");  // "qishu|numbers"
        QTest::newRow("three records") << g("xx双色球：2007001期01020304050607 2007002期08091011121314 "
                                            "2007003期15161718192021 tail")
                                       << QStringList{"2007001|01 02 03 04 05 06 07", "2007002|08 09 10 11 12 13 14",
                                                      "2007003|15 16 17 18 19 20 21"};
        QTest::newRow("any one-byte separator") << g("双色球：2007001期01020304050607\n2007002期01020304050608|")
                                                << QStringList{"2007001|01 02 03 04 05 06 07",
                                                               "2007002|01 02 03 04 05 06 08"};
        // The second record's mark falls one byte off, so the list ends after the first.
        QTest::newRow("two-byte line break") << g("双色球：2007001期01020304050607\r\n2007002期01020304050608")
                                             << QStringList{"2007001|01 02 03 04 05 06 07"};
        QTest::newRow("full-width separator") << g("双色球：2007001期01020304050607　2007002期01020304050608")
                                              << QStringList{"2007001|01 02 03 04 05 06 07"};
        QTest::newRow("no marker") << g("2007001期01020304050607 2007002期01020304050608") << QStringList{};
        QTest::newRow("first record without 期") << g("双色球：2007001年01020304050607") << QStringList{};
        QTest::newRow("only the first marker counts")
            << g("双色球：今日 双色球：2007001期01020304050607") << QStringList{};
        QTest::newRow("digits taken as they stand") << g("双色球：2007001期3401020304050a")
                                                    << QStringList{"2007001|34 01 02 03 04 05 0a"};
        QTest::newRow("text ends inside the numbers") << g("双色球：2007001期0102")
                                                      << QStringList{"2007001|01 02     "};
        QTest::newRow("text ends inside the mark") << g("双色球：2007001") << QStringList{};
        QTest::newRow("empty") << QByteArray() << QStringList{};
    }
    void records()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, records);
        QStringList got;
        for (const PageRecord &r : readPageRecords(text))
            got << r.qishu + QLatin1Char('|') + r.numbers;
        QCOMPARE(got, records);
    }

    // Three draws, the two older ones stored already: one batch line, one pair of log lines.
    void onlyNewDraws()
    {
        ProgramDir t;
        QVERIFY(t.isOpen());
        store(t.db(), QStringLiteral("2007039"));
        store(t.db(), QStringLiteral("2007040"));
        const QString page = QString::fromUtf8("双色球：2007039期01020304050607 2007040期02030405060708 "
                                               "2007041期10122230313305");
        const PageAnalysis a = analyseDrawPage(t.db(), page);
        QVERIFY(a.outcome.ok());
        QCOMPARE(a.records, 3);
        QVERIFY(a.foundNew());
        QCOMPARE(a.batchLines, QStringList{"2007041 10 12 22 30 31 33 05"});
        QCOMPARE(a.logLines, (QStringList{T::drawLog("2007041"), T::numbersLog("10 12 22 30 31 33 05")}));
        QCOMPARE(a.logLines.first(), QString::fromUtf8("双色球期数:2007041"));
        QCOMPARE(a.logLines.last(), QString::fromUtf8("开奖号码:10 12 22 30 31 33 05"));
    }

    void nothingNewAndRepeats()
    {
        ProgramDir t;
        QVERIFY(t.isOpen());
        store(t.db(), QStringLiteral("2007001"));
        QVERIFY(!analyseDrawPage(t.db(), QString::fromUtf8("双色球：2007001期01020304050607 ")).foundNew());
        QVERIFY(!analyseDrawPage(t.db(), QString::fromUtf8("no marker at all")).foundNew());
        // A page listing a new draw twice gives one line, so the batch never calls it a duplicate.
        const PageAnalysis a = analyseDrawPage(
            t.db(), QString::fromUtf8("双色球：2007002期01020304050607 2007002期01020304050607 "));
        QCOMPARE(a.records, 2);
        QCOMPARE(a.batchLines, QStringList{"2007002 01 02 03 04 05 06 07"});
    }

    void historyUnreadable()
    {
        ProgramDir t;
        QVERIFY(t.isOpen());
        QSqlQuery(t.db()).exec(QStringLiteral("drop table data"));
        const PageAnalysis a = analyseDrawPage(t.db(), QString::fromUtf8("双色球：2007002期01020304050607 "));
        QCOMPARE(a.outcome.status, Outcome::Status::Failed);
        QVERIFY(!a.foundNew());
    }

    void addresses_data()
    {
        QTest::addColumn<QByteArray>("file");  // absent when null
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("latest");   // relative to the program directory when not a URL
        QTest::addColumn<QString>("history");
        QTest::newRow("missing") << QByteArray() << false << "" << "";
        QTest::newRow("empty") << QByteArray("") << false << "" << "";
        QTest::newRow("one line") << QByteArray("http://a/latest.html\n") << false << "" << "";
        QTest::newRow("second line blank") << QByteArray("http://a/latest.html\n \nhttp://b\n") << false << "" << "";
        QTest::newRow("two addresses") << QByteArray("http://a/latest.html\nhttps://b/all.html") << true
                                       << "http://a/latest.html" << "https://b/all.html";
        QTest::newRow("CR LF, blanks, trailing lines") << QByteArray(" http://a/x \r\nhttp://b/y\r\n\r\n") << true
                                                       << "http://a/x" << "http://b/y";
        QTest::newRow("relative files") << QByteArray("user/latest.html\nfile:user/all.html\n") << true
                                        << "@user/latest.html" << "@user/all.html";
        QTest::newRow("absolute file") << QByteArray("file:///srv/latest.html\n/srv/all.html\n") << true
                                       << "file:///srv/latest.html" << "file:///srv/all.html";
        QTest::newRow("utf-8 byte order mark") << QByteArray("\xEF\xBB\xBFhttp://a/x\nhttp://b/y") << true
                                               << "http://a/x" << "http://b/y";
    }
    void addresses()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, ok);
        QFETCH(QString, latest);
        QFETCH(QString, history);
        QTemporaryDir dir;
        if (!file.isNull())
            writeFile(dir.filePath(QStringLiteral("user/DownUpdate.txt")), file);
        const DownloadAddresses a = readDownloadAddresses(dir.path());
        QCOMPARE(a.outcome.ok(), ok);
        if (!ok) {
            QCOMPARE(a.outcome.status, Outcome::Status::Failed);
            QVERIFY(a.outcome.message.contains(QStringLiteral("DownUpdate.txt")));
            return;
        }
        auto expected = [&dir](const QString &s) {
            return s.startsWith(QLatin1Char('@')) ? QUrl::fromLocalFile(dir.filePath(s.mid(1))) : QUrl(s);
        };
        QCOMPARE(a.latest, expected(latest));
        QCOMPARE(a.history, expected(history));
    }

    // The real history as one page into an empty history: every draw is new, in page order.
    void wholeRealHistory()
    {
        QFile f(QStringLiteral(BALVORA_HISTORY_FILE));
        if (!f.open(QIODevice::ReadOnly))
            QFAIL("data/history/ssq-history.txt cannot be read");
        QStringList expected;
        QString page = QString::fromUtf8("<p>双色球：");
        for (const QByteArray &raw : f.readAll().split('\n')) {
            const QStringList parts = QString::fromLatin1(raw).simplified().split(QLatin1Char(' '));
            if (parts.size() < 8)
                continue;
            expected << parts.mid(0, 8).join(QLatin1Char(' '));
            page += parts[0] + QString::fromUtf8("期") + parts.mid(1, 7).join(QString()) + QStringLiteral("<br>\n");
        }
        page += QStringLiteral("</p>");
        QCOMPARE(expected.size(), 3493);
        ProgramDir t;
        QVERIFY(t.isOpen());
        const PageAnalysis a = analyseDrawPage(t.db(), HtmlText::toText(page));
        QCOMPARE(a.records, 3493);
        QCOMPARE(a.batchLines, expected);
        QCOMPARE(a.logLines.size(), 2 * 3493);
    }
};

QTEST_GUILESS_MAIN(TestDrawPage)
#include "tst_drawpage.moc"

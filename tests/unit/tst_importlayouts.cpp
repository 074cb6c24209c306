// The usual layouts of result lists, each turned into a batch line for the entry rules.
#include "ProgramDir.h"
#include "core/history/DrawEntry.h"
#include "core/download/ImportLayouts.h"

#include <QBuffer>
#include <QtTest>

class TestImportLayouts : public QObject {
    Q_OBJECT

private slots:
    void layouts_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("first");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("batch");
        const int B = ImportLine::Batch, H = ImportLine::Header, U = ImportLine::Unreadable;

        // The batch's own layout goes through untouched, so its own rules and messages apply.
        QTest::newRow("batch layout") << "2007001 06 05 04 03 02 01 07 09" << false << B << "2007001 06 05 04 03 02 01 07 09";
        QTest::newRow("batch layout, many blanks") << "2007001  1 2  3 4 5 6 7 " << false << B << "2007001  1 2  3 4 5 6 7 ";
        QTest::newRow("batch layout, bad values kept for the batch") << "2007001 34 1 2 3 4 5 6" << false << B
                                                                    << "2007001 34 1 2 3 4 5 6";
        QTest::newRow("empty line stays empty") << "" << false << B << "";
        QTest::newRow("five-digit draw number") << "22135 01 02 03 04 05 06 07" << false << B
                                                << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("six-digit draw number left to the batch") << "022135 01 02 03 04 05 06 07" << false << B
                                                                 << "022135 01 02 03 04 05 06 07";

        QTest::newRow("commas, blue after a blank") << "2022135 01,02,03,04,05,06 07" << false << B
                                                    << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("commas with blanks, blue after +") << "22135 01, 02, 03 ,04,05,06 + 07" << false << B
                                                          << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("dots, blue after |") << "2022135 01.02.03.04.05.06|07" << false << B
                                            << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("blanks, blue after :") << "2022135 01 02 03 04 05 06:07" << false << B
                                              << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("tabs") << "2022135\t01\t02\t03\t04\t05\t06\t07" << false << B << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("extra number after the blue") << "2022135 01,02,03,04,05,06+07 09" << false << B
                                                     << "2022135 01 02 03 04 05 06 07 09";
        QTest::newRow("mixed red separators") << "2022135 01,02.03,04,05,06+07" << false << U << "";
        QTest::newRow("five reds") << "2022135 01,02,03,04,05+07" << false << U << "";
        QTest::newRow("no draw number") << "01,02,03,04,05,06+07" << false << U << "";
        QTest::newRow("letters") << "2022135 01 02 03 04 05 06 O7" << false << U << "";
        QTest::newRow("dash separators") << "2022135 01-02-03-04-05-06-07" << false << U << "";

        QTest::newRow("CSV header") << QString::fromUtf8("期号,红1,红2,红3,红4,红5,红6,蓝球,开奖日期") << true << H << "";
        QTest::newRow("CSV header after a byte order mark") << QString::fromUtf8("\uFEFFissue,r1,r2,r3,r4,r5,r6,b")
                                                            << true << H << "";
        QTest::newRow("CSV header only on the first line") << "issue,r1,r2,r3,r4,r5,r6,b" << false << U << "";
        QTest::newRow("CSV row") << "2022135,01,02,03,04,05,06,07" << false << B << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("CSV row, date and sales ignored") << "22135,01,02,03,04,05,06,07,2022-11-24,352316982"
                                                         << false << B << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("CSV row, number after the blue ignored") << "2022135,1,2,3,4,5,6,7,9" << false << B
                                                                << "2022135 1 2 3 4 5 6 7";
        QTest::newRow("CSV row, quoted and blank fields") << "\"2022135\", \"01\",02 ,03,04,05,06,07" << false << B
                                                          << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("CSV row as the first line") << "2022135,01,02,03,04,05,06,07" << true << B
                                                   << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("CSV row too short") << "2022135,01,02,03,04,05,06" << false << U << "";
        QTest::newRow("CSV row with an empty ball") << "2022135,01,02,,04,05,06,07" << false << U << "";

        // A first line is a header only by its shape: no field reads as a draw, each names a column.
        QTest::newRow("commas and + as the first line") << "2022135 01,02,03,04,05,06+07" << true << B
                                                        << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("five-digit draw, commas, first line") << "22135 01, 02, 03, 04, 05, 06 07" << true << B
                                                             << "2022135 01 02 03 04 05 06 07";
        QTest::newRow("commas and dashes as the first line") << "2022135 01,02,03,04,05,06-07" << true << U << "";
        QTest::newRow("CSV header with empty columns") << QString::fromUtf8("期号,红1,红2,红3,红4,红5,红6,蓝球,,")
                                                       << true << H << "";
        QTest::newRow("CSV header, quoted names") << "\"issue\",\"red 1\",\"blue (B)\"" << true << H << "";
        QTest::newRow("one name is no header") << "issue," << true << U << "";
        QTest::newRow("a number among the names") << "issue,red1,2,red3" << true << U << "";
        QTest::newRow("a field without a letter") << QString::fromUtf8("期号,--,蓝") << true << U << "";
        QTest::newRow("numbers only") << "1,2" << true << U << "";
        QTest::newRow("JSON on one line") << "[{\"qishu\":\"2022135\",\"red\":\"01 02 03 04 05 06\",\"blue\":\"07\"}]"
                                          << true << U << "";
        QTest::newRow("JSON object of names") << "{\"issue\":\"a\",\"blue\":\"b\"}" << true << U << "";
        QTest::newRow("control characters") << QString::fromLatin1("PK\x03\x04,ab\x01" "cd") << true << U << "";
        QTest::newRow("undecodable bytes") << (QString(QChar::ReplacementCharacter) + "ab,cd") << true << U << "";
    }
    void layouts()
    {
        QFETCH(QString, line);
        QFETCH(bool, first);
        QFETCH(int, kind);
        QFETCH(QString, batch);
        const ImportLine converted = ::toBatchLine(line, first);
        QCOMPARE(int(converted.kind), kind);
        if (kind == ImportLine::Batch)
            QCOMPARE(converted.text, batch);
    }

    // What a layout yields is judged by the batch: a converted line with a blue of 17 stops
    // it with the batch's message, as the same draw typed in the batch tab would.
    void convertedLinesMeetTheBatchRules()
    {
        ProgramDir t;
        QVERIFY(t.isOpen());
        QStringList lines;
        for (const char *raw : {"22001 01,02,03,04,05,06+07", "2022002,06,05,04,03,02,01,08,2022-01-04",
                                "22003 01.02.03.04.05.06|17"})
            lines << ::toBatchLine(QString::fromUtf8(raw), false).text;
        QStringList messages;
        BatchHooks hooks;
        hooks.message = [&messages](const QString &m) { messages << m; };
        hooks.insert = [&t](const EntryFields &f) { return insertDraw(t.db(), f); };
        const BatchReport report = insertDrawBatch(t.db(), lines, hooks);
        QCOMPARE(report.inserted, 2);
        QVERIFY(report.stopped);
        QCOMPARE(messages, QStringList{EntryTexts::blueAbove16});
    }

    // The message quotes at most 60 characters of the line, then "...".
    void unreadableMessageNamesTheLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("quoted");
        const QString sixty = QString(59, QLatin1Char('1')) + QLatin1Char('x');
        QTest::newRow("short line, trimmed") << " 2022135 01-02 " << false << "2022135 01-02";
        QTest::newRow("60 characters whole") << sixty << false << sixty;
        QTest::newRow("61 characters cut") << sixty + "y" << false << sixty + "...";
        QTest::newRow("the start of a longer line") << "2022135 01" << true << "2022135 01...";
        QTest::newRow("Chinese counted as characters") << QString(70, QChar(0x7EA2)) << false
                                                       << QString(60, QChar(0x7EA2)) + "...";
        QTest::newRow("no surrogate pair split") << QString(59, QLatin1Char('a')) + QString::fromUtf8("\U0001F600b")
                                                 << false << QString(59, QLatin1Char('a')) + "...";
        QTest::newRow("control characters not written out")
            << QString::fromLatin1("\x89PNG\x1a\x1b[2Jx\ty") << false
            << QString::fromUtf8("\uFFFDPNG\uFFFD\uFFFD[2Jx y");
    }
    void unreadableMessageNamesTheLine()
    {
        QFETCH(QString, line);
        QFETCH(bool, cut);
        QFETCH(QString, quoted);
        QCOMPARE(unreadableLineMessage(3, line, cut),
                 QString::fromUtf8("第3行（") + quoted + QString::fromUtf8("）：您输入的彩票开奖号码位数不对,请检查后重新输入！"));
    }

    // The file is read a line at a time, never more than the longest line a layout allows.
    void readsLinesBounded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("endsInLongLine");
        const QByteArray draw = "2022135 01 02 03 04 05 06 07";
        const QByteArray longest = draw + QByteArray(kLongestImportLine - draw.size(), ' ');
        QTest::newRow("empty file") << QByteArray() << QStringList() << false;
        QTest::newRow("CR LF and LF, empty lines at the end dropped")
            << QByteArray("a\r\nb\n\n \r\n\n") << QStringList{"a", "b"} << false;
        QTest::newRow("last line without an end") << QByteArray("a\nb") << QStringList{"a", "b"} << false;
        QTest::newRow("empty line in the middle kept") << QByteArray("a\n\nb\n") << QStringList{"a", "", "b"} << false;
        QTest::newRow("longest line with CR LF") << longest + "\r\n" + draw << QStringList{longest, draw} << false;
        QTest::newRow("longest line at the end, no line end") << longest << QStringList{longest} << false;
        QTest::newRow("one byte more, the start kept") << "a\n" + longest + "x\nb\n"
                                                       << QStringList{"a", longest.left(240)} << true;
        QTest::newRow("a long line without an end") << QByteArray(100000, '7') << QStringList{QString(240, QLatin1Char('7'))} << true;
        QTest::newRow("GBK file") << QByteArray("\xc6\xda\xba\xc5,\xba\xec" "1\n2022135,1,2,3,4,5,6,7\n")
                                  << QStringList{QString::fromUtf8("期号,红1"), "2022135,1,2,3,4,5,6,7"} << false;
        // A UTF-8 character is not split where the start of a long line is cut: the file
        // still reads as UTF-8 and not as GBK.
        QTest::newRow("long UTF-8 line cut between characters")
            << QByteArray("a") + QString(3000, QChar(0x7EA2)).toUtf8()
            << QStringList{"a" + QString(79, QChar(0x7EA2))} << true;
    }
    void readsLinesBounded()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(bool, endsInLongLine);
        QBuffer device(&bytes);
        QVERIFY(device.open(QIODevice::ReadOnly));
        const ImportText text = readImportText(device);
        QCOMPARE(text.lines, lines);
        QCOMPARE(text.endsInLongLine, endsInLongLine);
        // The rest of a long line is never read.
        if (endsInLongLine)
            QVERIFY(device.bytesAvailable() > 0);
    }

    // A line as long as a layout allows is still the batch's to judge.
    void longestLineIsABatchLine()
    {
        const QString line = QStringLiteral("2022135 01 02 03 04 05 06 07").leftJustified(kLongestImportLine);
        const ImportLine converted = ::toBatchLine(line, true);
        QCOMPARE(int(converted.kind), int(ImportLine::Batch));
        QCOMPARE(int(parseBatchLine(converted.text).kind), int(BatchLine::Draw));
    }
};

QTEST_GUILESS_MAIN(TestImportLayouts)
#include "tst_importlayouts.moc"

// The usual layouts of result lists, each turned into a batch line for the entry rules.
#include "ProgramDir.h"
#include "core/history/DrawEntry.h"
#include "core/download/ImportLayouts.h"

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

    void unreadableMessageNamesTheLine()
    {
        QCOMPARE(unreadableLineMessage(3, QStringLiteral(" 2022135 01-02 ")),
                 QString::fromUtf8("第3行（2022135 01-02）：您输入的彩票开奖号码位数不对,请检查后重新输入！"));
    }
};

QTEST_GUILESS_MAIN(TestImportLayouts)
#include "tst_importlayouts.moc"

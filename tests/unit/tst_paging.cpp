// Pages of the bet grid and deleting a bet.
#include "BetFixtures.h"
#include "core/bets/Generation.h"
#include "core/bets/Paging.h"

#include <QtTest>

class TestPaging : public QObject {
    Q_OBJECT
private slots:
    void pages_data();
    void pages();
    void rowsOfAPage();
    void deleteBet_data();
    void deleteBet();
};

void TestPaging::pages_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<qint64>("page");
    QTest::addColumn<qint64>("pages");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("size");
    QTest::newRow("2500, page 3") << qint64(2500) << qint64(3) << qint64(3) << qint64(2001) << qint64(500);
    QTest::newRow("2500, page 2") << qint64(2500) << qint64(2) << qint64(3) << qint64(1001) << qint64(1000);
    QTest::newRow("1000, page 1") << qint64(1000) << qint64(1) << qint64(2) << qint64(1) << qint64(1000);
    QTest::newRow("1000, page 2 empty") << qint64(1000) << qint64(2) << qint64(2) << qint64(1001) << qint64(0);
    QTest::newRow("0 bets") << qint64(0) << qint64(1) << qint64(1) << qint64(1) << qint64(0);
    QTest::newRow("999 bets") << qint64(999) << qint64(1) << qint64(1) << qint64(1) << qint64(999);
    QTest::newRow("1001, last page") << qint64(1001) << qint64(2) << qint64(2) << qint64(1001) << qint64(1);
    QTest::newRow("page 0 reads nothing") << qint64(2500) << qint64(0) << qint64(3) << qint64(1) << qint64(0);
    QTest::newRow("page past the end") << qint64(2500) << qint64(4) << qint64(3) << qint64(1) << qint64(0);
    QTest::newRow("negative page") << qint64(2500) << qint64(-1) << qint64(3) << qint64(1) << qint64(0);
    QTest::newRow("full list, last page") << qint64(17721088) << qint64(17722) << qint64(17722)
                                          << qint64(17721001) << qint64(88);
}

void TestPaging::pages()
{
    QFETCH(qint64, count);
    QFETCH(qint64, page);
    QFETCH(qint64, pages);
    QFETCH(qint64, first);
    QFETCH(qint64, size);
    QCOMPARE(pageCount(count), pages);
    const PageRange r = pageRange(count, page);
    QCOMPARE(r.size(), size);
    if (size > 0) {
        QCOMPARE(r.first, first);
        QCOMPARE_LE(r.last, count);
    }
}

void TestPaging::rowsOfAPage()
{
    const BetList all = generateAllCombinations(fixtures::range(1, 9), {5, 16}).bets; // 168 bets
    const std::vector<PageRow> rows = pageRows(all, pageRange(qint64(all.size()), 1));
    QCOMPARE(int(rows.size()), 168);
    QCOMPARE(rows[1].number, qint64(2));
    QCOMPARE(rows[1].red, QStringLiteral("01 02 03 04 05 06"));
    QCOMPARE(rows[1].blue, QStringLiteral("16"));
    QCOMPARE(rows[1].sum, 21);
    QCOMPARE(rows.back().red, QStringLiteral("04 05 06 07 08 09"));
    // A range past the list is cut at its end.
    QCOMPARE(int(pageRows(all, {160, 2000}).size()), 9);
    QCOMPARE(int(pageRows(all, {0, 10}).size()), 0);

    const BetList one = fixtures::list({"02 11 17 23 28 3305"});
    const PageRow r = pageRows(one, pageRange(1, 1)).front();
    QCOMPARE(r.red, QStringLiteral("02 11 17 23 28 33"));
    QCOMPARE(r.blue, QStringLiteral("05"));
    QCOMPARE(r.sum, 114);
}

void TestPaging::deleteBet_data()
{
    QTest::addColumn<qint64>("b");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QStringList>("left");
    const QStringList seven{"01 02 03 04 05 0601", "01 02 03 04 05 0701", "01 02 03 04 05 0801",
                            "01 02 03 04 05 0901", "01 02 03 04 05 1001", "01 02 03 04 05 1101",
                            "01 02 03 04 05 1201"};
    QStringList without5 = seven;
    without5.removeAt(4);
    QTest::newRow("bet 5 of 7") << qint64(5) << true << without5;
    QTest::newRow("last bet") << qint64(7) << true << seven.mid(0, 6);
    QTest::newRow("first bet") << qint64(1) << true << seven.mid(1);
    QTest::newRow("past the count") << qint64(8) << false << seven;
    QTest::newRow("zero") << qint64(0) << false << seven;
}

void TestPaging::deleteBet()
{
    QFETCH(qint64, b);
    QFETCH(bool, removed);
    QFETCH(QStringList, left);
    BetList list = generateAllCombinations({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {1}).bets;
    list.resize(7);
    QCOMPARE(eraseBet(list, b), removed);
    QCOMPARE(fixtures::rows(list), left);
}

QTEST_GUILESS_MAIN(TestPaging)
#include "tst_paging.moc"

// Guarantee-N: the pair test, the keep-first rule, and the indexed reducer against the
// pairwise reference on random lists.
#include "BetFixtures.h"
#include "PairwiseGuarantee.h"
#include "core/bets/Generation.h"
#include "core/bets/Guarantee.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <bitset>

using fixtures::list;
using fixtures::row;
using fixtures::rows;

namespace {
// The same pairwise keep-first rule with each bet's reds as a set of bits: a bet conflicts
// with a kept bet of its blue sharing n or more reds. Checked against the text reference on
// the small lists below, it carries the comparison to lists where text search is too slow.
BetList pairwiseBySets(const BetList &input, int n)
{
    std::array<std::vector<std::uint64_t>, 256> keptByBlue;
    BetList kept;
    for (const Bet &b : input) {
        std::uint64_t reds = 0;
        for (std::uint8_t r : b.red)
            reds |= std::uint64_t(1) << r;
        std::vector<std::uint64_t> &sameBlue = keptByBlue[b.blue];
        const auto shares = [&](std::uint64_t k) { return std::bitset<64>(reds & k).count() >= std::size_t(n); };
        if (std::none_of(sameBlue.begin(), sameBlue.end(), shares)) {
            sameBlue.push_back(reds);
            kept.push_back(b);
        }
    }
    return kept;
}
} // namespace

class TestGuarantee : public QObject {
    Q_OBJECT
private slots:
    void conflictVerdicts_data();
    void conflictVerdicts();
    void keepFirst_data();
    void keepFirst();
    void matchesPairwise_data();
    void matchesPairwise();
    void reduceIsStable();
    void cancel();
};

void TestGuarantee::conflictVerdicts_data()
{
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("k");
    QTest::addColumn<int>("shared");
    QTest::addColumn<bool>("sameBlue");
    QTest::newRow("five shared") << "01 02 03 04 05 0601" << "01 02 03 04 05 0701" << 5 << true;
    QTest::newRow("same reds other blue") << "01 02 03 04 05 0601" << "01 02 03 04 05 0602" << 6 << false;
    QTest::newRow("identical") << "07 11 19 25 28 3009" << "07 11 19 25 28 3009" << 6 << true;
    QTest::newRow("banker order") << "04 05 06 07 08 0201" << "02 04 05 06 07 0801" << 6 << true;
    QTest::newRow("digits across blanks do not count") << "11 12 13 14 15 1601" << "01 02 21 22 31 3301" << 0
                                                       << true;
    QTest::newRow("three shared") << "01 02 03 10 11 1201" << "01 02 03 20 21 2201" << 3 << true;
    QTest::newRow("none shared") << "01 02 03 04 05 0601" << "07 08 09 10 11 1201" << 0 << true;
}

void TestGuarantee::conflictVerdicts()
{
    QFETCH(QString, b);
    QFETCH(QString, k);
    QFETCH(int, shared);
    QFETCH(bool, sameBlue);
    for (int n = 1; n <= 6; ++n) {
        const bool want = sameBlue && shared >= n;
        QCOMPARE(::conflictTest(row(b.toLatin1()), row(k.toLatin1()), n), want);
        QCOMPARE(pairwise::conflicts(b.toStdString(), k.toStdString(), n), want);
    }
}

void TestGuarantee::keepFirst_data()
{
    QTest::addColumn<BetList>("input");
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("N=5 drops the second")
        << list({"01 02 03 04 05 0601", "01 02 03 04 05 0701", "01 02 03 04 05 0702"}) << 5
        << QStringList{"01 02 03 04 05 0601", "01 02 03 04 05 0702"};
    QTest::newRow("N=4 three shared stays, four dropped")
        << list({"01 02 03 04 05 0601", "01 02 03 10 11 1201", "01 02 03 04 20 2101", "01 02 10 20 21 2201"}) << 4
        << QStringList{"01 02 03 04 05 0601", "01 02 03 10 11 1201", "01 02 10 20 21 2201"};
    QTest::newRow("same reds two blues") << list({"05 10 15 20 25 3001", "05 10 15 20 25 3016"}) << 3
                                         << QStringList{"05 10 15 20 25 3001", "05 10 15 20 25 3016"};
    QTest::newRow("repeated bet dropped") << list({"05 10 15 20 25 3001", "05 10 15 20 25 3001"}) << 5
                                          << QStringList{"05 10 15 20 25 3001"};
    QTest::newRow("banker order is a set") << list({"04 05 06 07 08 0201", "02 03 04 05 06 0701"}) << 5
                                           << QStringList{"04 05 06 07 08 0201"};
    QTest::newRow("dropped bets do not block")
        << list({"01 02 03 04 05 0601", "01 02 03 04 10 1101", "03 04 10 11 20 2101"}) << 4
        << QStringList{"01 02 03 04 05 0601", "03 04 10 11 20 2101"};
    QTest::newRow("empty") << BetList{} << 4 << QStringList{};
}

void TestGuarantee::keepFirst()
{
    QFETCH(BetList, input);
    QFETCH(int, n);
    QFETCH(QStringList, kept);
    QCOMPARE(rows(reduceByGuarantee(input, n).bets), kept);
    QCOMPARE(rows(pairwise::reduce(input, n)), kept);
    QCOMPARE(rows(pairwiseBySets(input, n)), kept);
}

void TestGuarantee::matchesPairwise_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("maxRed");
    QTest::addColumn<int>("maxBlue");
    QTest::addColumn<bool>("shuffled");
    QTest::addColumn<int>("repeatEvery");
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("n");
    for (int n = 2; n <= 5; ++n) {
        QTest::addRow("dense 12 reds N=%d", n) << 3000 << 12 << 2 << false << 0 << 11u << n;
        QTest::addRow("banker order with repeats N=%d", n) << 20000 << 20 << 4 << true << 7 << 23u << n;
        QTest::addRow("all reds N=%d", n) << 20000 << 33 << 16 << true << 50 << 5u << n;
    }
    // The reference is quadratic in the kept bets of a blue, which one blue and N=5 make nearly all.
    QTest::newRow("12000 bets, one blue, N=5") << 12000 << 33 << 1 << true << 13 << 42u << 5;
    for (int n : {3, 5})
        QTest::addRow("50000 bets, 16 blues, N=%d", n) << 50000 << 33 << 16 << true << 3 + n << 43u + unsigned(n) << n;
}

void TestGuarantee::matchesPairwise()
{
    QFETCH(int, count);
    QFETCH(int, maxRed);
    QFETCH(int, maxBlue);
    QFETCH(bool, shuffled);
    QFETCH(int, repeatEvery);
    QFETCH(unsigned, seed);
    QFETCH(int, n);
    const BetList input = fixtures::randomBets(std::size_t(count), maxRed, maxBlue, shuffled, repeatEvery, seed);
    const BetList fast = reduceByGuarantee(input, n).bets;
    const BetList slow = pairwiseBySets(input, n);
    // The sets reference is the text rule, on every list where text search stays quick.
    if (count <= 3000 || (count <= 20000 && n <= 4))
        QCOMPARE(rows(pairwise::reduce(input, n)), rows(slow));
    QCOMPARE(fast.size(), slow.size());
    QCOMPARE(rows(fast), rows(slow));
}

void TestGuarantee::reduceIsStable()
{
    // After N=3 nothing shares three reds under one blue, so N=4 and N=3 again remove nothing.
    const BetList all = generateAllCombinations(fixtures::range(1, 16), {1, 2}).bets;
    const BetList three = reduceByGuarantee(all, 3).bets;
    QVERIFY(!three.empty());
    QCOMPARE(rows(reduceByGuarantee(three, 4).bets), rows(three));
    QCOMPARE(rows(reduceByGuarantee(three, 3).bets), rows(three));
}

void TestGuarantee::cancel()
{
    const BetList input = fixtures::randomBets(100000, 33, 16, false, 0, 1);
    int calls = 0;
    QCOMPARE(reduceByGuarantee(input, 4, [&](qint64, qint64) { return ++calls < 2; }).outcome.status, Outcome::Status::Cancelled);
    QCOMPARE(reduceByGuarantee(input, 4, [](qint64 done, qint64 total) { return done < total; }).outcome.status,
             Outcome::Status::Cancelled);
}

QTEST_GUILESS_MAIN(TestGuarantee)
#include "tst_guarantee.moc"

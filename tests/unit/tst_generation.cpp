// Bets from candidates: all combinations, banker plus drag, wheel rows, generation-time
// guarantee, and cancelling.
#include "BetFixtures.h"
#include "PairwiseGuarantee.h"
#include "core/bets/Generation.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::vector<int>)

using fixtures::range;
using fixtures::rows;

class TestGeneration : public QObject {
    Q_OBJECT
private slots:
    void allCombinationsOrder();
    void allCombinationsCount_data();
    void allCombinationsCount();
    void banker_data();
    void banker();
    void bankerRefusals_data();
    void bankerRefusals();
    void wheelRows();
    void wheelRefusals();
    void guaranteeMatchesPairwise_data();
    void guaranteeMatchesPairwise();
    void guaranteeTwoKeepsFirstRow();
    void cancel();
};

void TestGeneration::allCombinationsOrder()
{
    const GenerationResult r = generateAllCombinations(range(1, 7), {1, 2});
    QVERIFY(r.outcome.ok());
    QCOMPARE(int(r.bets.size()), 14);
    QCOMPARE(rows(r.bets).mid(0, 5), QStringList({"01 02 03 04 05 0601", "01 02 03 04 05 0602",
                                                 "01 02 03 04 05 0701", "01 02 03 04 05 0702",
                                                 "01 02 03 04 06 0701"}));
    QCOMPARE(rows(r.bets).last(), QStringLiteral("02 03 04 05 06 0702"));
}

void TestGeneration::allCombinationsCount_data()
{
    QTest::addColumn<int>("reds");
    QTest::addColumn<int>("blues");
    QTest::addColumn<int>("count");
    QTest::newRow("six reds one blue") << 6 << 1 << 1;
    QTest::newRow("five reds") << 5 << 16 << 0;
    QTest::newRow("no blue") << 10 << 0 << 0;
    QTest::newRow("no reds") << 0 << 3 << 0;
    QTest::newRow("20 reds 3 blues") << 20 << 3 << 38760 * 3;
}

void TestGeneration::allCombinationsCount()
{
    QFETCH(int, reds);
    QFETCH(int, blues);
    QFETCH(int, count);
    const GenerationResult r = generateAllCombinations(range(1, reds), range(1, blues));
    QVERIFY(r.outcome.ok());
    QCOMPARE(int(r.bets.size()), count);
    // Every bet ascending, no bet twice.
    for (std::size_t i = 1; i < r.bets.size(); ++i)
        QCOMPARE_LT(betRowText(r.bets[i - 1]), betRowText(r.bets[i]));
}

void TestGeneration::banker_data()
{
    QTest::addColumn<QString>("bankerText");
    QTest::addColumn<std::vector<int>>("reds");
    QTest::addColumn<std::vector<int>>("blues");
    QTest::addColumn<QStringList>("want");

    QTest::newRow("banker leaves the candidates")
        << "10 03 " << range(1, 5) << std::vector<int>{7} << QStringList{"01 02 04 05 10 0307"};
    QTest::newRow("banker not a candidate")
        << "12 " << range(1, 6) << std::vector<int>{1}
        << QStringList{"01 02 03 04 05 1201", "01 02 03 04 06 1201", "01 02 03 05 06 1201",
                       "01 02 04 05 06 1201", "01 03 04 05 06 1201", "02 03 04 05 06 1201"};
    QTest::newRow("five bankers, blue innermost")
        << "06 30 31 01 02 " << std::vector<int>{1, 4, 9, 30} << std::vector<int>{3, 8}
        << QStringList{"04 06 30 31 01 0203", "04 06 30 31 01 0208", "09 06 30 31 01 0203",
                       "09 06 30 31 01 0208"};
    QTest::newRow("too few balls in all") << "05 " << range(1, 5) << std::vector<int>{1} << QStringList{};
    QTest::newRow("no blue") << "05 " << range(1, 10) << std::vector<int>{} << QStringList{};
    QTest::newRow("six bankers: empty")
        << "06 07 08 09 10 11 " << range(1, 20) << std::vector<int>{1} << QStringList{};
    QTest::newRow("length 2: empty") << "06" << range(1, 20) << std::vector<int>{1} << QStringList{};
    QTest::newRow("length 4: empty") << "06 0" << range(1, 20) << std::vector<int>{1} << QStringList{};
}

void TestGeneration::banker()
{
    QFETCH(QString, bankerText);
    QFETCH(std::vector<int>, reds);
    QFETCH(std::vector<int>, blues);
    QFETCH(QStringList, want);
    const GenerationResult r = generateBankerDrag(bankerText, reds, blues);
    QVERIFY(r.outcome.ok());
    QCOMPARE(rows(r.bets), want);
}

void TestGeneration::bankerRefusals_data()
{
    QTest::addColumn<QString>("bankerText");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "" << kNoBankerMessage;
    QTest::newRow("one character") << "1" << kNoBankerMessage;
    QTest::newRow("not a number") << "ab " << kBadBankerMessage;
    QTest::newRow("ball 34") << "34 " << kBadBankerMessage;
    QTest::newRow("repeated") << "05 05 " << kBadBankerMessage;
}

void TestGeneration::bankerRefusals()
{
    QFETCH(QString, bankerText);
    QFETCH(QString, message);
    const GenerationResult r = generateBankerDrag(bankerText, range(1, 10), {1});
    QCOMPARE(r.outcome.status, Outcome::Status::Refused);
    QCOMPARE(r.outcome.message, message);
    QCOMPARE(int(r.bets.size()), 0);
}

void TestGeneration::wheelRows()
{
    const std::vector<int> reds{3, 7, 11, 19, 25, 28, 30};
    const std::vector<WheelRow> matrix{{1, 2, 3, 4, 5, 6}, {2, 3, 4, 5, 6, 7}, {7, 1, 2, 3, 4, 5}, {1, 3, 5, 7, 2, 4}};
    GenerationResult r = generateFromWheel(matrix, reds, {9});
    QVERIFY(r.outcome.ok());
    // Positions taken in row order, not sorted.
    QCOMPARE(rows(r.bets), QStringList({"03 07 11 19 25 2809", "07 11 19 25 28 3009", "30 03 07 11 19 2509",
                                        "03 11 25 30 07 1909"}));

    r = generateFromWheel(matrix, reds, {2, 5});
    QCOMPARE(int(r.bets.size()), 8);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(int(r.bets[std::size_t(i)].blue), i < 4 ? 2 : 5);
    QCOMPARE(betRowText(r.bets[4]).left(17), betRowText(r.bets[0]).left(17));

    QCOMPARE(int(generateFromWheel(matrix, reds, {}).bets.size()), 0);
}

void TestGeneration::wheelRefusals()
{
    // A position past the candidates is never read.
    const GenerationResult past = generateFromWheel({{1, 2, 3, 4, 5, 8}}, range(1, 7), {1});
    QCOMPARE(past.outcome.status, Outcome::Status::Refused);
    QCOMPARE(past.outcome.message, kBadWheelRowMessage);
    QCOMPARE(generateFromWheel({{0, 2, 3, 4, 5, 6}}, range(1, 7), {1}).outcome.status, Outcome::Status::Refused);

    // The matrix reader's refusals are the generation's: an unknown type, a missing file.
    QTemporaryDir dir;
    GenerationRequest request;
    request.method = BetMethod::Wheel;
    request.programDir = dir.path();
    request.wheelTypeIndex = -1;
    Candidates c{range(1, 10), {1}, QString()};
    GenerationResult r = generateBets(request, c);
    QCOMPARE(r.outcome.status, Outcome::Status::Refused);
    QCOMPARE(r.outcome.message, QStringLiteral("您选择的旋转矩阵类型不正确,请重新选择!"));
    request.wheelTypeIndex = 1;
    r = generateBets(request, c);
    QCOMPARE(r.outcome.status, Outcome::Status::Refused);
    QCOMPARE(r.outcome.message, QStringLiteral("您选择的侯选号码数量无此类旋转矩阵,请重新选择!"));
}

void TestGeneration::guaranteeMatchesPairwise_data()
{
    QTest::addColumn<int>("reds");
    QTest::addColumn<int>("blues");
    QTest::addColumn<int>("n");
    for (int n = 2; n <= 5; ++n) {
        QTest::addRow("8 reds 1 blue N=%d", n) << 8 << 1 << n;
        QTest::addRow("14 reds 3 blues N=%d", n) << 14 << 3 << n;
    }
}

void TestGeneration::guaranteeMatchesPairwise()
{
    QFETCH(int, reds);
    QFETCH(int, blues);
    QFETCH(int, n);
    const BetList all = generateAllCombinations(range(1, reds), range(1, blues)).bets;
    const BetList kept = generateAllCombinations(range(1, reds), range(1, blues), n).bets;
    QCOMPARE(rows(kept), rows(pairwise::reduce(all, n)));
}

void TestGeneration::guaranteeTwoKeepsFirstRow()
{
    const BetList kept = generateAllCombinations(range(1, 8), {1}, 2).bets;
    QCOMPARE(betRowText(kept.front()), QStringLiteral("01 02 03 04 05 0601"));
    // Two rows of six from eight reds always share four, so the first row is the only one.
    QCOMPARE(int(kept.size()), 1);
}

void TestGeneration::cancel()
{
    int calls = 0;
    const ProgressFn stopAtSecond = [&](qint64, qint64) { return ++calls < 2; };
    QCOMPARE(generateAllCombinations(range(1, 20), range(1, 4), 0, stopAtSecond).outcome.status, Outcome::Status::Cancelled);
    calls = 0;
    QCOMPARE(generateAllCombinations(range(1, 20), range(1, 4), 4, stopAtSecond).outcome.status, Outcome::Status::Cancelled);
    calls = 0;
    QCOMPARE(generateBankerDrag("01 ", range(1, 25), range(1, 4), stopAtSecond).outcome.status, Outcome::Status::Cancelled);
    // A callback that always goes on sees the end.
    qint64 lastDone = -1, lastTotal = -1;
    const ProgressFn watch = [&](qint64 done, qint64 total) {
        lastDone = done;
        lastTotal = total;
        return true;
    };
    QVERIFY(generateAllCombinations(range(1, 12), {1}, 0, watch).outcome.ok());
    QCOMPARE(lastDone, lastTotal);
}

QTEST_GUILESS_MAIN(TestGeneration)
#include "tst_generation.moc"

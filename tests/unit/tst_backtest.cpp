// A bet list counted over many draws: the red-set index gives, draw for draw, the grades a
// plain per-bet count gives, with 福运奖 or without, and a cancel ends the count.
#include "ProgramDir.h"
#include "core/bets/BetText.h"
#include "core/bets/Generation.h"
#include "core/history/DrawDetails.h"
#include "core/prize/Backtest.h"
#include "core/prize/RedSetIndex.h"

#include <QtTest>

#include <algorithm>
#include <numeric>
#include <random>

namespace {

using PrizeCheck::DrawBalls;
using PrizeRules::Fortune;
using PrizeRules::PrizeCounts;

PrizeCounts gradesOf(const PrizeRules::HitTally &tally, Fortune fortune)
{
    return PrizeRules::grade(tally, fortune).counts;
}

std::vector<int> ballsUpTo(int last)
{
    std::vector<int> v(static_cast<std::size_t>(last));
    std::iota(v.begin(), v.end(), 1);
    return v;
}

// Six distinct reds in the order shuffled (so not always sorted) and a blue.
Bet randomBet(std::mt19937 &rng, bool sorted)
{
    std::vector<int> reds = ballsUpTo(33);
    std::shuffle(reds.begin(), reds.end(), rng);
    if (sorted)
        std::sort(reds.begin(), reds.begin() + 6);
    Bet b{};
    for (int i = 0; i < 6; ++i)
        b.red[i] = std::uint8_t(reds[std::size_t(i)]);
    b.blue = std::uint8_t(std::uniform_int_distribution<int>(1, 16)(rng));
    return b;
}

DrawBalls drawOf(const Bet &b)
{
    DrawBalls d;
    for (int i = 0; i < 6; ++i)
        d.reds[std::size_t(i)] = b.red[i];
    std::sort(d.reds.begin(), d.reds.end());
    d.blue = b.blue;
    return d;
}

// The draws: some taken from the list itself (so every prize occurs), some random.
std::vector<DrawBalls> drawsFor(const BetList &bets, std::mt19937 &rng)
{
    std::vector<DrawBalls> draws;
    for (int i = 0; i < 6; ++i)
        draws.push_back(drawOf(bets[std::size_t(rng() % bets.size())]));
    for (int i = 0; i < 6; ++i)
        draws.push_back(drawOf(randomBet(rng, true)));
    return draws;
}

} // namespace

class TestBacktest : public QObject {
    Q_OBJECT
private slots:
    void rankIsABijection()
    {
        std::vector<bool> seen(RedSetIndex::kSets, false);
        const std::vector<int> reds = ballsUpTo(33);
        const BetList all = generateAllCombinations(reds, {1}).bets;
        QCOMPARE(all.size(), std::size_t(RedSetIndex::kSets));
        for (const Bet &b : all) {
            std::array<int, 6> zeroBased;
            std::uint64_t mask = 0;
            for (int i = 0; i < 6; ++i) {
                zeroBased[std::size_t(i)] = b.red[i] - 1;
                mask |= std::uint64_t(1) << (b.red[i] - 1);
            }
            const std::uint32_t rank = RedSetIndex::rankOf(zeroBased);
            QVERIFY(rank < RedSetIndex::kSets);
            QVERIFY(!seen[rank]);
            QCOMPARE(RedSetIndex::rankOfMask(mask), rank);
            seen[rank] = true;
        }
    }

    // Lists long enough for the index, with repeated bets, unsorted reds and a blue only some
    // draws have; and one list with a bet whose reds repeat, which is counted bet by bet.
    void indexEqualsPerBetCount_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<bool>("repeatedRed");
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("random sorted") << 210000 << true << false << 1u;
        QTest::newRow("random unsorted") << 230000 << false << false << 2u;
        QTest::newRow("short list") << 5000 << true << false << 3u;
        QTest::newRow("a bet with a repeated red") << 205000 << true << true << 4u;
    }
    void indexEqualsPerBetCount()
    {
        QFETCH(int, size);
        QFETCH(bool, sorted);
        QFETCH(bool, repeatedRed);
        QFETCH(unsigned, seed);
        std::mt19937 rng(seed);
        BetList bets;
        for (int i = 0; i < size; ++i)
            bets.push_back(randomBet(rng, sorted));
        for (int i = 0; i < 1000; ++i) // repeats
            bets.push_back(bets[std::size_t(rng() % bets.size())]);
        if (repeatedRed)
            bets[17].red[3] = bets[17].red[2];
        const std::vector<DrawBalls> draws = drawsFor(bets, rng);
        const auto indexed = Backtest::countOverDraws(bets, draws);
        const auto direct = Backtest::countBetByBet(bets, draws);
        QVERIFY(indexed && direct);
        QCOMPARE(indexed->size(), draws.size());
        qint64 firstPrizes = 0;
        for (std::size_t d = 0; d < draws.size(); ++d) {
            for (Fortune fortune : {Fortune::InForce, Fortune::NotInForce, Fortune::Unknown}) {
                const PrizeRules::Graded a = PrizeRules::grade((*indexed)[d], fortune);
                const PrizeRules::Graded b = PrizeRules::grade((*direct)[d], fortune);
                QCOMPARE(a.counts, b.counts);
                QCOMPARE(a.fortuneUnknown, b.fortuneUnknown);
            }
            firstPrizes += gradesOf((*indexed)[d], Fortune::InForce)[0];
        }
        QVERIFY(firstPrizes >= 6); // every draw taken from the list wins a first prize
    }

    // All 17,721,088 bets are too many for a test; every red set with two blues holds each
    // prize's known count in any draw.
    void everyRedSetKnownCounts()
    {
        const BetList bets = generateAllCombinations(ballsUpTo(33), {3, 9}).bets;
        const std::vector<DrawBalls> draws = {{{1, 2, 3, 4, 5, 6}, 3}, {{7, 12, 19, 25, 30, 33}, 16}};
        const auto counts = Backtest::countOverDraws(bets, draws);
        QVERIFY(counts);
        // Draw 1 (blue 3 among the list's): first 1, second 1, third 6*27, fourth 6*27 +
        // 15*351, fifth 15*351 + 20*2925, sixth the sets with fewer than three of the reds;
        // 福运奖 the 20*2925 sets of three reds with the other blue.
        const qint64 sixth = 1107568 - (1 + 162 + 5265 + 58500);
        QCOMPARE(gradesOf((*counts)[0], Fortune::NotInForce), (PrizeCounts{1, 1, 162, 162 + 5265, 5265 + 58500, sixth, 0}));
        QCOMPARE(gradesOf((*counts)[0], Fortune::InForce),
                 (PrizeCounts{1, 1, 162, 162 + 5265, 5265 + 58500, sixth, 58500}));
        // Draw 2 (blue 16 not in the list): only the red-only prizes, twice each.
        QCOMPARE(gradesOf((*counts)[1], Fortune::NotInForce), (PrizeCounts{0, 2, 0, 2 * 162, 2 * 5265, 0, 0}));
        QCOMPARE(gradesOf((*counts)[1], Fortune::InForce), (PrizeCounts{0, 2, 0, 2 * 162, 2 * 5265, 0, 2 * 58500}));
        QCOMPARE(PrizeRules::grade((*counts)[1], Fortune::Unknown).fortuneUnknown, qint64(2 * 58500));
    }

    // A range's draws carry the first and second prize money of their notice, where there is
    // one; the money won counts it, and a prize of unknown money is marked.
    void rangeAndMoney()
    {
        ProgramDir dir;
        dir.addDraw(QStringLiteral("2026001"), {1, 2, 3, 4, 5, 6}, 7);
        dir.addDraw(QStringLiteral("2026002"), {2, 3, 4, 5, 6, 7}, 8);
        dir.addDraw(QStringLiteral("2026003"), {3, 4, 5, 6, 7, 8}, 9);
        DrawDetails details;
        details.qishu = QStringLiteral("2026002");
        details.grades[0].money = 6592751;
        details.grades[1].money = 206416;
        QVERIFY(DrawDetailsStore::store(dir.db(), details).ok());

        const auto draws = Backtest::drawsInRange(dir.db(), QStringLiteral("2026002"), QStringLiteral("2026003"));
        QVERIFY(draws.ok());
        QCOMPARE(draws.value.size(), std::size_t(2));
        QCOMPARE(draws.value[0].qishu, QStringLiteral("2026002"));
        QCOMPARE(draws.value[0].balls.reds, (std::array<int, 6>{2, 3, 4, 5, 6, 7}));
        QCOMPARE(draws.value[0].balls.blue, 8);
        QCOMPARE(draws.value[0].floatingYuan, (std::array<qint64, 2>{6592751, 206416}));
        QCOMPARE(draws.value[1].floatingYuan, (std::array<qint64, 2>{0, 0}));

        // One first, one second, one fourth, two sixth prizes and three 福运奖.
        const PrizeRules::Graded won{{1, 1, 0, 1, 0, 2, 3}, 0};
        const Backtest::DrawReturn known = Backtest::returnOf(won, 10, draws.value[0].floatingYuan);
        QCOMPARE(known.wonYuan, qint64(6592751 + 206416 + 200 + 10 + 15));
        QVERIFY(!known.floatingUnknown);
        QVERIFY(!known.fortuneUnknown);
        QCOMPARE(known.costYuan, qint64(20));
        const Backtest::DrawReturn unknown = Backtest::returnOf(won, 10, draws.value[1].floatingYuan);
        QCOMPARE(unknown.wonYuan, qint64(225));
        QVERIFY(unknown.floatingUnknown);
        // Bets whose 福运奖 is not known mark the money, and bring none.
        const Backtest::DrawReturn held = Backtest::returnOf({{0, 0, 0, 0, 1, 0, 0}, 4}, 10);
        QCOMPARE(held.wonYuan, qint64(10));
        QVERIFY(held.fortuneUnknown && !held.floatingUnknown);
    }

    // The range played whole: a row per draw with its money, the totals of every row, the
    // return; a history that cannot be read fails, a cancel is a cancel.
    void playRange()
    {
        ProgramDir dir;
        dir.addDraw(QStringLiteral("2026001"), {1, 2, 3, 4, 5, 6}, 7);
        dir.addDraw(QStringLiteral("2026002"), {2, 3, 4, 5, 6, 7}, 8);
        dir.addDraw(QStringLiteral("2026003"), {20, 21, 22, 23, 24, 25}, 9);
        DrawDetails details;
        details.qishu = QStringLiteral("2026002");
        details.grades[0].money = 5000000;
        QVERIFY(DrawDetailsStore::store(dir.db(), details).ok());
        const BetList bets{makeBet(1, 2, 3, 4, 5, 6, 7), makeBet(2, 3, 4, 5, 6, 7, 8)};

        const Backtest::Report r = Backtest::playRange(dir.db(), QStringLiteral("2026001"), QStringLiteral("2026003"), bets, {});
        QVERIFY(r.outcome.ok());
        QCOMPARE(r.bets, qint64(2));
        QCOMPARE(r.rows.size(), std::size_t(3));
        // 2026001: a first prize of unknown money and a fourth (five reds, no blue).
        QCOMPARE(r.rows[0].counts, (PrizeCounts{1, 0, 0, 1, 0, 0, 0}));
        QCOMPARE(r.rows[0].money.wonYuan, qint64(200));
        QVERIFY(r.rows[0].money.floatingUnknown);
        // 2026002: the first prize at the notice's money, and a fourth.
        QCOMPARE(r.rows[1].money.wonYuan, qint64(5000200));
        QVERIFY(!r.rows[1].money.floatingUnknown);
        QCOMPARE(r.rows[2].counts, (PrizeCounts{}));
        QCOMPARE(r.totalCounts, (PrizeCounts{2, 0, 0, 2, 0, 0, 0}));
        QCOMPARE(r.total.wonYuan, qint64(5000400));
        QCOMPARE(r.total.costYuan, qint64(12));
        QVERIFY(r.total.floatingUnknown);
        QCOMPARE(r.returnRatio(), 5000400.0 / 12.0);

        const Backtest::Report none = Backtest::playRange(dir.db(), QStringLiteral("2027001"), QStringLiteral("2027009"), bets, {});
        QVERIFY(none.outcome.ok());
        QCOMPARE(none.returnRatio(), 0.0);
        const Backtest::Report unread = Backtest::playRangeAt(dir.file(QStringLiteral("nowhere")), QStringLiteral("2026001"),
                                                              QStringLiteral("2026003"), bets, {});
        QCOMPARE(int(unread.outcome.status), int(Outcome::Status::Failed));
        const Backtest::Report cancelled = Backtest::playRangeAt(dir.path(), QStringLiteral("2026001"), QStringLiteral("2026003"),
                                                                 bets, {}, [](qint64, qint64) { return false; });
        QVERIFY(cancelled.outcome.isCancelled());
        QVERIFY(cancelled.rows.empty());
    }

    // Each draw is played under its own rules: 福运奖 in the period, none after its stop, and
    // held back, marked, where nothing tells.
    void playRangeUnderEachDrawsRules()
    {
        ProgramDir dir;
        QStringList lines;
        for (const QString &line : realHistoryLines())
            if (line >= QLatin1String("2026074") && line < QLatin1String("2026078"))
                lines << line;
        QCOMPARE(dir.addLines(lines), 4);
        // 2026075: 08 12 18 21 24 30 + 01; 2026076: 01 03 19 20 24 25 + 07; 2026077: 01 04 05 14 18 25 + 04.
        // Each bet holds three reds of one of the three draws and not its blue.
        const BetList bets{makeBet(8, 12, 18, 2, 6, 7, 16), makeBet(1, 19, 24, 2, 6, 7, 16),
                           makeBet(1, 5, 14, 2, 6, 7, 16)};
        const Backtest::Report r = Backtest::playRange(dir.db(), QStringLiteral("2026075"), QStringLiteral("2026077"), bets,
                                                       shippedFortunePeriods());
        QVERIFY(r.outcome.ok());
        QCOMPARE(r.rows.size(), std::size_t(3));
        QCOMPARE(r.rows[0].draw.fortune, Fortune::InForce);
        QCOMPARE(r.rows[0].counts, (PrizeCounts{0, 0, 0, 0, 0, 0, 1}));
        QCOMPARE(r.rows[0].money.wonYuan, qint64(5));
        QCOMPARE(r.rows[1].draw.fortune, Fortune::NotInForce);
        QCOMPARE(r.rows[1].counts, (PrizeCounts{}));
        QVERIFY(!r.rows[1].money.fortuneUnknown);
        QCOMPARE(r.rows[2].draw.fortune, Fortune::Unknown);
        QCOMPARE(r.rows[2].counts, (PrizeCounts{}));
        QCOMPARE(r.rows[2].fortuneUnknown, qint64(1));
        QVERIFY(r.rows[2].money.fortuneUnknown);
        QCOMPARE(r.totalCounts, (PrizeCounts{0, 0, 0, 0, 0, 0, 1}));
        QCOMPARE(r.totalFortuneUnknown, qint64(1));
        QVERIFY(r.total.fortuneUnknown);
        QCOMPARE(r.total.wonYuan, qint64(5));
    }

    void cancelEndsTheCount_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("indexed") << 250000;
        QTest::newRow("bet by bet") << 10000;
    }
    void cancelEndsTheCount()
    {
        QFETCH(int, size);
        std::mt19937 rng(7);
        BetList bets;
        for (int i = 0; i < size; ++i)
            bets.push_back(randomBet(rng, true));
        const std::vector<DrawBalls> draws = drawsFor(bets, rng);
        int calls = 0;
        const auto counts = Backtest::countOverDraws(bets, draws, [&](qint64, qint64) { return ++calls < 3; });
        QVERIFY(!counts);
        QCOMPARE(calls, 3);
    }
};

QTEST_GUILESS_MAIN(TestBacktest)
#include "tst_backtest.moc"

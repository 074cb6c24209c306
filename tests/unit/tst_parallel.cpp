// The jobs split over threads against the same jobs on one thread: generation, the filter,
// the prize check and the backtest give the same bets and counts
// with one thread and with several (three splits unevenly and runs more
// blocks than this machine has cores). A cancel stops every block and returns no list.
#include "BetFixtures.h"
#include "core/Parallel.h"
#include "core/bets/Filters.h"
#include "core/bets/Generation.h"
#include "core/prize/Backtest.h"
#include "core/prize/PrizeCheck.h"

#include <QTest>

#include <atomic>
#include <cstring>
#include <functional>
#include <new>
#include <random>
#include <thread>

using fixtures::range;
using PrizeCheck::DrawBalls;

namespace {

const int kThreadCounts[] = {2, 3};

bool sameBets(const BetList &a, const BetList &b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Bet)) == 0);
}

// What job gives on one thread and on each of kThreadCounts.
template <class Job>
auto onEachThreadCount(Job job)
{
    Parallel::setThreadCount(1);
    const auto single = job();
    std::vector<decltype(job())> several;
    for (int threads : kThreadCounts) {
        Parallel::setThreadCount(threads);
        several.push_back(job());
    }
    Parallel::setThreadCount(0);
    return std::make_pair(single, several);
}

DrawBalls drawOf(const Bet &b)
{
    DrawBalls d;
    for (int i = 0; i < 6; ++i)
        d.reds[std::size_t(i)] = b.red[i];
    d.blue = b.blue;
    return d;
}

} // namespace

class TestParallel : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Parallel::setThreadCount(0); }

    void blocksCoverTheRangeInOrder_data()
    {
        QTest::addColumn<int>("threads");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("minBlock");
        QTest::addColumn<int>("align");
        QTest::addColumn<int>("blocks");
        QTest::newRow("one thread") << 1 << 100000 << 100 << 1 << 1;
        QTest::newRow("short list") << 4 << 150 << 100 << 1 << 1;
        QTest::newRow("empty") << 4 << 0 << 100 << 1 << 1;
        QTest::newRow("uneven") << 3 << 100001 << 100 << 1 << 3;
        QTest::newRow("fewer blocks than threads") << 8 << 350 << 100 << 1 << 3;
        QTest::newRow("aligned") << 3 << 100001 << 1000 << 64 << 3;
    }
    void blocksCoverTheRangeInOrder()
    {
        QFETCH(int, threads);
        QFETCH(int, n);
        QFETCH(int, minBlock);
        QFETCH(int, align);
        QFETCH(int, blocks);
        Parallel::setThreadCount(threads);
        const Parallel::Split split{std::size_t(n), std::size_t(minBlock), std::size_t(align)};
        QCOMPARE(int(split.blocks()), blocks);
        QCOMPARE(split.begin(0), std::size_t(0));
        QCOMPARE(split.end(split.blocks() - 1), std::size_t(n));
        for (std::size_t b = 1; b < split.blocks(); ++b) {
            QCOMPARE(split.begin(b), split.end(b - 1));
            QCOMPARE(split.begin(b) % std::size_t(align), std::size_t(0));
            QCOMPARE_GT(split.begin(b), split.begin(b - 1));
        }
        // Every item is visited once, by its own block.
        std::vector<int> visits(std::size_t(n), 0);
        QVERIFY(split.run({}, [&](std::size_t block, Parallel::BlockTicker &) {
            for (std::size_t i = split.begin(block); i < split.end(block); ++i)
                ++visits[i];
            return true;
        }));
        QCOMPARE(std::count(visits.begin(), visits.end(), 1), qsizetype(n));
    }

    // The other blocks wait at their 100th item while the first block's next tick reports and
    // is cancelled; then they go on, and each must stop at its own next tick.
    void cancelStopsEveryBlock()
    {
        Parallel::setThreadCount(3);
        constexpr std::size_t n = 3000000;
        const Parallel::Split split(n);
        QCOMPARE(int(split.blocks()), 3);
        std::atomic<bool> released{false};
        std::vector<std::atomic<std::size_t>> done(split.blocks());
        auto othersWaiting = [&] {
            for (std::size_t b = 1; b < done.size(); ++b)
                if (done[b] != 100)
                    return false;
            return true;
        };
        const bool finished = split.run([&](qint64) { return !othersWaiting(); },
                                        [&](std::size_t block, Parallel::BlockTicker &ticker) {
            for (std::size_t i = split.begin(block); i < split.end(block); ++i) {
                if (!ticker.tick(i)) {
                    if (block == 0)
                        released = true; // the cancel is in: let the others go on
                    return false;
                }
                if (block == 0 && done[0] == 1)
                    while (!othersWaiting())
                        std::this_thread::yield();
                if (++done[block] == 100 && block != 0)
                    while (!released)
                        std::this_thread::yield();
            }
            return true;
        });
        QVERIFY(!finished);
        for (std::size_t b = 1; b < split.blocks(); ++b) // block 0 may have been cancelled at its first tick
            QCOMPARE(done[b].load(), Parallel::BlockTicker::kStep);
    }

    void exceptionReachesTheCaller()
    {
        Parallel::setThreadCount(2);
        const Parallel::Split split(100000);
        bool thrown = false;
        try {
            split.run({}, [&](std::size_t block, Parallel::BlockTicker &ticker) {
                if (block == 1)
                    throw std::bad_alloc();
                for (std::size_t i = split.begin(block); i < split.end(block); ++i)
                    if (!ticker.tick(i))
                        return false;
                return true;
            });
        } catch (const std::bad_alloc &) {
            thrown = true;
        }
        QVERIFY(thrown);
    }

    void generationMatches_data()
    {
        QTest::addColumn<QString>("banker");
        QTest::addColumn<int>("reds");
        QTest::addColumn<int>("blues");
        QTest::newRow("all combinations") << QString() << 21 << 3;
        QTest::newRow("one blue") << QString() << 22 << 1;
        QTest::newRow("banker and drag") << QStringLiteral("05 ") << 33 << 2;
    }
    void generationMatches()
    {
        QFETCH(QString, banker);
        QFETCH(int, reds);
        QFETCH(int, blues);
        const auto [single, several] = onEachThreadCount([&] {
            return banker.isEmpty() ? generateAllCombinations(range(1, reds), range(1, blues)).bets
                                    : generateBankerDrag(banker, range(1, reds), range(1, blues)).bets;
        });
        QCOMPARE_GE(single.size() / std::size_t(blues), Parallel::Split::kMinBlock * 3); // three blocks
        for (const BetList &list : several)
            QVERIFY(sameBets(list, single));
    }

    void filterMatches_data()
    {
        QTest::addColumn<QList<int>>("ticked"); // condition, lower, upper, ...
        QTest::addColumn<int>("tolerance");
        QTest::newRow("sum and odd") << QList<int>{int(Condition::Sum), 80, 120, int(Condition::Odd), 2, 4} << 0;
        QTest::newRow("span, ac, consecutive, one may fail")
            << QList<int>{int(Condition::Span), 20, 30, int(Condition::Ac), 5, 9, int(Condition::Consecutive), 0, 1} << 1;
        QTest::newRow("nothing passes") << QList<int>{int(Condition::Sum), 300, 400} << 0;
        QList<int> all;
        for (int c = 0; c < kConditionCount; ++c)
            all << c << kFilterConditions[c].defaultLower << kFilterConditions[c].defaultUpper + 8;
        QTest::newRow("all seventeen, two may fail") << all << 2;
    }
    void filterMatches()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(int, tolerance);
        FilterSettings settings = defaultFilterSettings();
        for (int i = 0; i + 2 < ticked.size(); i += 3)
            settings[ticked[i]] = {true, QString::number(ticked[i + 1]), QString::number(ticked[i + 2])};
        settings.tolerance = tolerance;
        FilterBounds bounds;
        QVERIFY(parseFilterBounds(settings, bounds).ok());
        const BetList input = fixtures::randomBets(200003, 33, 16, true, 7, 11);
        const auto [single, several] = onEachThreadCount([&] { return filterBets(input, bounds).bets; });
        for (const BetList &list : several)
            QVERIFY(sameBets(list, single));
    }

    void prizeCheckMatches()
    {
        const BetList input = fixtures::randomBets(300000, 33, 16, true, 0, 9);
        for (const Bet &drawn : {input[5], input[123456], fixtures::row("01 02 03 04 05 0601")}) {
            const auto [single, several] = onEachThreadCount([&] { return PrizeCheck::tallyHits(input, drawOf(drawn)); });
            for (const PrizeRules::HitTally &counts : several)
                QCOMPARE(counts, single);
        }
    }

    void backtestMatches_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("by red sets") << 250000;
        QTest::newRow("bet by bet") << 20000;
    }
    void backtestMatches()
    {
        QFETCH(int, size);
        const BetList input = fixtures::randomBets(std::size_t(size), 33, 16, true, 3, 13);
        std::vector<DrawBalls> draws;
        for (std::size_t i = 0; i < 41; ++i)
            draws.push_back(drawOf(input[i * 97]));
        const auto [single, several] = onEachThreadCount([&] { return Backtest::countOverDraws(input, draws).value(); });
        QCOMPARE(single.size(), draws.size());
        for (const auto &counts : several)
            QCOMPARE(counts, single);
    }

    // Each job cancelled at its second report, on several threads: no list, no counts.
    void cancelOnSeveralThreads()
    {
        Parallel::setThreadCount(3);
        const BetList input = fixtures::randomBets(300000, 33, 16, false, 0, 17);
        auto cancelled = [](const Outcome &o) { return o.status == Outcome::Status::Cancelled; };
        int calls = 0;
        QVERIFY(cancelled(generateAllCombinations(range(1, 22), range(1, 4), 0, [&](qint64, qint64) { return ++calls < 2; }).outcome));
        FilterSettings settings = defaultFilterSettings();
        settings[Condition::Sum] = {true, QStringLiteral("21"), QStringLiteral("183")};
        FilterBounds bounds;
        QVERIFY(parseFilterBounds(settings, bounds).ok());
        calls = 0;
        QVERIFY(cancelled(filterBets(input, bounds, [&](qint64, qint64) { return ++calls < 2; }).outcome));
        std::vector<DrawBalls> draws(20, drawOf(input[0]));
        calls = 0;
        QVERIFY(!Backtest::countOverDraws(input, draws, [&](qint64, qint64) { return ++calls < 3; }));
        QCOMPARE(calls, 3);
    }
};

QTEST_GUILESS_MAIN(TestParallel)
#include "tst_parallel.moc"

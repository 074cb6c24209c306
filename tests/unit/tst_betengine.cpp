// The two lists as the betting tab sees them: generation, filter, reduction and deletion,
// refusals and cancels, and computations on a worker thread while the lists are read.
#include "BetFixtures.h"
#include "core/bets/BetEngine.h"
#include "core/bets/Guarantee.h"

#include <QSemaphore>
#include <QtConcurrent/QtConcurrentRun>
#include <QtTest>

using fixtures::range;
using fixtures::rows;
using fixtures::selected;
using fixtures::selectedRange;

class TestBetEngine : public QObject {
    Q_OBJECT
private slots:
    void generateFillsBoth();
    void warningsDoNotStop_data();
    void warningsDoNotStop();
    void refusalEmptiesBoth();
    void filterStartsFromGenerated();
    void filterRefusals_data();
    void filterRefusals();
    void reduceThenDelete();
    void deleteDoesNotTouchGenerated();
    void cancelLeavesListsAsTheyWere();
    void generationOnWorker();
    void workerKeepsItsSnapshot();
};

namespace {
GenerationRequest all(int guarantee = 0)
{
    GenerationRequest r;
    r.guaranteeN = guarantee;
    return r;
}

const ProgressFn kCancelAtOnce = [](qint64, qint64) { return false; };
} // namespace

void TestBetEngine::generateFillsBoth()
{
    BetEngine e;
    QVERIFY(e.current().empty());
    const EngineResult r = e.generate(selectedRange<33>(1, 7), selected<16>({1, 2}), all());
    QVERIFY(r.outcome.ok());
    QVERIFY(r.warning.isEmpty());
    QCOMPARE(int(e.generated().size()), 14);
    QCOMPARE(rows(e.current()), rows(e.generated()));
    QCOMPARE(e.current().data(), e.generated().data()); // one storage until current changes
}

void TestBetEngine::warningsDoNotStop_data()
{
    QTest::addColumn<fixtures::RedToggles>("reds");
    QTest::addColumn<fixtures::BlueToggles>("blues");
    QTest::addColumn<QString>("warning");
    QTest::newRow("five reds") << selectedRange<33>(1, 5) << selected<16>({1}) << kTooFewRedsMessage;
    QTest::newRow("no blue") << selectedRange<33>(1, 10) << fixtures::BlueToggles{} << kNoBlueMessage;
}

void TestBetEngine::warningsDoNotStop()
{
    QFETCH(fixtures::RedToggles, reds);
    QFETCH(fixtures::BlueToggles, blues);
    QFETCH(QString, warning);
    BetEngine e;
    e.generate(selectedRange<33>(1, 8), selected<16>({1}), all());
    const EngineResult r = e.generate(reds, blues, all());
    QCOMPARE(r.warning, warning);
    QVERIFY(r.outcome.ok());
    QCOMPARE(int(e.generated().size()), 0);
    QCOMPARE(int(e.current().size()), 0);
}

void TestBetEngine::refusalEmptiesBoth()
{
    BetEngine e;
    e.generate(selectedRange<33>(1, 8), selected<16>({1}), all());
    GenerationRequest banker;
    banker.method = BetMethod::BankerDrag;
    const EngineResult r = e.generate(selectedRange<33>(1, 8), selected<16>({1}), banker);
    QCOMPARE(r.outcome.status, Outcome::Status::Refused);
    QCOMPARE(r.outcome.message, kNoBankerMessage);
    QVERIFY(e.generated().empty());
    QVERIFY(e.current().empty());
}

void TestBetEngine::filterStartsFromGenerated()
{
    BetEngine e;
    e.generate(selectedRange<33>(1, 12), selected<16>({1, 2}), all());
    const QStringList everything = rows(e.generated());
    QVERIFY(e.reduce(4).outcome.ok());
    QCOMPARE_LT(e.current().size(), e.generated().size());
    // Nothing ticked: the whole generated list again.
    QVERIFY(e.filter(BetMethod::AllCombinations, defaultFilterSettings()).outcome.ok());
    QCOMPARE(rows(e.current()), everything);
    QCOMPARE(e.current().data(), e.generated().data());

    FilterSettings s = defaultFilterSettings();
    s[Condition::Red1] = {true, "1", "1"};
    QVERIFY(e.filter(BetMethod::AllCombinations, s).outcome.ok());
    QCOMPARE(int(e.current().size()), 462 * 2);
    // Filters do not accumulate.
    s[Condition::Red1] = {true, "2", "2"};
    QVERIFY(e.filter(BetMethod::BankerDrag, s).outcome.ok());
    QCOMPARE(int(e.current().size()), 252 * 2);
    QCOMPARE(rows(e.generated()), everything);
}

void TestBetEngine::filterRefusals_data()
{
    QTest::addColumn<BetMethod>("method");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("message");
    QTest::newRow("wheel chosen") << BetMethod::Wheel << "1" << kWheelFilterMessage;
    QTest::newRow("bad bound") << BetMethod::AllCombinations << "x"
                               << "“红球1”的下限“x”不是有效的整数，请重新输入！";
}

void TestBetEngine::filterRefusals()
{
    QFETCH(BetMethod, method);
    QFETCH(QString, lower);
    QFETCH(QString, message);
    BetEngine e;
    e.generate(selectedRange<33>(1, 10), selected<16>({1}), all());
    e.reduce(3);
    const QStringList before = rows(e.current());
    FilterSettings s = defaultFilterSettings();
    s[Condition::Red1] = {true, lower, "1"};
    const EngineResult r = e.filter(method, s);
    QCOMPARE(r.outcome.status, Outcome::Status::Refused);
    QCOMPARE(r.outcome.message, message);
    QCOMPARE(rows(e.current()), before);
}

void TestBetEngine::reduceThenDelete()
{
    BetEngine e;
    QVERIFY(e.reduce(4).outcome.ok()); // empty stays empty
    QVERIFY(e.current().empty());
    e.generate(selectedRange<33>(1, 7), selected<16>({1, 2}), all());
    QVERIFY(e.reduce(5).outcome.ok());
    // Seven reds: every two rows share five, so one row per blue is left.
    QCOMPARE(rows(e.current()), QStringList({"01 02 03 04 05 0601", "01 02 03 04 05 0602"}));
    QVERIFY(e.deleteBet(1).ok());
    QCOMPARE(rows(e.current()), QStringList({"01 02 03 04 05 0602"}));
    QCOMPARE(e.deleteBet(2).status, Outcome::Status::Refused);
    QCOMPARE(int(e.current().size()), 1);
}

void TestBetEngine::deleteDoesNotTouchGenerated()
{
    BetEngine e;
    e.generate(selectedRange<33>(1, 7), selected<16>({1}), all());
    QVERIFY(e.deleteBet(5).ok());
    QCOMPARE(int(e.current().size()), 6);
    QCOMPARE(int(e.generated().size()), 7);
    QCOMPARE(betRowText(e.current()[4]), betRowText(e.generated()[5]));
    QVERIFY(e.deleteBet(6).ok());
    QCOMPARE(int(e.current().size()), 5);
    QCOMPARE(int(e.generated().size()), 7);
}

void TestBetEngine::cancelLeavesListsAsTheyWere()
{
    BetEngine e;
    e.generate(selectedRange<33>(1, 12), selected<16>({1, 2}), all());
    FilterSettings s = defaultFilterSettings();
    s[Condition::Sum] = {true, "21", "40"};
    e.filter(BetMethod::AllCombinations, s);
    const QStringList generated = rows(e.generated());
    const QStringList current = rows(e.current());
    QCOMPARE_LT(current.size(), generated.size());

    QCOMPARE(e.generate(selectedRange<33>(1, 20), selectedRange<16>(1, 4), all(), kCancelAtOnce).outcome.status, Outcome::Status::Cancelled);
    QCOMPARE(e.generate(selectedRange<33>(1, 20), selectedRange<16>(1, 4), all(3), kCancelAtOnce).outcome.status, Outcome::Status::Cancelled);
    QVERIFY(e.filter(BetMethod::AllCombinations, defaultFilterSettings(), kCancelAtOnce).outcome.ok());
    QCOMPARE(rows(e.current()), generated); // nothing ticked: a plain copy, nothing to cancel
    e.filter(BetMethod::AllCombinations, s);
    QCOMPARE(e.filter(BetMethod::AllCombinations, s, kCancelAtOnce).outcome.status, Outcome::Status::Cancelled);
    QCOMPARE(e.reduce(3, kCancelAtOnce).outcome.status, Outcome::Status::Cancelled);
    QCOMPARE(rows(e.generated()), generated);
    QCOMPARE(rows(e.current()), current);
}

void TestBetEngine::generationOnWorker()
{
    BetEngine e;
    e.generate(selectedRange<33>(1, 10), selected<16>({1}), all());
    const QStringList before = rows(e.current());
    QFuture<EngineResult> work = QtConcurrent::run(
        [] { return listsAfterGeneration(selectedRange<33>(1, 20), selectedRange<16>(1, 4), all()); });
    // The grid keeps reading the old list while the worker makes the new one.
    int reads = 0;
    while (!work.isFinished() || reads == 0) {
        QCOMPARE(rows(e.current()), before);
        ++reads;
    }
    const EngineResult r = work.result();
    QVERIFY(r.outcome.ok());
    QCOMPARE(rows(e.current()), before); // nothing changes until it is applied
    e.apply(r);
    QCOMPARE(int(e.current().size()), 38760 * 4);
    QCOMPARE(e.current().data(), e.generated().data());
}

void TestBetEngine::workerKeepsItsSnapshot()
{
    // A reduction computes from a snapshot while the UI thread deletes a bet of the same
    // current list: the delete must not write into the list the worker reads.
    BetEngine e;
    e.generate(selectedRange<33>(1, 14), selected<16>({1, 2}), all());
    FilterSettings s = defaultFilterSettings();
    s[Condition::Sum] = {true, "21", "60"};
    QVERIFY(e.filter(BetMethod::AllCombinations, s).outcome.ok());
    const BetList snapshotted = e.current();
    const QStringList reducedBefore = rows(reduceByGuarantee(snapshotted, 4).bets);

    QSemaphore started, deleted;
    const BetLists snapshot = e.lists();
    QFuture<EngineResult> work = QtConcurrent::run([snapshot, &started, &deleted] {
        bool first = true;
        return listsAfterReduction(snapshot, 4, [&](qint64, qint64) {
            if (first) {
                first = false;
                started.release();
                deleted.acquire();
            }
            return true;
        });
    });
    started.acquire();
    QVERIFY(e.deleteBet(1).ok());
    deleted.release();
    const EngineResult r = work.result();
    QCOMPARE(int(e.current().size()), int(snapshotted.size()) - 1);
    QCOMPARE(rows(*snapshot.current), rows(snapshotted));
    QCOMPARE(rows(*r.lists.current), reducedBefore);
}

QTEST_GUILESS_MAIN(TestBetEngine)
#include "tst_betengine.moc"

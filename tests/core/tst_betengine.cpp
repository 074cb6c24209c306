// The two lists as the betting tab sees them: generation, filter, reduction and deletion,
// refusals and cancels.
#include "BetFixtures.h"
#include "core/bets/BetEngine.h"

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
    QVERIFY(!r.outcome.ok());
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
    QVERIFY(e.current().size() < e.generated().size());
    // Nothing ticked: the whole generated list again.
    QVERIFY(e.filter(BetMethod::AllCombinations, defaultFilterSettings()).outcome.ok());
    QCOMPARE(rows(e.current()), everything);

    FilterSettings s = defaultFilterSettings();
    s[11] = {true, "1", "1"}; // first red 1
    QVERIFY(e.filter(BetMethod::AllCombinations, s).outcome.ok());
    QCOMPARE(int(e.current().size()), 462 * 2);
    // Filters do not accumulate.
    s[11] = {true, "2", "2"};
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
    s[11] = {true, lower, "1"};
    const EngineResult r = e.filter(method, s);
    QVERIFY(!r.outcome.ok());
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
    QVERIFY(e.deleteBet(1));
    QCOMPARE(rows(e.current()), QStringList({"01 02 03 04 05 0602"}));
    QVERIFY(!e.deleteBet(2));
    QCOMPARE(int(e.current().size()), 1);
}

void TestBetEngine::deleteDoesNotTouchGenerated()
{
    BetEngine e;
    e.generate(selectedRange<33>(1, 7), selected<16>({1}), all());
    QVERIFY(e.deleteBet(5));
    QCOMPARE(int(e.current().size()), 6);
    QCOMPARE(int(e.generated().size()), 7);
    QCOMPARE(BetRowText(e.current()[4]), BetRowText(e.generated()[5]));
    QVERIFY(e.deleteBet(6));
    QCOMPARE(int(e.current().size()), 5);
    QCOMPARE(int(e.generated().size()), 7);
}

void TestBetEngine::cancelLeavesListsAsTheyWere()
{
    BetEngine e;
    e.generate(selectedRange<33>(1, 12), selected<16>({1, 2}), all());
    FilterSettings s = defaultFilterSettings();
    s[0] = {true, "21", "40"};
    e.filter(BetMethod::AllCombinations, s);
    const QStringList generated = rows(e.generated());
    const QStringList current = rows(e.current());
    QVERIFY(current.size() < generated.size());

    QVERIFY(e.generate(selectedRange<33>(1, 20), selectedRange<16>(1, 4), all(), kCancelAtOnce).cancelled);
    QVERIFY(e.generate(selectedRange<33>(1, 20), selectedRange<16>(1, 4), all(3), kCancelAtOnce).cancelled);
    QVERIFY(e.filter(BetMethod::AllCombinations, defaultFilterSettings(), kCancelAtOnce).outcome.ok());
    QCOMPARE(rows(e.current()), generated); // nothing ticked: a plain copy, nothing to cancel
    e.filter(BetMethod::AllCombinations, s);
    QVERIFY(e.filter(BetMethod::AllCombinations, s, kCancelAtOnce).cancelled);
    QVERIFY(e.reduce(3, kCancelAtOnce).cancelled);
    QCOMPARE(rows(e.generated()), generated);
    QCOMPARE(rows(e.current()), current);
}

QTEST_GUILESS_MAIN(TestBetEngine)
#include "tst_betengine.moc"

// The seventeen conditions: their values, the bounds and the filter pass.
#include "BetFixtures.h"
#include "core/bets/Filters.h"
#include "core/bets/Generation.h"
#include "core/history/DrawAttributes.h"

#include <QtTest>

Q_DECLARE_METATYPE(Condition)

using fixtures::row;

class TestFilters : public QObject {
    Q_OBJECT
private slots:
    void consecutiveCount_data();
    void consecutiveCount();
    void values_data();
    void values();
    void fastValuesMatchTheRules();
    void conditionTable();
    void bounds_data();
    void bounds();
    void badBound_data();
    void badBound();
    void filterPass();
    void passMatchesValuesForRandomBounds();
    void tolerance_data();
    void tolerance();
    void cancel();
};

void TestFilters::consecutiveCount_data()
{
    QTest::addColumn<QString>("bet");
    QTest::addColumn<int>("count");
    QTest::newRow("all six") << "01 02 03 04 05 0601" << 5;
    QTest::newRow("three and two") << "01 02 03 10 20 2101" << 2;
    QTest::newRow("two and three") << "01 02 10 11 12 2001" << 2;
    QTest::newRow("three pairs") << "01 02 10 11 20 2101" << 1;
    QTest::newRow("one then three") << "01 10 11 20 21 2201" << 1;
    QTest::newRow("none") << "05 09 13 17 21 2501" << 0;
    QTest::newRow("last pair only") << "01 05 09 13 20 2101" << 1;
    QTest::newRow("four from the second") << "01 10 11 12 13 2001" << 3;
    QTest::newRow("banker order, by position") << "04 05 06 07 08 0201" << 4;
    QTest::newRow("descending is not consecutive") << "06 05 04 03 02 0101" << 0;
}

void TestFilters::consecutiveCount()
{
    QFETCH(QString, bet);
    QFETCH(int, count);
    QCOMPARE(::countConsecutive(row(bet.toLatin1())), count);
}

void TestFilters::values_data()
{
    QTest::addColumn<QString>("bet");
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("03 07 11 19 25 28") << "03 07 11 19 25 2801"
                                       << QList<int>{93, 5, 3, 1, 2, 4, 0, 8, 33, 25, 31, 3, 7, 11, 19, 25, 28};
    QTest::newRow("01 to 06") << "01 02 03 04 05 0601"
                              << QList<int>{21, 3, 6, 0, 0, 4, 5, 0, 21, 5, 7, 1, 2, 3, 4, 5, 6};
    QTest::newRow("tens give units digit 0") << "10 20 30 31 32 3316"
                                             << QList<int>{156, 2, 1, 1, 4, 1, 3, 6, 6, 23, 43, 10, 20, 30, 31, 32, 33};
    QTest::newRow("banker bet by position") << "04 05 06 07 08 0201"
                                            << QList<int>{32, 2, 6, 0, 0, 3, 4, 1, 32, -2, 6, 4, 5, 6, 7, 8, 2};
}

void TestFilters::values()
{
    QFETCH(QString, bet);
    QFETCH(QList<int>, values);
    const PerCondition<int> got = conditionValues(row(bet.toLatin1()));
    QCOMPARE(QList<int>(got.begin(), got.end()), values);
}

void TestFilters::fastValuesMatchTheRules()
{
    // The filter pass uses lookup tables for AC and the consecutive count; they must agree
    // with acValue and the stepwise rule on every ascending bet and on bets in any order.
    BetList bets = generateAllCombinations(fixtures::range(1, 33), {1}).bets;
    const BetList shuffled = fixtures::randomBets(200000, 33, 1, true, 0, 7);
    bets.insert(bets.end(), shuffled.begin(), shuffled.end());
    int acMismatches = 0, consecutiveMismatches = 0;
    for (const Bet &b : bets) {
        const int reds[6] = {b.red[0], b.red[1], b.red[2], b.red[3], b.red[4], b.red[5]};
        const PerCondition<int> v = conditionValues(b);
        acMismatches += v[Condition::Ac] != acValue(reds);
        consecutiveMismatches += v[Condition::Consecutive] != ::countConsecutive(b);
    }
    QCOMPARE(acMismatches, 0);
    QCOMPARE(consecutiveMismatches, 0);
}

void TestFilters::conditionTable()
{
    QCOMPARE(QString::fromUtf8(kFilterConditions[Condition::Sum].caption), QStringLiteral("红球总和"));
    QCOMPARE(QString::fromUtf8(kFilterConditions[Condition::Red6].caption), QStringLiteral("红球6"));
    QCOMPARE(filterConditionIndex(QStringLiteral("AC值")), int(Condition::Ac));
    QCOMPARE(filterConditionIndex(QStringLiteral("tailsum")), int(Condition::TailSum));
    QCOMPARE(filterConditionIndex(QStringLiteral("R6")), int(Condition::Red6));
    QCOMPARE(filterConditionIndex(QStringLiteral("红球7")), -1);
    const FilterSettings d = defaultFilterSettings();
    QCOMPARE(d[Condition::Span].lower, QStringLiteral("21"));
    QCOMPARE(d[Condition::Span].upper, QStringLiteral("21"));
    QCOMPARE(d[Condition::Sum].upper, QStringLiteral("122"));
    for (const FilterSetting &s : d)
        QVERIFY(!s.ticked);
}

void TestFilters::bounds_data()
{
    QTest::addColumn<Condition>("condition");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("bet");
    QTest::addColumn<bool>("passes");
    QTest::newRow("sum inside") << Condition::Sum << "21" << "122" << "03 07 11 19 25 2801" << true;
    QTest::newRow("sum at lower bound") << Condition::Sum << "93" << "100" << "03 07 11 19 25 2801" << true;
    QTest::newRow("sum at upper bound") << Condition::Sum << "21" << "93" << "03 07 11 19 25 2801" << true;
    QTest::newRow("sum above") << Condition::Sum << "21" << "92" << "03 07 11 19 25 2801" << false;
    QTest::newRow("span equal bounds hit") << Condition::Span << "21" << "21" << "01 05 09 13 20 2201" << true;
    QTest::newRow("span equal bounds miss") << Condition::Span << "21" << "21" << "01 05 09 13 20 2301" << false;
    QTest::newRow("banker span -2 below every lower item") << Condition::Span << "5" << "32" << "04 05 06 07 08 0201" << false;
    QTest::newRow("banker red6 sees 2") << Condition::Red6 << "1" << "2" << "04 05 06 07 08 0201" << true;
    QTest::newRow("upper below lower") << Condition::Sum << "100" << "50" << "03 07 11 19 25 2801" << false;
    QTest::newRow("typed bound outside the items") << Condition::Odd << "-3" << "99" << "03 07 11 19 25 2801" << true;
    QTest::newRow("negative upper") << Condition::Sum << "-5" << "-1" << "03 07 11 19 25 2801" << false;
    QTest::newRow("lower past any value") << Condition::Sum << "40000" << "50000" << "03 07 11 19 25 2801" << false;
    QTest::newRow("upper past any value") << Condition::Sum << "93" << "99999" << "03 07 11 19 25 2801" << true;
    QTest::newRow("red bounds wider than balls") << Condition::Red1 << "-10" << "200" << "03 07 11 19 25 2801" << true;
    QTest::newRow("red lower past any ball") << Condition::Red6 << "200" << "300" << "03 07 11 19 25 2801" << false;
    QTest::newRow("blanks around a bound") << Condition::Ac << " 8 " << "8" << "03 07 11 19 25 2801" << true;
}

void TestFilters::bounds()
{
    QFETCH(Condition, condition);
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    QFETCH(QString, bet);
    QFETCH(bool, passes);
    FilterSettings s = defaultFilterSettings();
    s[condition] = {true, lower, upper};
    FilterBounds b;
    QVERIFY(parseFilterBounds(s, b).ok());
    QCOMPARE(passesFilters(row(bet.toLatin1()), b), passes);
}

void TestFilters::badBound_data()
{
    QTest::addColumn<Condition>("condition");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters in lower") << Condition::Sum << "abc" << "122" << "“红球总和”的下限“abc”不是有效的整数，请重新输入！";
    QTest::newRow("empty upper") << Condition::Ac << "0" << "" << "“AC值”的上限“”不是有效的整数，请重新输入！";
    QTest::newRow("fraction") << Condition::Red6 << "21.5" << "33" << "“红球6”的下限“21.5”不是有效的整数，请重新输入！";
}

void TestFilters::badBound()
{
    QFETCH(Condition, condition);
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    QFETCH(QString, message);
    FilterSettings s = defaultFilterSettings();
    s[Condition::Sum].ticked = true; // a good bound before the bad one does not matter
    s[condition] = {true, lower, upper};
    FilterBounds b;
    const Outcome o = parseFilterBounds(s, b);
    QCOMPARE(o.status, Outcome::Status::Refused);
    QCOMPARE(o.message, message);
    // An unticked condition's text is never read.
    s[condition].ticked = false;
    QVERIFY(parseFilterBounds(s, b).ok());
}

void TestFilters::filterPass()
{
    const BetList all = generateAllCombinations(fixtures::range(1, 33), {1}).bets;
    FilterSettings s = defaultFilterSettings();
    for (FilterSetting &c : s)
        c.ticked = true;
    s[Condition::Ac] = {true, "0", "10"};
    s[Condition::Span] = {true, "5", "32"};
    s[Condition::Ends] = {true, "7", "61"};
    FilterBounds b;
    QVERIFY(parseFilterBounds(s, b).ok());
    const BetList kept = filterBets(all, b).bets;
    // The pass keeps exactly the bets each condition lets through, in list order.
    BetList expected;
    for (const Bet &bet : all) {
        const PerCondition<int> v = conditionValues(bet);
        bool ok = true;
        for (int c = 0; c < kConditionCount; ++c)
            ok = ok && v[c] >= b.lower[c] && v[c] <= b.upper[c];
        if (ok)
            expected.push_back(bet);
    }
    QVERIFY(!kept.empty());
    QCOMPARE_LT(kept.size(), all.size());
    QCOMPARE(fixtures::rows(kept), fixtures::rows(expected));

    FilterBounds none;
    QCOMPARE(filterBets(all, none).bets.size(), all.size());
}

void TestFilters::passMatchesValuesForRandomBounds()
{
    // Bounds drawn around and beyond each condition's items, a few conditions ticked at a time.
    const BetList bets = fixtures::randomBets(5000, 33, 16, true, 0, 99);
    std::mt19937 rng(2024);
    int disagreements = 0, kept = 0;
    for (int round = 0; round < 300; ++round) {
        FilterBounds b;
        for (int c = 0; c < kConditionCount; ++c) {
            b.on[c] = rng() % 4 == 0;
            const FilterCondition &fc = kFilterConditions[c];
            std::uniform_int_distribution<int> pick(fc.firstItem - 5, fc.lastItem + 5);
            b.lower[c] = rng() % 20 == 0 ? -40000 : pick(rng);
            b.upper[c] = rng() % 20 == 0 ? 40000 : std::max(b.lower[c], pick(rng));
        }
        for (const Bet &bet : bets) {
            const PerCondition<int> v = conditionValues(bet);
            bool want = true;
            for (int c = 0; c < kConditionCount; ++c)
                want = want && (!b.on[c] || (v[c] >= b.lower[c] && v[c] <= b.upper[c]));
            disagreements += passesFilters(bet, b) != want;
            kept += want;
        }
    }
    QCOMPARE(disagreements, 0);
    QCOMPARE_GT(kept, 0);
}

namespace {
// The ticked conditions a bet fails, from its seventeen values.
int directFailures(const Bet &bet, const FilterBounds &b)
{
    const PerCondition<int> v = conditionValues(bet);
    int n = 0;
    for (int c = 0; c < kConditionCount; ++c)
        n += b.on[c] && (v[c] < b.lower[c] || v[c] > b.upper[c]);
    return n;
}
} // namespace

void TestFilters::tolerance_data()
{
    QTest::addColumn<int>("tolerance");
    QTest::addColumn<bool>("allTicked"); // all seventeen at their default bounds, else random bounds
    for (int t = 0; t <= kMaxFilterTolerance; ++t) {
        QTest::addRow("random bounds, tolerance %d", t) << t << false;
        QTest::addRow("all seventeen, tolerance %d", t) << t << true;
    }
}

void TestFilters::tolerance()
{
    // A bet is kept when at most the tolerance of the ticked conditions fail; at 0 the counting
    // and the plain pass must agree bet for bet. Bets in banker order too.
    QFETCH(int, tolerance);
    QFETCH(bool, allTicked);
    BetList bets = fixtures::randomBets(20000, 33, 16, true, 0, 11);
    const BetList ascending = fixtures::randomBets(20000, 33, 16, false, 0, 12);
    bets.insert(bets.end(), ascending.begin(), ascending.end());
    std::mt19937 rng(unsigned(77 + tolerance));
    qint64 kept = 0, dropped = 0;
    for (int round = 0; round < (allTicked ? 1 : 40); ++round) {
        FilterBounds b;
        if (allTicked) {
            FilterSettings s = defaultFilterSettings();
            for (FilterSetting &c : s)
                c.ticked = true;
            s[Condition::Ac] = {true, "0", "10"};
            s[Condition::Span] = {true, "5", "32"};
            s[Condition::Ends] = {true, "7", "61"};
            s.tolerance = tolerance;
            QVERIFY(parseFilterBounds(s, b).ok());
            QCOMPARE(b.tolerance, tolerance);
        } else {
            for (int c = 0; c < kConditionCount; ++c) {
                b.on[c] = rng() % 3 == 0;
                const FilterCondition &fc = kFilterConditions[c];
                std::uniform_int_distribution<int> pick(fc.firstItem - 3, fc.lastItem + 3);
                b.lower[c] = rng() % 25 == 0 ? 40000 : pick(rng); // now and then a bound nothing meets
                b.upper[c] = rng() % 25 == 0 ? -1 : std::max(b.lower[c], pick(rng));
            }
            b.tolerance = tolerance;
        }
        BetList expected;
        int countMismatches = 0;
        for (const Bet &bet : bets) {
            const int n = directFailures(bet, b);
            countMismatches += failedConditionCount(bet, b) != n;
            if (n <= tolerance)
                expected.push_back(bet);
        }
        QCOMPARE(countMismatches, 0);
        const BetList got = filterBets(bets, b).bets;
        QCOMPARE(fixtures::rows(got), fixtures::rows(expected));
        if (tolerance == 0) {
            FilterBounds plain = b;
            plain.tolerance = 0;
            int plainMismatches = 0;
            for (const Bet &bet : bets)
                plainMismatches += passesFilters(bet, plain) != (failedConditionCount(bet, b) == 0);
            QCOMPARE(plainMismatches, 0);
        }
        kept += qint64(got.size());
        dropped += qint64(bets.size() - got.size());
    }
    QCOMPARE_GT(kept, 0);
    QCOMPARE_GT(dropped, 0);
}

void TestFilters::cancel()
{
    const BetList all = generateAllCombinations(fixtures::range(1, 20), {1, 2}).bets;
    FilterBounds none;
    int calls = 0;
    QCOMPARE(filterBets(all, none, [&](qint64, qint64) { return ++calls < 2; }).outcome.status, Outcome::Status::Cancelled);
}

QTEST_GUILESS_MAIN(TestFilters)
#include "tst_filters.moc"

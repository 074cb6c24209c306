// The filter conditions counted over past draws: each ticked condition alone and all of them
// together at a tolerance, against a direct count; the refusals; the table's texts.
#include "ProgramDir.h"
#include "core/prize/FilterBacktest.h"

#include <QtTest>

namespace {

using PrizeCheck::DrawBalls;

DrawBalls draw(std::array<int, 6> reds, int blue)
{
    DrawBalls d;
    d.reds = reds;
    d.blue = blue;
    return d;
}

// Sums 21, 93, 129 and 183; odd counts 3, 5, 3 and 3; spans 5, 25, 22 and 5.
const std::vector<DrawBalls> kDraws{draw({1, 2, 3, 4, 5, 6}, 1), draw({3, 7, 11, 19, 25, 28}, 2),
                                    draw({11, 12, 20, 25, 28, 33}, 3), draw({28, 29, 30, 31, 32, 33}, 4)};

FilterSettings settingsOf(std::initializer_list<std::tuple<Condition, int, int>> ticked, int tolerance)
{
    FilterSettings s = defaultFilterSettings();
    for (const auto &[c, lo, hi] : ticked)
        s[c] = {true, QString::number(lo), QString::number(hi)};
    s.tolerance = tolerance;
    return s;
}

} // namespace

class TestFilterBacktest : public QObject {
    Q_OBJECT
private slots:
    void counts_data()
    {
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<qint64>("together");
        // sum 90..130 keeps draws 2 and 3, odd 3..3 draws 1, 3 and 4, span 20..30 draws 2 and 3:
        // failures per draw 2, 1, 0, 2.
        QTest::newRow("容错 0") << 0 << qint64(1);
        QTest::newRow("容错 1") << 1 << qint64(2);
        QTest::newRow("容错 2") << 2 << qint64(4);
        QTest::newRow("容错 3") << 3 << qint64(4);
    }
    void counts()
    {
        QFETCH(int, tolerance);
        QFETCH(qint64, together);
        const auto table = FilterBacktest::count(
            settingsOf({{Condition::Sum, 90, 130}, {Condition::Odd, 3, 3}, {Condition::Span, 20, 30}}, tolerance), kDraws);
        QVERIFY(table.ok());
        QCOMPARE(table.value.draws, qint64(4));
        QCOMPARE(table.value.conditions.size(), std::size_t(3));
        QCOMPARE(table.value.conditions[0].passed, qint64(2));
        QCOMPARE(table.value.conditions[1].passed, qint64(3));
        QCOMPARE(table.value.conditions[2].passed, qint64(2));
        QCOMPARE(table.value.together.passed, together);
        const std::vector<QStringList> rows = table.value.rows();
        QCOMPARE(rows.size(), std::size_t(4));
        QCOMPARE(rows[1], (QStringList{"奇数个数", "3至3", "3", "4", "75.00%"}));
        QCOMPARE(rows[3].first(), QStringLiteral("全部勾选条件（容错%1）").arg(tolerance));
        QCOMPARE(rows[3][1], QStringLiteral("3个条件"));
    }

    // A used number group is a row of its own; groups alone are enough to count, and the
    // together row keeps a draw only inside every group (groups take no tolerance).
    void numberGroups()
    {
        FilterSettings s = settingsOf({{Condition::Sum, 90, 130}}, 1);
        s.groups[1] = {QStringLiteral("28,3 33"), 2, 2}; // draws 2 (3, 28), 3 and 4 (28, 33)
        s.groups[3] = {QStringLiteral("01"), 0, 0};      // every draw but the first
        const auto table = FilterBacktest::count(s, kDraws);
        QVERIFY(table.ok());
        const std::vector<QStringList> rows = table.value.rows();
        QCOMPARE(rows.size(), std::size_t(4));
        QCOMPARE(rows[1], (QStringList{"号码组2", "03 28 33：2至2个", "3", "4", "75.00%"}));
        QCOMPARE(rows[2], (QStringList{"号码组4", "01：0至0个", "3", "4", "75.00%"}));
        // 容错 1 lets draws 1 and 4 fail their sum, but draw 1 is outside both groups.
        QCOMPARE(rows[3], (QStringList{"全部勾选条件（容错1）", "3个条件", "3", "4", "75.00%"}));

        FilterSettings groupsOnly = defaultFilterSettings();
        groupsOnly.groups[0] = {QStringLiteral("01"), 0, 0};
        QCOMPARE(FilterBacktest::count(groupsOnly, kDraws).value.together.passed, qint64(3));
        groupsOnly.groups[0].minimum = 3; // above its maximum: refused, naming the row
        const auto refused = FilterBacktest::count(groupsOnly, kDraws);
        QCOMPARE(int(refused.outcome.status), int(Outcome::Status::Refused));
        QVERIFY2(refused.outcome.message.startsWith(QStringLiteral("号码组1")), qPrintable(refused.outcome.message));
    }

    // The filter sees a draw's reds ascending, whatever order they came in.
    void drawReadAscending()
    {
        const Bet bet = FilterBacktest::drawAsBet(draw({33, 1, 20, 2, 19, 3}, 5));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(bet.red), 6), QByteArray("\x01\x02\x03\x13\x14\x21"));
        QCOMPARE(int(bet.blue), 5);
        // 红球1 sees 1 and 红球6 sees 33.
        const auto table = FilterBacktest::count(settingsOf({{Condition::Red1, 1, 1}, {Condition::Red6, 33, 33}}, 0),
                                                 {draw({33, 1, 20, 2, 19, 3}, 5)});
        QCOMPARE(table.value.together.passed, qint64(1));
    }

    void refusals_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing ticked") << false << "183" << FilterBacktest::kNothingTicked;
        QTest::newRow("upper bound no number") << true << "" << QStringLiteral("“红球总和”的上限“”不是有效的整数，请重新输入！");
    }
    void refusals()
    {
        QFETCH(bool, ticked);
        QFETCH(QString, upper);
        QFETCH(QString, message);
        FilterSettings s = defaultFilterSettings();
        s[Condition::Sum] = {ticked, QStringLiteral("21"), upper};
        const auto counted = FilterBacktest::count(s, kDraws);
        QCOMPARE(int(counted.outcome.status), int(Outcome::Status::Refused));
        QCOMPARE(counted.outcome.message, message);
        // The range is refused before any history is read: a connection that is none will do.
        const auto ranged = FilterBacktest::countRange(QSqlDatabase(), QStringLiteral("2007001"), QStringLiteral("2007009"), s);
        QCOMPARE(int(ranged.outcome.status), int(Outcome::Status::Refused));
        QCOMPARE(ranged.outcome.message, message);
    }

    // Over the stored draws of a range; a range without draws has no share.
    void range()
    {
        ProgramDir dir;
        dir.addDraw(QStringLiteral("2007001"), {1, 2, 3, 4, 5, 6}, 1);
        dir.addDraw(QStringLiteral("2007002"), {3, 7, 11, 19, 25, 28}, 2);
        dir.addDraw(QStringLiteral("2007003"), {11, 12, 20, 25, 28, 33}, 3);
        const FilterSettings s = settingsOf({{Condition::Sum, 90, 130}}, 0);
        const auto two = FilterBacktest::countRange(dir.db(), QStringLiteral("2007002"), QStringLiteral("2007003"), s);
        QVERIFY(two.ok());
        QCOMPARE(two.value.rows().back(), (QStringList{"全部勾选条件（容错0）", "1个条件", "2", "2", "100.00%"}));
        const auto none = FilterBacktest::countRange(dir.db(), QStringLiteral("2008001"), QStringLiteral("2008009"), s);
        QVERIFY(none.ok());
        QCOMPARE(none.value.rows().front(), (QStringList{"红球总和", "90至130", "0", "0", "-"}));
    }
};

QTEST_GUILESS_MAIN(TestFilterBacktest)
#include "tst_filterbacktest.moc"

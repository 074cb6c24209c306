// Number groups: reading the five rows (and each refusal), and the filter against a direct count
// of each group's balls in each bet.
#include "BetFixtures.h"
#include "core/bets/BetEngine.h"
#include "core/bets/Filters.h"
#include "core/bets/NumberGroups.h"

#include <QtTest>

namespace {
// Rows "balls:min..max" separated by "|"; an empty piece leaves its row at its defaults.
NumberGroupSettings settingsOf(const QString &rows)
{
    NumberGroupSettings s;
    const QStringList pieces = rows.split(QLatin1Char('|'));
    for (int i = 0; i < int(pieces.size()) && i < kNumberGroupCount; ++i) {
        const QString &p = pieces[i];
        if (p.isEmpty())
            continue;
        const int colon = p.lastIndexOf(QLatin1Char(':'));
        const int dots = p.indexOf(QLatin1String(".."), colon);
        s[std::size_t(i)] = {p.left(colon), p.mid(colon + 1, dots - colon - 1).toInt(), p.mid(dots + 2).toInt()};
    }
    return s;
}

std::uint64_t maskOf(std::initializer_list<int> balls)
{
    std::uint64_t m = 0;
    for (int b : balls)
        m |= std::uint64_t(1) << b;
    return m;
}

// The group's balls among the bet's reds, counted ball by ball.
int directCount(const Bet &bet, const std::vector<int> &balls)
{
    int n = 0;
    for (int r : bet.red)
        n += std::count(balls.begin(), balls.end(), r) > 0;
    return n;
}

struct DirectGroup {
    std::vector<int> balls;
    int minimum, maximum;
};
} // namespace

class TestNumberGroups : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("refusal"); // empty: read
        QTest::addColumn<int>("count");
        QTest::addColumn<quint64>("firstMask");
        QTest::newRow("blanks") << "03 07 11 19:1..2" << "" << 1 << quint64(maskOf({3, 7, 11, 19}));
        QTest::newRow("commas, one digit, tabs") << "3,7, 11\t19 :0..0" << "" << 1 << quint64(maskOf({3, 7, 11, 19}));
        QTest::newRow("full-width comma and 、") << "03，07、11:1..6" << "" << 1 << quint64(maskOf({3, 7, 11}));
        QTest::newRow("01 and 33") << "01 33:2..2" << "" << 1 << quint64(maskOf({1, 33}));
        QTest::newRow("all five rows") << "01:0..0|02:0..0|03:0..0|04:0..0|05 06:1..1" << "" << 5 << quint64(maskOf({1}));
        QTest::newRow("blank rows take no part") << "| ,, :0..6|09 10:1..2" << "" << 1 << quint64(maskOf({9, 10}));
        QTest::newRow("nothing used") << "" << "" << 0 << quint64(0);
        QTest::newRow("not a ball") << "03 0x:1..2" << "号码组1：“0x”不是有效的红球号码，请重新输入！" << 0 << quint64(0);
        QTest::newRow("a sign is not a ball") << "03 -7:1..2" << "号码组1：“-7”不是有效的红球号码，请重新输入！" << 0 << quint64(0);
        QTest::newRow("semicolon is no separator") << "03;07:1..2" << "号码组1：“03;07”不是有效的红球号码，请重新输入！" << 0 << quint64(0);
        QTest::newRow("34") << "01|03 34:1..2" << "号码组2：红球号码“34”不在01到33之间，请重新输入！" << 0 << quint64(0);
        QTest::newRow("00") << "00 05:1..2" << "号码组1：红球号码“00”不在01到33之间，请重新输入！" << 0 << quint64(0);
        QTest::newRow("too many digits for a number")
            << "99999999999:1..2" << "号码组1：红球号码“99999999999”不在01到33之间，请重新输入！" << 0 << quint64(0);
        QTest::newRow("repeated by value") << "||03 07 3:1..2" << "号码组3：红球号码“3”重复，请重新输入！" << 0 << quint64(0);
        QTest::newRow("min above max") << "03 07:1..1|03 07:3..2" << "号码组2：最少个数3大于最多个数2，请重新输入！" << 0 << quint64(0);
        QTest::newRow("count above 6") << "03 07:1..7" << "号码组1：个数必须在0到6之间，请重新输入！" << 0 << quint64(0);
        QTest::newRow("negative count") << "03 07:-1..2" << "号码组1：个数必须在0到6之间，请重新输入！" << 0 << quint64(0);
        QTest::newRow("no balls in a used row") << "03:1..1||||:1..2" << "号码组5：请输入红球号码！" << 0 << quint64(0);
        QTest::newRow("only separators in a used row") << " , 、:0..0" << "号码组1：请输入红球号码！" << 0 << quint64(0);
    }
    void parse()
    {
        QFETCH(QString, rows);
        QFETCH(QString, refusal);
        QFETCH(int, count);
        QFETCH(quint64, firstMask);
        NumberGroups groups;
        groups.count = 4; // a refusal leaves it as it was
        const Outcome o = parseNumberGroups(settingsOf(rows), groups);
        if (!refusal.isEmpty()) {
            QCOMPARE(o.status, Outcome::Status::Refused);
            QCOMPARE(o.message, refusal);
            QCOMPARE(groups.count, 4);
            return;
        }
        QVERIFY2(o.ok(), qPrintable(o.message));
        QCOMPARE(groups.count, count);
        if (count > 0)
            QCOMPARE(quint64(groups.group[0].mask), firstMask);
    }

    // The filter reads the groups with the conditions and refuses a bad one before any pass.
    void filterRefusesABadGroup()
    {
        FilterSettings s = defaultFilterSettings();
        s.groups = settingsOf(QStringLiteral("03 07:1..2|03 40:1..2"));
        FilterBounds b;
        const Outcome o = parseFilterBounds(s, b);
        QCOMPARE(o.message, QStringLiteral("号码组2：红球号码“40”不在01到33之间，请重新输入！"));
        QCOMPARE(b.groups.count, 0);

        BetEngine engine;
        QVERIFY(engine.generate(fixtures::selectedRange<33>(1, 8), fixtures::selected<16>({1}), {}).outcome.ok());
        const EngineResult r = engine.filter(BetMethod::AllCombinations, s);
        QCOMPARE(r.outcome.status, Outcome::Status::Refused);
        QCOMPARE(engine.current().size(), std::size_t(28));
    }

    // A group is kept exactly when its balls among the reds count within its bounds; groups are
    // strict, the tolerance counting only the seventeen conditions. Reds in banker order too.
    void filterMatchesADirectCount_data()
    {
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<bool>("conditions"); // a few conditions ticked beside the groups
        QTest::newRow("groups alone") << 0 << false;
        QTest::newRow("with conditions") << 0 << true;
        QTest::newRow("with conditions, tolerance 1") << 1 << true;
        QTest::newRow("with conditions, tolerance 3") << 3 << true;
    }
    void filterMatchesADirectCount()
    {
        QFETCH(int, tolerance);
        QFETCH(bool, conditions);
        BetList bets = fixtures::randomBets(20000, 33, 16, true, 0, 31);
        const BetList ascending = fixtures::randomBets(20000, 33, 16, false, 0, 32);
        bets.insert(bets.end(), ascending.begin(), ascending.end());
        std::mt19937 rng(unsigned(500 + tolerance));
        qint64 kept = 0, dropped = 0;
        for (int round = 0; round < 30; ++round) {
            FilterSettings s = defaultFilterSettings();
            s.tolerance = tolerance;
            if (conditions) {
                s[Condition::Sum] = {true, "80", "120"};
                s[Condition::Odd] = {true, "2", "4"};
                s[Condition::Ac] = {true, "5", "10"};
            }
            std::vector<DirectGroup> direct;
            const int used = 1 + int(rng() % kNumberGroupCount);
            std::vector<int> rowOrder = fixtures::range(0, kNumberGroupCount - 1);
            std::shuffle(rowOrder.begin(), rowOrder.end(), rng);
            for (int g = 0; g < used; ++g) {
                std::vector<int> balls = fixtures::range(1, 33);
                std::shuffle(balls.begin(), balls.end(), rng);
                balls.resize(1 + rng() % 12);
                const int minimum = int(rng() % 3);
                const int maximum = minimum + int(rng() % 4);
                QStringList text;
                for (int ball : balls)
                    text << QStringLiteral("%1").arg(ball, 2, 10, QLatin1Char('0'));
                // Groups sit in any of the five rows; blank rows between them.
                s.groups[std::size_t(rowOrder[std::size_t(g)])] = {text.join(QLatin1Char(' ')), minimum, maximum};
                direct.push_back({balls, minimum, maximum});
            }
            FilterBounds b;
            QVERIFY(parseFilterBounds(s, b).ok());
            QCOMPARE(b.groups.count, used);
            BetList expected;
            for (const Bet &bet : bets) {
                bool admitted = true;
                for (const DirectGroup &g : direct) {
                    const int n = directCount(bet, g.balls);
                    admitted = admitted && n >= g.minimum && n <= g.maximum;
                }
                if (admitted && failedConditionCount(bet, b) <= tolerance)
                    expected.push_back(bet);
            }
            const BetList got = filterBets(bets, b).bets;
            QCOMPARE(fixtures::rows(got), fixtures::rows(expected));
            kept += qint64(got.size());
            dropped += qint64(bets.size() - got.size());
        }
        QCOMPARE_GT(kept, 0);
        QCOMPARE_GT(dropped, 0);
    }

    // Excluding is 0..0 and requiring one of a set is 1..6, on the full list of 10 reds; the
    // engine filters with groups alone, nothing ticked.
    void excludeAndRequire_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("kept");
        QTest::newRow("exclude 01") << "01:0..0" << 84;           // C(9,6)
        QTest::newRow("exclude 01 02") << "01 02:0..0" << 28;     // C(8,6)
        QTest::newRow("require one of 01 02") << "01 02:1..6" << 182; // 210 - C(8,6)
        QTest::newRow("exactly one of 01 02") << "01 02:1..1" << 112; // 2 * C(8,5)
        QTest::newRow("exclude and require") << "01:0..0|02 03:2..2" << 35; // C(7,4)
        QTest::newRow("more than the group holds") << "01 02:3..6" << 0;
        QTest::newRow("every count") << "01 02:0..6" << 210;
    }
    void excludeAndRequire()
    {
        QFETCH(QString, rows);
        QFETCH(int, kept);
        BetEngine engine;
        QVERIFY(engine.generate(fixtures::selectedRange<33>(1, 10), fixtures::selected<16>({1}), {}).outcome.ok());
        FilterSettings s = defaultFilterSettings();
        s.groups = settingsOf(rows);
        QVERIFY(engine.filter(BetMethod::AllCombinations, s).outcome.ok());
        QCOMPARE(int(engine.current().size()), kept);
        QCOMPARE(int(engine.generated().size()), 210);
    }
};

QTEST_GUILESS_MAIN(TestNumberGroups)
#include "tst_numbergroups.moc"

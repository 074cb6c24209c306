// The prize rules of 2026: 福运奖 over real draws through the single and the list check, the
// state of a draw from its notice, the shipped table and the chain of stored pools, and the
// table's file.
#include "ProgramDir.h"
#include "core/bets/BetText.h"
#include "core/history/DrawDetails.h"
#include "core/prize/PrizeCheck.h"
#include "core/prize/PrizeRules.h"

#include <QtTest>

using PrizeRules::Fortune;

namespace {

const QString kNoPrize = QStringLiteral("很抱歉，您暂时还未中奖，还需继续努力！");
const QString kUnknown = QStringLiteral("本期是否设福运奖尚不可知，3个红球的投注未计奖。");

// The real draws of 2026 the bundled history holds (2026001 to 2026096).
class Draws2026 {
public:
    Draws2026()
    {
        QStringList lines;
        for (const QString &line : realHistoryLines())
            if (line.startsWith(QLatin1String("2026")))
                lines << line;
        m_stored = m_dir.addLines(lines);
    }
    QSqlDatabase db() { return m_dir.db(); }
    int stored() const { return m_stored; }
    // A notice's details for DRAWNUMBER: its pool and its 福运奖, nothing else said.
    bool addNotice(const QString &drawNumber, qint64 pool, qint64 fortuneWinners, qint64 fortuneMoney)
    {
        DrawDetails d;
        d.qishu = drawNumber;
        d.pool = pool;
        d.grades[PrizeRules::FortuneGrade - 1] = {fortuneWinners, fortuneMoney};
        return DrawDetailsStore::store(db(), d).ok();
    }

private:
    ProgramDir m_dir;
    int m_stored = 0;
};

// "+" in force, "-" not, "?" unknown: one character per draw.
QString statesText(const std::vector<Fortune> &states)
{
    QString text;
    for (Fortune f : states)
        text += f == Fortune::InForce ? QLatin1Char('+') : f == Fortune::NotInForce ? QLatin1Char('-') : QLatin1Char('?');
    return text;
}

} // namespace

class TestPrizeRules : public QObject {
    Q_OBJECT
private slots:
    void gradeOfEveryHit_data()
    {
        QTest::addColumn<int>("reds");
        QTest::addColumn<bool>("blue");
        QTest::addColumn<int>("without"); // the grade without 福运奖
        QTest::addColumn<int>("with");    // and with it
        QTest::newRow("6+1") << 6 << true << 1 << 1;
        QTest::newRow("6+0") << 6 << false << 2 << 2;
        QTest::newRow("5+1") << 5 << true << 3 << 3;
        QTest::newRow("5+0") << 5 << false << 4 << 4;
        QTest::newRow("4+1") << 4 << true << 4 << 4;
        QTest::newRow("4+0") << 4 << false << 5 << 5;
        QTest::newRow("3+1 stays fifth") << 3 << true << 5 << 5;
        QTest::newRow("3+0") << 3 << false << 0 << 7;
        QTest::newRow("2+1") << 2 << true << 6 << 6;
        QTest::newRow("2+0") << 2 << false << 0 << 0;
        QTest::newRow("0+1") << 0 << true << 6 << 6;
        QTest::newRow("0+0") << 0 << false << 0 << 0;
    }
    void gradeOfEveryHit()
    {
        QFETCH(int, reds);
        QFETCH(bool, blue);
        QFETCH(int, without);
        QFETCH(int, with);
        QCOMPARE(PrizeRules::gradeFor(reds, blue, false), without);
        QCOMPARE(PrizeRules::gradeFor(reds, blue, true), with);
        QCOMPARE(PrizeRules::kFixedYuan[PrizeRules::FortuneGrade - 1], qint64(5));
        QCOMPARE(PrizeRules::gradeName(PrizeRules::FortuneGrade), QStringLiteral("福运奖"));
    }

    // A tally graded: three reds without the blue go to 福运奖, to nothing, or are held back.
    void tallyGraded()
    {
        PrizeRules::HitTally tally;
        tally.at(3, false) = 4;
        tally.at(3, true) = 2;
        tally.at(0, true) = 1;
        tally.at(2, false) = 9;
        const PrizeRules::Graded in = PrizeRules::grade(tally, Fortune::InForce);
        QCOMPARE(in.counts, (PrizeRules::PrizeCounts{0, 0, 0, 0, 2, 1, 4}));
        QCOMPARE(in.fortuneUnknown, qint64(0));
        const PrizeRules::Graded off = PrizeRules::grade(tally, Fortune::NotInForce);
        QCOMPARE(off.counts, (PrizeRules::PrizeCounts{0, 0, 0, 0, 2, 1, 0}));
        const PrizeRules::Graded unknown = PrizeRules::grade(tally, Fortune::Unknown);
        QCOMPARE(unknown.counts, off.counts);
        QCOMPARE(unknown.fortuneUnknown, qint64(4));
    }

    // Real draws and the shipped table: before the rules, in the period, after its stop, and
    // after the last draw anything tells of.
    void realDraws_data()
    {
        QTest::addColumn<QString>("draw");
        QTest::addColumn<QString>("ticket");
        QTest::addColumn<QString>("single");
        QTest::addColumn<QStringList>("list");
        const QString fortune = QStringLiteral("恭喜您买中了福运奖！");
        // 2026013: 04 09 12 13 16 20 + 01
        QTest::newRow("2026013 3+0, before the rules") << "2026013" << "04 09 12 01 02 03 16" << kNoPrize << QStringList();
        // 2026014: 07 13 19 22 26 32 + 01
        QTest::newRow("2026014 3+0, the first draw") << "2026014" << "07 13 19 01 02 03 16" << fortune
                                                    << QStringList{"恭喜您买中了 1 注福运奖！"};
        // 2026050: 06 09 25 27 28 30 + 03
        QTest::newRow("2026050 3+0") << "2026050" << "06 09 25 01 02 03 16" << fortune
                                     << QStringList{"恭喜您买中了 1 注福运奖！"};
        QTest::newRow("2026050 3+1 is a fifth prize only") << "2026050" << "06 09 25 01 02 03 03"
                                                           << "恭喜您买中了五等奖！"
                                                           << QStringList{"恭喜您买中了 1 注五等奖！"};
        // 2026075: 08 12 18 21 24 30 + 01
        QTest::newRow("2026075 3+0, the last draw") << "2026075" << "08 12 18 01 02 03 16" << fortune
                                                   << QStringList{"恭喜您买中了 1 注福运奖！"};
        // 2026076: 01 03 19 20 24 25 + 07
        QTest::newRow("2026076 3+0, stopped") << "2026076" << "01 03 19 02 04 05 16" << kNoPrize << QStringList();
        // 2026077: 01 04 05 14 18 25 + 04, no notice in the history and past the table
        QTest::newRow("2026077 3+0, unknown") << "2026077" << "01 04 05 02 03 06 16" << kUnknown << QStringList();
        QTest::newRow("2026077 4+0 is known") << "2026077" << "01 04 05 14 02 03 16" << "恭喜您买中了五等奖！"
                                              << QStringList{"恭喜您买中了 1 注五等奖！"};
    }
    void realDraws()
    {
        QFETCH(QString, draw);
        QFETCH(QString, ticket);
        QFETCH(QString, single);
        QFETCH(QStringList, list);
        Draws2026 history;
        QCOMPARE(history.stored(), 96);
        const PrizeRules::FortunePeriods periods = shippedFortunePeriods();
        QCOMPARE(periods.periods.size(), std::size_t(1));
        const QStringList n = ticket.split(QLatin1Char(' '));
        const PrizeCheck::SingleCheck s = PrizeCheck::checkSingle(history.db(), draw, n.mid(0, 6), n[6], periods);
        QVERIFY2(s.outcome.ok(), qPrintable(s.outcome.message));
        QCOMPARE(s.result, single);

        const PrizeCheck::ListCheck l = PrizeCheck::checkList(history.db(), draw, ticket, periods);
        QVERIFY(l.outcome.ok());
        QCOMPARE(l.prizeMessages(), list);
        const bool unknown = single == kUnknown;
        QCOMPARE(l.fortuneUnknown, qint64(unknown ? 1 : 0));
        QCOMPARE(l.fortuneUnknownMessage(), unknown ? kUnknown + QStringLiteral("\n3个红球的投注共 1 注。") : QString());
    }

    // The whole list over one draw: every bet holding three of its reds and not its blue.
    void wholeListInForceAndUnknown()
    {
        Draws2026 history;
        BetList bets;
        // Reds 07 13 19 of 2026014 with three of 01..06, every blue: C(6,3) * 16 bets.
        for (int a = 1; a <= 6; ++a)
            for (int b = a + 1; b <= 6; ++b)
                for (int c = b + 1; c <= 6; ++c)
                    for (int blue = 1; blue <= 16; ++blue)
                        bets.push_back(makeBet(7, 13, 19, a, b, c, blue));
        const PrizeCheck::ListCheck in = PrizeCheck::checkBets(history.db(), QStringLiteral("2026014"), bets, shippedFortunePeriods());
        QCOMPARE(in.counts, (PrizeRules::PrizeCounts{0, 0, 0, 0, 20, 0, 20 * 15}));
        // Without the table nothing tells of 2026014: its notice is not in the history.
        const PrizeCheck::ListCheck unknown = PrizeCheck::checkBets(history.db(), QStringLiteral("2026014"), bets, {});
        QCOMPARE(unknown.counts, (PrizeRules::PrizeCounts{0, 0, 0, 0, 20, 0, 0}));
        QCOMPARE(unknown.fortuneUnknown, qint64(20 * 15));
        QCOMPARE(unknown.fortuneUnknownMessage(), kUnknown + QStringLiteral("\n3个红球的投注共 300 注。"));
    }

    // A stored notice tells its own draw, before the table; and its pool the draw after it.
    void stateFromTheNotice_data()
    {
        QTest::addColumn<QString>("draw");
        QTest::addColumn<qint64>("winners");
        QTest::addColumn<qint64>("money");
        QTest::addColumn<QString>("states"); // of the draw, then of the one after it (pool 800 million)
        QTest::newRow("money: in force, carried over") << "2026080" << qint64(9373173) << qint64(5) << "++";
        QTest::newRow("listed empty: not, carried over") << "2026080" << qint64(0) << qint64(0) << "--";
        QTest::newRow("not listed: nothing tells") << "2026080" << qint64(-1) << qint64(-1) << "??";
        QTest::newRow("listed empty beats the table") << "2026050" << qint64(0) << qint64(0) << "-+";
        QTest::newRow("money before the rules does not count") << "2026012" << qint64(100) << qint64(5) << "--";
    }
    void stateFromTheNotice()
    {
        QFETCH(QString, draw);
        QFETCH(qint64, winners);
        QFETCH(qint64, money);
        QFETCH(QString, states);
        Draws2026 history;
        QVERIFY(history.addNotice(draw, 800000000, winners, money));
        const QString next = QString::number(draw.toInt() + 1);
        const auto read = PrizeRules::storedFortunes(history.db(), {draw, next}, shippedFortunePeriods());
        QVERIFY(read.ok());
        QCOMPARE(statesText(read.value), states);
    }

    // The chain of pools after the table's last known draw, 2026076 (stopped): POOLS are the
    // pools after 2026076, 2026077, ... (-1: no notice); STATES those of 2026076, 2026077, ...
    void poolChain_data()
    {
        QTest::addColumn<QList<qint64>>("pools");
        QTest::addColumn<QString>("states");
        QTest::newRow("start at exactly 1.5 billion") << QList<qint64>{1500000000, 900000000} << "-++";
        QTest::newRow("one yuan short does not start") << QList<qint64>{1499999999, 1499999999} << "---";
        QTest::newRow("carry over between") << QList<qint64>{2000000000, 310000000, 1499999999, 300000001} << "-++++";
        QTest::newRow("stop below 300 million") << QList<qint64>{1600000000, 299999999, 500000000} << "-+--";
        QTest::newRow("not at exactly 300 million") << QList<qint64>{1600000000, 300000000, 300000000} << "-+++";
        QTest::newRow("unknown after the last known draw") << QList<qint64>{-1, 1500000000} << "-?+";
        QTest::newRow("a pool missing breaks the carry") << QList<qint64>{1600000000, -1, 800000000} << "-+??";
    }
    void poolChain()
    {
        QFETCH(QList<qint64>, pools);
        QFETCH(QString, states);
        std::vector<PrizeRules::DrawFortuneFacts> facts;
        for (int i = 0; i <= pools.size(); ++i)
            facts.push_back({QString::number(2026076 + i), Fortune::Unknown, i < pools.size() ? pools[i] : -1});
        QCOMPARE(statesText(PrizeRules::fortuneStates(facts, shippedFortunePeriods())), states);
    }

    // The chain needs the draw right before: a gap in the history or a year's end breaks it,
    // and before the rules there is nothing to carry.
    void chainNeedsTheDrawBefore_data()
    {
        QTest::addColumn<QStringList>("draws");
        QTest::addColumn<QList<qint64>>("pools");
        QTest::addColumn<QString>("states");
        QTest::newRow("a gap") << QStringList{"2026076", "2026078"} << QList<qint64>{1600000000, -1} << "-?";
        QTest::newRow("a year's end") << QStringList{"2026150", "2027001"} << QList<qint64>{1600000000, -1} << "-?";
        QTest::newRow("the pool before the rules starts them")
            << QStringList{"2026013", "2026014"} << QList<qint64>{1600000000, -1} << "-+";
        QTest::newRow("but carries nothing into them")
            << QStringList{"2026013", "2026014"} << QList<qint64>{800000000, -1} << "-?";
        QTest::newRow("not a seven-digit draw number") << QStringList{"2026076", "20260"} << QList<qint64>{1600000000, -1}
                                                        << "-?";
    }
    void chainNeedsTheDrawBefore()
    {
        QFETCH(QStringList, draws);
        QFETCH(QList<qint64>, pools);
        QFETCH(QString, states);
        std::vector<PrizeRules::DrawFortuneFacts> facts;
        for (int i = 0; i < draws.size(); ++i)
            facts.push_back({draws[i], Fortune::Unknown, pools[i]});
        QCOMPARE(statesText(PrizeRules::fortuneStates(facts, {})).mid(1), states.mid(1));
    }

    // The table: a period is in force, the draw after the last known stop is not, later ones
    // are not known; gaps between periods are known stops.
    void tableStates_data()
    {
        QTest::addColumn<QString>("draw");
        QTest::addColumn<QString>("state");
        QTest::newRow("before the rules") << "2026013" << "-";
        QTest::newRow("an old draw") << "2007001" << "-";
        QTest::newRow("first of a period") << "2026014" << "+";
        QTest::newRow("last of a period") << "2026075" << "+";
        QTest::newRow("between two periods") << "2026090" << "-";
        QTest::newRow("second period") << "2026101" << "+";
        QTest::newRow("the draw after the last") << "2026111" << "-";
        QTest::newRow("past what the table knows") << "2026112" << "?";
        QTest::newRow("a later year") << "2027001" << "?";
    }
    void tableStates()
    {
        QFETCH(QString, draw);
        QFETCH(QString, state);
        const auto table = PrizeRules::parseFortunePeriods(QStringLiteral("# source\n2026014 2026075\n\n  2026100   2026110\n"));
        QVERIFY(table.ok());
        QCOMPARE(statesText({table.value.stateOf(draw)}), state);
        QCOMPARE(statesText({PrizeRules::FortunePeriods{}.stateOf(draw)}), draw < "2026014" ? QStringLiteral("-")
                                                                                              : QStringLiteral("?"));
    }

    void tableRefusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("one number") << "2026014" << "line 1 (2026014): not a first and a last draw number of seven digits";
        QTest::newRow("six digits") << "# a\n202601 2026075" << "line 2 (202601 2026075): not a first and a last draw number of seven digits";
        QTest::newRow("three numbers") << "2026014 2026075 2026080" << "line 1 (2026014 2026075 2026080): not a first and a last draw number of seven digits";
        QTest::newRow("backwards") << "2026075 2026014" << "line 1 (2026075 2026014): the period ends before it starts";
        QTest::newRow("before the rules") << "2026010 2026075" << "line 1 (2026010 2026075): the period starts before 2026014, the first draw of the rules";
        QTest::newRow("overlapping") << "2026014 2026075\n2026075 2026080" << "line 2 (2026075 2026080): the period does not start after the one before it";
        QTest::newRow("out of order") << "2026100 2026110\n2026014 2026075" << "line 2 (2026014 2026075): the period does not start after the one before it";
    }
    void tableRefusals()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        const auto table = PrizeRules::parseFortunePeriods(text);
        QCOMPARE(table.outcome.message, message);
        QCOMPARE(table.ok(), false);
        QVERIFY(table.value.periods.empty());
        QCOMPARE(PrizeRules::readFortunePeriods(QStringLiteral("/nonexistent/rules.txt")).outcome.status,
                 Outcome::Status::Failed);
    }
};

QTEST_GUILESS_MAIN(TestPrizeRules)
#include "tst_prizerules.moc"

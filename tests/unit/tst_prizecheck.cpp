// The prize check: the prize table, the single check, the list check over lines and the
// same count over bets, against one stored draw.
#include "ProgramDir.h"
#include "core/bets/BetText.h"
#include "core/history/DrawStore.h"
#include "core/prize/PrizeCheck.h"

#include <QtTest>

namespace {

const QString kDraw = QStringLiteral("2007001");
const QString kNotEntered = QStringLiteral("您选择的期数开奖号码还没有录入，请先录入开奖号码！");
const QString kDuplicate = QStringLiteral("您输入的号码有误，不能有重复，请确认后重新输入！");
const QString kRedTooBig = QStringLiteral("您输入的号码有误，红色球号码不得大于33，请确认后重新输入！");
const QString kBlueTooBig = QStringLiteral("您输入的号码有误，蓝色球号码不得大于16，请确认后重新输入！");
const QString kNoPrize = QStringLiteral("很抱歉，您暂时还未中奖，还需继续努力！");

// One draw, 01 02 03 04 05 06 + 07.
class DrawFixture {
public:
    DrawFixture()
    {
        DrawStore::insertDraw(m_db.db(), computeDrawAttributes(kDraw, {1, 2, 3, 4, 5, 6}, 7));
    }
    QSqlDatabase db() { return m_db.db(); }

private:
    ProgramDir m_db;
};

} // namespace

class TestPrizeCheck : public QObject {
    Q_OBJECT
private slots:
    // Every tier, through both the single check and the list check.
    void everyTier_data()
    {
        QTest::addColumn<QString>("ticket");
        QTest::addColumn<int>("prize");
        QTest::newRow("6+1 first") << "01 02 03 04 05 06 07" << 1;
        QTest::newRow("6+0 second") << "01 02 03 04 05 06 08" << 2;
        QTest::newRow("5+1 third") << "01 02 03 04 05 33 07" << 3;
        QTest::newRow("5+0 fourth") << "01 02 03 04 05 33 08" << 4;
        QTest::newRow("4+1 fourth") << "01 02 03 04 32 33 07" << 4;
        QTest::newRow("4+0 fifth") << "01 02 03 04 32 33 08" << 5;
        QTest::newRow("3+1 fifth") << "01 02 03 31 32 33 07" << 5;
        QTest::newRow("3+0 none") << "01 02 03 31 32 33 08" << 0;
        QTest::newRow("2+1 sixth") << "01 02 30 31 32 33 07" << 6;
        QTest::newRow("1+1 sixth") << "01 29 30 31 32 33 07" << 6;
        QTest::newRow("0+1 sixth") << "28 29 30 31 32 33 07" << 6;
        QTest::newRow("0+0 none") << "28 29 30 31 32 33 08" << 0;
    }
    void everyTier()
    {
        QFETCH(QString, ticket);
        QFETCH(int, prize);
        DrawFixture f;
        const QStringList n = ticket.split(QLatin1Char(' '));
        const PrizeCheck::SingleCheck single = PrizeCheck::checkSingle(f.db(), kDraw, n.mid(0, 6), n[6], {});
        QVERIFY(single.outcome.ok());
        const QString words[] = {"", "一", "二", "三", "四", "五", "六"};
        QCOMPARE(single.result, prize ? QStringLiteral("恭喜您买中了%1等奖！").arg(words[prize]) : kNoPrize);

        const PrizeCheck::ListCheck list = PrizeCheck::checkList(f.db(), kDraw, ticket, {});
        QVERIFY(list.outcome.ok());
        PrizeRules::PrizeCounts expected{};
        if (prize)
            expected[prize - 1] = 1;
        QCOMPARE(list.counts, expected);

        const Bet bet = makeBet(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt(), n[4].toInt(), n[5].toInt(),
                                n[6].toInt());
        QCOMPARE(PrizeCheck::checkBets(f.db(), kDraw, BetList{bet}, {}).counts, expected);
    }

    void singleCheckMessages_data()
    {
        QTest::addColumn<QStringList>("fields"); // six reds, the blue
        QTest::addColumn<QString>("draw");
        QTest::addColumn<QString>("message");   // empty: the check gives a result line
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("sorted"); // the red fields after the check; empty: untouched
        const QStringList firstPrize{"1", "2", "3", "4", "5", "6", "07"};
        QTest::newRow("first field empty") << QStringList{"", "2", "3", "4", "5", "6", "7"} << kDraw
                                           << "请输入您购买的第一位红球号码！" << "" << QStringList();
        QTest::newRow("only the first empty one") << QStringList{"1", "2", "", "4", "", "6", ""} << kDraw
                                                  << "请输入您购买的第三位红球号码！" << "" << QStringList();
        QTest::newRow("sixth empty") << QStringList{"1", "2", "3", "4", "5", "", "7"} << kDraw
                                     << "请输入您购买的第六位红球号码！" << "" << QStringList();
        QTest::newRow("blue empty") << QStringList{"1", "2", "3", "4", "5", "6", ""} << kDraw
                                    << "请输入您购买的蓝球号码！" << "" << QStringList();
        QTest::newRow("draw not entered") << firstPrize << "2007002" << kNotEntered << "" << QStringList();
        QTest::newRow("a quote matches no draw") << firstPrize << "2007001' or ''='" << kNotEntered << ""
                                                 << QStringList();
        QTest::newRow("text order") << QStringList{"3", "12", "5", "20", "31", "1", "16"} << kDraw << "" << kNoPrize
                                    << QStringList{"1", "12", "20", "3", "31", "5"};
        QTest::newRow("two sevens") << QStringList{"7", "1", "7", "2", "3", "4", "7"} << kDraw << kDuplicate << ""
                                    << QStringList{"1", "2", "3", "4", "7", "7"};
        // Text order keeps 07 and 7 apart; they are still the same ball.
        QTest::newRow("07 and 7 are one ball") << QStringList{"07", "1", "7", "2", "3", "4", "7"} << kDraw
                                               << kDuplicate << "" << QStringList{"07", "1", "2", "3", "4", "7"};
        QTest::newRow("blue 7 hits 07") << QStringList{"1", "2", "3", "4", "5", "6", "7"} << kDraw << ""
                                        << "恭喜您买中了一等奖！" << QStringList{"1", "2", "3", "4", "5", "6"};
        QTest::newRow("blue 07 hits 07") << firstPrize << kDraw << "" << "恭喜您买中了一等奖！"
                                         << QStringList{"1", "2", "3", "4", "5", "6"};
        QTest::newRow("leading spaces are read") << QStringList{" 1", "2", "3", "4", "5", "6", " 7"} << kDraw << ""
                                                 << "恭喜您买中了一等奖！" << QStringList{" 1", "2", "3", "4", "5", "6"};
        QTest::newRow("a space inside a field")
            << QStringList{"1 2", "3", "4", "5", "6", "8", "7"} << kDraw
            << "您输入的号码有误，第一位红球号码“1 2”不是整数，请确认后重新输入！" << ""
            << QStringList{"1 2", "3", "4", "5", "6", "8"};
        QTest::newRow("a field of spaces is not empty")
            << QStringList{"1", "2", "3", "4", "5", "6", "  "} << kDraw
            << "您输入的号码有误，蓝球号码“  ”不是整数，请确认后重新输入！" << ""
            << QStringList{"1", "2", "3", "4", "5", "6"};
        QTest::newRow("numbers out of range never hit") << QStringList{"1", "2", "3", "4", "5", "40", "23"} << kDraw
                                                        << "" << "恭喜您买中了四等奖！"
                                                        << QStringList{"1", "2", "3", "4", "40", "5"};
    }
    void singleCheckMessages()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, draw);
        QFETCH(QString, message);
        QFETCH(QString, result);
        QFETCH(QStringList, sorted);
        DrawFixture f;
        const PrizeCheck::SingleCheck c = PrizeCheck::checkSingle(f.db(), draw, fields.mid(0, 6), fields[6], {});
        QCOMPARE(c.outcome.message, message);
        QCOMPARE(c.outcome.ok(), message.isEmpty());
        QCOMPARE(c.result, result);
        QCOMPARE(c.sortedReds.value_or(QStringList()), sorted);
    }

    void listCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("draw");
        QTest::addColumn<QString>("message");      // the input error; empty when the check counted
        QTest::addColumn<QStringList>("prizes");   // the message boxes of a counted check
        QTest::newRow("empty list") << "" << kDraw << "您还未输入您购买的号码，请输入后再查询！" << QStringList();
        QTest::newRow("draw not entered") << "1 2 3 4 5 6 7" << "2006001" << kNotEntered << QStringList();
        QTest::newRow("the example line") << "1 2 12 3 5 4   13" << kDraw << "" << QStringList{"恭喜您买中了 1 注四等奖！"};
        QTest::newRow("only seven numbers are read") << "1 2 3 4 5 6 7 80 x" << kDraw << ""
                                                     << QStringList{"恭喜您买中了 1 注一等奖！"};
        QTest::newRow("leading and doubled spaces") << "   1  2 3 4 5  6 7  " << kDraw << ""
                                                    << QStringList{"恭喜您买中了 1 注一等奖！"};
        QTest::newRow("no blue") << "1 2 3 4 5 6" << kDraw << "" << QStringList{"恭喜您买中了 1 注二等奖！"};
        QTest::newRow("blue 7 hits 07") << "10 11 12 13 14 15 7" << kDraw << "" << QStringList{"恭喜您买中了 1 注六等奖！"};
        QTest::newRow("nothing won") << "10 11 12 13 14 15 8" << kDraw << "" << QStringList();
        QTest::newRow("red above 33 after a win") << "1 2 3 4 5 6 7\n1 2 3 4 5 40" << kDraw << kRedTooBig
                                                  << QStringList();
        QTest::newRow("blue above 16") << "1 2 3 4 5 6 20" << kDraw << kBlueTooBig << QStringList();
        QTest::newRow("seventh above 33 is the red message") << "1 2 3 4 5 6 40" << kDraw << kRedTooBig << QStringList();
        QTest::newRow("empty line among valid ones") << "1 2 3 4 5 6 7\n\n1 2 3 4 5 6 7" << kDraw << kDuplicate
                                                     << QStringList();
        QTest::newRow("duplicate red") << "1 2 3 3 5 6 7" << kDraw << kDuplicate << QStringList();
        QTest::newRow("07 and 7 are one ball") << "07 7 1 2 3 4 5" << kDraw << kDuplicate << QStringList();
        QTest::newRow("two reds missing") << "1 2 3 4" << kDraw << kDuplicate << QStringList();
        QTest::newRow("a token that is not a number")
            << "1 2 3 4 5 6 7\n1 2 3 4 5 6 7\n1,2 3 4 5 6 7 8" << kDraw
            << "您输入的号码有误，第3行的“1,2”不是整数，请确认后重新输入！" << QStringList();
        QTest::newRow("a tab is part of a token") << "1\t2 3 4 5 6 7" << kDraw
                                                  << "您输入的号码有误，第1行的“1\t2”不是整数，请确认后重新输入！"
                                                  << QStringList();
        QTest::newRow("three fifth and one sixth")
            << "1 2 3 4 20 21 8\n1 2 3 20 21 22 7\n1 2 3 4 22 23 9\n20 21 22 23 24 25 7\n"
            << kDraw << "" << QStringList{"恭喜您买中了 3 注五等奖！", "恭喜您买中了 1 注六等奖！"};
        QTest::newRow("windows line ends") << "1 2 3 4 5 6 7\r\n1 2 3 4 5 6 8\r\n" << kDraw << ""
                                           << QStringList{"恭喜您买中了 1 注一等奖！", "恭喜您买中了 1 注二等奖！"};
    }
    void listCheck()
    {
        QFETCH(QString, text);
        QFETCH(QString, draw);
        QFETCH(QString, message);
        QFETCH(QStringList, prizes);
        DrawFixture f;
        const PrizeCheck::ListCheck c = PrizeCheck::checkList(f.db(), draw, text, {});
        QCOMPARE(c.outcome.message, message);
        QCOMPARE(c.outcome.ok(), message.isEmpty());
        QCOMPARE(c.prizeMessages(), prizes);
    }

    // The count over bets agrees with the count over their output lines.
    void betsCountLikeTheirLines()
    {
        DrawFixture f;
        // Every six of eleven balls (reds in falling order, as a generator may leave them), two blues.
        const int pool[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 30};
        BetList bets;
        QStringList lines;
        for (int mask = 0; mask < (1 << 11); ++mask) {
            if (__builtin_popcount(mask) != 6)
                continue;
            int r[6], k = 6;
            for (int i = 0; i < 11; ++i)
                if (mask & (1 << i))
                    r[--k] = pool[i];
            for (int blue : {7, 9}) {
                bets.push_back(makeBet(r[0], r[1], r[2], r[3], r[4], r[5], blue));
                lines << outputLine(bets.back());
            }
        }
        const PrizeCheck::ListCheck fromLines = PrizeCheck::checkList(f.db(), kDraw, lines.join(QLatin1Char('\n')), {});
        QVERIFY(fromLines.outcome.ok());
        QCOMPARE(PrizeCheck::checkBets(f.db(), kDraw, bets, {}).counts, fromLines.counts);
        // Every grade of the six; a draw of 2007 had no 福运奖.
        for (int grade = PrizeRules::FirstGrade; grade <= PrizeRules::SixthGrade; ++grade)
            QVERIFY(fromLines.counts[std::size_t(grade - 1)] > 0);
        QCOMPARE(fromLines.counts[PrizeRules::FortuneGrade - 1], qint64(0));
        QCOMPARE(fromLines.fortuneUnknown, qint64(0));
        QCOMPARE(PrizeCheck::checkBets(f.db(), QStringLiteral("2099001"), bets, {}).outcome.message, kNotEntered);
        QCOMPARE(PrizeCheck::checkBets(f.db(), kDraw, BetList{}, {}).outcome.message,
                 QStringLiteral("您还未输入您购买的号码，请输入后再查询！"));
    }

    void listLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::newRow("one line") << "a" << 1;
        QTest::newRow("final line end adds none") << "a\nb\n" << 2;
        QTest::newRow("only a line end") << "\n" << 1;
        QTest::newRow("inner empty line") << "a\n\nb" << 3;
        QTest::newRow("cr lf") << "a\r\nb" << 2;
    }
    void listLines()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QCOMPARE(int(PrizeCheck::listLines(text).size()), lines);
    }
};

QTEST_GUILESS_MAIN(TestPrizeCheck)
#include "tst_prizecheck.moc"

// Candidates from the toggles and the one warning a generation may start with.
#include "BetFixtures.h"
#include "core/bets/Candidates.h"

#include <QtTest>

Q_DECLARE_METATYPE(BetMethod)
Q_DECLARE_METATYPE(std::vector<int>)

class TestCandidates : public QObject {
    Q_OBJECT
private slots:
    void collect_data();
    void collect();
    void bankerText_data();
    void bankerText();
};

using fixtures::selected;
using fixtures::selectedRange;

void TestCandidates::collect_data()
{
    QTest::addColumn<fixtures::RedToggles>("reds");
    QTest::addColumn<fixtures::BlueToggles>("blues");
    QTest::addColumn<BetMethod>("method");
    QTest::addColumn<std::vector<int>>("wantReds");
    QTest::addColumn<std::vector<int>>("wantBlues");
    QTest::addColumn<QString>("message");

    QTest::newRow("ascending whatever the clicks") << selected<33>({33, 7, 15}) << selected<16>({16, 1})
                                                   << BetMethod::BankerDrag << std::vector<int>{7, 15, 33}
                                                   << std::vector<int>{1, 16} << QString();
    QTest::newRow("5 reds no blue: red message only")
        << selectedRange<33>(1, 5) << fixtures::BlueToggles{} << BetMethod::AllCombinations
        << fixtures::range(1, 5) << std::vector<int>{} << kTooFewRedsMessage;
    QTest::newRow("10 reds no blue") << selectedRange<33>(1, 10) << fixtures::BlueToggles{}
                                     << BetMethod::AllCombinations << fixtures::range(1, 10) << std::vector<int>{}
                                     << kNoBlueMessage;
    QTest::newRow("5 reds under banker: no red message")
        << selectedRange<33>(1, 5) << selected<16>({7}) << BetMethod::BankerDrag << fixtures::range(1, 5)
        << std::vector<int>{7} << QString();
    QTest::newRow("5 reds under wheel, no blue") << selectedRange<33>(1, 5) << fixtures::BlueToggles{}
                                                 << BetMethod::Wheel << fixtures::range(1, 5) << std::vector<int>{}
                                                 << kNoBlueMessage;
    QTest::newRow("exactly six") << selectedRange<33>(28, 33) << selected<16>({2}) << BetMethod::AllCombinations
                                 << fixtures::range(28, 33) << std::vector<int>{2} << QString();
    QTest::newRow("everything") << selectedRange<33>(1, 33) << selectedRange<16>(1, 16)
                                << BetMethod::AllCombinations << fixtures::range(1, 33) << fixtures::range(1, 16)
                                << QString();
    QTest::newRow("nothing") << fixtures::RedToggles{} << fixtures::BlueToggles{} << BetMethod::AllCombinations
                             << std::vector<int>{} << std::vector<int>{} << kTooFewRedsMessage;
}

void TestCandidates::collect()
{
    QFETCH(fixtures::RedToggles, reds);
    QFETCH(fixtures::BlueToggles, blues);
    QFETCH(BetMethod, method);
    QFETCH(std::vector<int>, wantReds);
    QFETCH(std::vector<int>, wantBlues);
    QFETCH(QString, message);
    const Candidates c = collectCandidates(reds, blues, method);
    QCOMPARE(c.reds, wantReds);
    QCOMPARE(c.blues, wantBlues);
    QCOMPARE(c.message, message);
}

void TestCandidates::bankerText_data()
{
    QTest::addColumn<fixtures::RedToggles>("picked");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("03 and 10") << selected<33>({3, 10}) << "10 03 " << true;
    QTest::newRow("panel order") << selected<33>({1, 5, 6, 33}) << "06 33 01 05 " << true;
    QTest::newRow("none") << fixtures::RedToggles{} << "" << true;
    QTest::newRow("five") << selected<33>({1, 2, 3, 4, 5}) << "01 02 03 04 05 " << true;
    QTest::newRow("six refused, text kept") << selected<33>({1, 2, 3, 4, 5, 20}) << "20 01 02 03 04 05 " << false;
}

void TestCandidates::bankerText()
{
    QFETCH(fixtures::RedToggles, picked);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    const BankerPick pick = buildBankerText(picked);
    QCOMPARE(pick.text, text);
    QCOMPARE(pick.accepted, accepted);
}

QTEST_GUILESS_MAIN(TestCandidates)
#include "tst_candidates.moc"

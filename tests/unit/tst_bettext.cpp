// The row and output-line texts of a bet, and reading them back.
#include "BetFixtures.h"
#include "core/bets/BetText.h"

#include <QtTest>

class TestBetText : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void parseRejects_data();
    void parseRejects();
};

void TestBetText::texts_data()
{
    QTest::addColumn<QByteArray>("reds");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("sum");
    QTest::newRow("first") << QByteArray("\x01\x02\x03\x04\x05\x06", 6) << 12 << "01 02 03 04 05 0612"
                           << "01 02 03 04 05 06 12" << 21;
    QTest::newRow("high") << QByteArray("\x02\x0b\x11\x17\x1c\x21", 6) << 5 << "02 11 17 23 28 3305"
                          << "02 11 17 23 28 33 05" << 114;
    QTest::newRow("banker order kept") << QByteArray("\x04\x05\x06\x07\x08\x02", 6) << 16
                                       << "04 05 06 07 08 0216" << "04 05 06 07 08 02 16" << 32;
}

void TestBetText::texts()
{
    QFETCH(QByteArray, reds);
    QFETCH(int, blue);
    QFETCH(QString, row);
    QFETCH(QString, line);
    QFETCH(int, sum);
    Bet bet{};
    for (int i = 0; i < 6; ++i)
        bet.red[i] = std::uint8_t(reds[i]);
    bet.blue = std::uint8_t(blue);

    QCOMPARE(betRowText(bet), row);
    QCOMPARE(outputLine(bet), line);
    QCOMPARE(redPart(bet), row.left(17));
    QCOMPARE(bluePart(bet), row.mid(17));
    QCOMPARE(redSum(bet), sum);
    // Both texts read back to the same bet, reds in their order.
    QCOMPARE(betRowText(parseBetLine(row).value()), row);
    QCOMPARE(betRowText(parseBetLine(line).value()), row);
}

void TestBetText::parseRejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("short") << "01 02 03 04 05 061";
    QTest::newRow("long") << "01 02 03 04 05 06 121";
    QTest::newRow("red 34") << "01 02 03 04 05 3412";
    QTest::newRow("red 00") << "00 02 03 04 05 0612";
    QTest::newRow("blue 17") << "01 02 03 04 05 0617";
    QTest::newRow("blue 00") << "01 02 03 04 05 06 00";
    QTest::newRow("repeated red") << "01 02 03 04 05 0512";
    QTest::newRow("no blank") << "01,02 03 04 05 0612";
    QTest::newRow("line without blank") << "01 02 03 04 05 06-12";
    QTest::newRow("letters") << "0a 02 03 04 05 0612";
    QTest::newRow("full-width digit") << QString::fromUtf8("０1 02 03 04 05 0612");
}

void TestBetText::parseRejects()
{
    QFETCH(QString, text);
    QVERIFY(!parseBetLine(text).has_value());
}

QTEST_GUILESS_MAIN(TestBetText)
#include "tst_bettext.moc"

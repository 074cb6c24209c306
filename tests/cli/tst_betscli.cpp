// balvora-cli bets on small cases: output lines diffed with the expected files under golden/,
// and the refusals with their messages and exit status.
#include "CliRun.h"

#include <QtTest>

class TestBetsCli : public QObject {
    Q_OBJECT
private slots:
    void golden_data();
    void golden();
    void refusals_data();
    void refusals();
    void outFile();
};

namespace {
CliRun runBets(const QStringList &args)
{
    QTemporaryDir dir; // no Matrix/ in it
    return runCli(QStringList{"--dir", dir.path(), "bets"} + args);
}
} // namespace

void TestBetsCli::golden_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("summary");
    QTest::newRow("all, two filters, reduce 4")
        << QStringList{"--red", "1,2,3,4,5,6,7,8,9", "--blue", "3,9", "--filter", "红球总和=21..30", "--filter",
                       "odd=2..4", "--reduce", "4"}
        << "bets-all-filter-reduce.txt" << "generated 168, current 4";
    QTest::newRow("three filters, tolerance 1")
        << QStringList{"--red", "1,2,3,4,5,6,7,8", "--blue", "5", "--filter", "sum=21..25", "--filter", "odd=3..3",
                       "--filter", "r1=2..9", "--tolerance", "1"}
        << "bets-tolerance1.txt" << "generated 28, current 10";
    QTest::newRow("two number groups and a filter")
        << QStringList{"--red", "1,2,3,4,5,6,7,8,9,10", "--blue", "2", "--group", "01 02:1..1", "--group", "10：0..0",
                       "--filter", "sum=20..30"}
        << "bets-groups.txt" << "generated 210, current 15";
    QTest::newRow("banker 10 then 03")
        << QStringList{"--red", "1,2,3,4,5,6,7,8", "--blue", "7,16", "--method", "banker", "--banker", "10,3"}
        << "bets-banker.txt" << "generated 70, current 70";
    QTest::newRow("guarantee 3 while generating")
        << QStringList{"--red", "1,2,3,4,5,6,7,8,9,10,11,12", "--blue", "1,2", "--guarantee", "3"}
        << "bets-guarantee3.txt" << "generated 8, current 8";
}

void TestBetsCli::golden()
{
    QFETCH(QStringList, args);
    QFETCH(QString, expected);
    QFETCH(QString, summary);
    QFile f(QStringLiteral(BALVORA_SOURCE_DIR "/tests/cli/golden/") + expected);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName() + " is missing"));
    const CliRun r = runBets(args);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, f.readAll());
    QCOMPARE(r.err.trimmed(), summary);
}

void TestBetsCli::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("banker without bankers")
        << QStringList{"--red", "all", "--blue", "1", "--method", "banker"} << 1
        << "选择拖胆组合后胆的数量不能少于1个，请重新选择胆或者选择其他投注方式！";
    QTest::newRow("no matrix file") << QStringList{"--red", "1,2,3,4,5,6,7,8,9", "--blue", "1", "--method", "wheel"}
                                    << 1 << "您选择的侯选号码数量无此类旋转矩阵,请重新选择!";
    QTest::newRow("unknown wheel type")
        << QStringList{"--red", "1,2,3,4,5,6,7,8,9", "--blue", "1", "--method", "wheel", "--wheel", "中9保9"} << 1
        << "您选择的旋转矩阵类型不正确,请重新选择!";
    QTest::newRow("bound not a number")
        << QStringList{"--red", "1,2,3,4,5,6,7", "--blue", "1", "--filter", "ac=0..x"} << 1
        << "“AC值”的上限“x”不是有效的整数，请重新输入！";
    QTest::newRow("red 34") << QStringList{"--red", "1,34"} << 2 << "balvora-cli bets: --red takes numbers 1 to 33 separated by commas, or all";
    QTest::newRow("guarantee 6") << QStringList{"--guarantee", "6"} << 2 << "balvora-cli bets: --guarantee takes 2 to 5";
    QTest::newRow("tolerance 4") << QStringList{"--tolerance", "4"} << 2 << "balvora-cli bets: --tolerance takes 0 to 3";
    QTest::newRow("tolerance not a number") << QStringList{"--tolerance", "one"} << 2
                                            << "balvora-cli bets: --tolerance takes 0 to 3";
    QTest::newRow("group ball 34") << QStringList{"--group", "03 34:1..2"} << 2
                                   << "balvora-cli bets: --group: 号码组1：红球号码“34”不在01到33之间，请重新输入！";
    QTest::newRow("second group repeats a ball")
        << QStringList{"--group", "01:0..0", "--group", "03,3:1..2"} << 2
        << "balvora-cli bets: --group: 号码组2：红球号码“3”重复，请重新输入！";
    QTest::newRow("group not a ball") << QStringList{"--group", "03 a:1..2"} << 2
                                      << "balvora-cli bets: --group: 号码组1：“a”不是有效的红球号码，请重新输入！";
    QTest::newRow("group min above max") << QStringList{"--group", "03 07:2..1"} << 2
                                         << "balvora-cli bets: --group: 号码组1：最少个数2大于最多个数1，请重新输入！";
    QTest::newRow("group count 7") << QStringList{"--group", "03 07:0..7"} << 2
                                   << "balvora-cli bets: --group: 号码组1：个数必须在0到6之间，请重新输入！";
    QTest::newRow("group without balls") << QStringList{"--group", ":1..2"} << 2
                                         << "balvora-cli bets: --group: 号码组1：请输入红球号码！";
    QTest::newRow("group without counts") << QStringList{"--group", "01", "--group", "03 07"} << 2
                                          << "balvora-cli bets: --group takes BALLS:MIN..MAX with MIN and MAX whole numbers (group 1)";
    QTest::newRow("six groups")
        << QStringList{"--group", "1:0..0", "--group", "2:0..0", "--group", "3:0..0", "--group", "4:0..0", "--group",
                       "5:0..0", "--group", "6:0..0"}
        << 2 << "balvora-cli bets: --group may be given at most 5 times";
    QTest::newRow("unknown filter") << QStringList{"--filter", "foo=1..2"} << 2
                                    << "balvora-cli bets: --filter takes NAME=LO..HI with NAME a condition's caption or short name";
}

void TestBetsCli::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    const CliRun r = runBets(args);
    QCOMPARE(r.status, status);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(r.err.trimmed(), message);
}

void TestBetsCli::outFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("six.txt");
    // Too few reds warns and goes on with an empty list.
    const CliRun r = runBets({"--red", "1,2,3,4,5", "--blue", "1", "--out", path});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err.split('\n', Qt::SkipEmptyParts),
             QStringList({"您选择的红球号码少于六位，请重新选择！", "generated 0, current 0"}));
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), qint64(0));
}

QTEST_GUILESS_MAIN(TestBetsCli)
#include "tst_betscli.moc"

// Golden tests: balvora-cli backtest on a four-draw history, over a bet file, stdin and the
// bet options, and on five real draws of 2026 (福运奖 in force, stopped, not known), and
// backtest-filters over the four draws, with the refusals and usage errors; output compared
// with the checked-in expected text.
#include "CliRun.h"
#include "ProgramDir.h"

#include <QFile>
#include <QtTest>

class TestBacktestCli : public QObject {
    Q_OBJECT

    ProgramDir m_dir;
    QString m_output;

    const QString golden = QStringLiteral(BALVORA_SOURCE_DIR "/tests/cli/golden/");

    void run(const QStringList &args, const QByteArray &input = QByteArray())
    {
        const CliRun r = runCli(QStringList{"--dir", m_dir.path()} + args, input);
        QVERIFY2(r.status >= 0, qPrintable(r.err));
        m_output += transcriptOf(args, r);
    }
    void compareWith(const QString &expectedName)
    {
        QFile expected(golden + expectedName);
        QVERIFY2(expected.open(QIODevice::ReadOnly | QIODevice::Text), "the expected output is checked in");
        QCOMPARE(m_output, QString::fromUtf8(expected.readAll()));
    }

private slots:
    void initTestCase()
    {
        const CliRun imported = runCli({"--dir", m_dir.path(), "import", golden + "stats-draws.txt"});
        QCOMPARE(imported.status, 0);
        // Real draws of 2026 around the stop of 福运奖 (2026076).
        QCOMPARE(runCli({"--dir", m_dir.path(), "import", golden + "draws-2026.txt"}).status, 0);
    }
    void init() { m_output.clear(); }

    void backtest()
    {
        run({"backtest", "--from", "2007001", "--to", "2007004", golden + "backtest-bets.txt"});
        run({"backtest", "--from", "2007002", "--to", "2007003", "-"}, "04 20 21 22 23 24 09\n\n03 04 25 26 27 28 05\n");
        run({"backtest", "--from", "2007001", "--to", "2007004", "--red", "1,3,4,10,11,12,20", "--blue", "5,9"});
        run({"backtest", "--from", "2007005", "--to", "2007009", golden + "backtest-bets.txt"});
        run({"backtest", "--from", "2007001", "--to", "2007004", golden + "backtest-bad.txt"});
        run({"backtest", "--from", "2007001", "--to", "2007004", "-"}, "");
        run({"backtest", "--from", "2007001", "--to", "2007004"});
        run({"backtest", "--from", "2007001", golden + "backtest-bets.txt"});
        run({"backtest", "--from", "2007001", "--to", "2007004", "--red", "1,2", golden + "backtest-bets.txt"});
        run({"backtest", "--from", "2026074", "--to", "2026078", golden + "backtest-2026-bets.txt"});
        compareWith(QStringLiteral("backtest-cli.expected"));
    }

    void backtestFilters()
    {
        run({"backtest-filters", "--from", "2007001", "--to", "2007004", "--filter", "sum=21..183", "--filter", "odd=2..4"});
        run({"backtest-filters", "--from", "2007001", "--to", "2007004", "--filter", "sum=100..120", "--filter", "odd=3..3",
             "--filter", "极号差=25..30", "--tolerance", "1"});
        run({"backtest-filters", "--from", "2008001", "--to", "2008009", "--filter", "sum=21..183"});
        run({"backtest-filters", "--from", "2007001", "--to", "2007004", "--group", "01 02:0..0", "--filter", "odd=3..3"});
        run({"backtest-filters", "--from", "2007001", "--to", "2007004", "--group", "01 01:0..0"});
        run({"backtest-filters", "--from", "2007001", "--to", "2007004", "--filter", "sum=2x..183"});
        run({"backtest-filters", "--from", "2007001", "--to", "2007004"});
        run({"backtest-filters", "--from", "2007001", "--filter", "sum=21..183"});
        run({"backtest-filters", "--from", "2007001", "--to", "2007004", "--filter", "total=1..9"});
        run({"backtest-filters", "--from", "2007001", "--to", "2007004", "--filter", "sum=21..183", "--tolerance", "4"});
        run({"backtest-filters", "--from", "2007001", "--to", "2007004", "--filter", "sum=21..183", "bets.txt"});
        compareWith(QStringLiteral("backtest-filters-cli.expected"));
    }
};

QTEST_GUILESS_MAIN(TestBacktestCli)
#include "tst_backtestcli.moc"

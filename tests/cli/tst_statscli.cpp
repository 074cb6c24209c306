// Golden test: balvora-cli omission, intervals and check on a four-draw history, and check
// on real draws of 2026 under the rules of 福运奖; output compared with the checked-in
// expected text.
#include "CliRun.h"
#include "ProgramDir.h"

#include <QFile>
#include <QtTest>

class TestStatsCli : public QObject {
    Q_OBJECT

    ProgramDir m_dir;
    QString m_output;

    void run(const QStringList &args, const QByteArray &input = QByteArray())
    {
        const CliRun r = runCli(QStringList{"--dir", m_dir.path()} + args, input);
        QVERIFY2(r.status >= 0, qPrintable(r.err));
        m_output += transcriptOf(args, r);
    }

private slots:
    void chartsAndChecks()
    {
        const QString golden = QStringLiteral(BALVORA_SOURCE_DIR "/tests/cli/golden/");
        const CliRun imported = runCli({"--dir", m_dir.path(), "import", golden + "stats-draws.txt"});
        QCOMPARE(imported.status, 0);
        run({"omission", "red", "--from", "2007001", "--to", "2007004"});
        run({"omission", "blue", "--from", "2007001", "--to", "2007003"});
        run({"omission", "blue", "--from", "2007003", "--to", "2007001"});
        run({"omission", "green", "--from", "2007001", "--to", "2007004"});
        run({"intervals", "--from", "2007001", "--to", "2007004"});
        run({"check", "--draw", "2007001", golden + "check-win.txt"});
        run({"check", "--draw", "2007001", golden + "check-bad.txt"});
        run({"check", "--draw", "2007009", golden + "check-win.txt"});
        run({"check", "--draw", "2007004", "-"}, "1 2 3 4 5 6 7\n");
        run({"check", "--draw", "2007004", "-"}, "1 2 3 4 5 6 40\n");
        // Real draws of 2026: 福运奖 in 2026075, stopped from 2026076, not known in 2026077.
        QCOMPARE(runCli({"--dir", m_dir.path(), "import", golden + "draws-2026.txt"}).status, 0);
        run({"check", "--draw", "2026075", "-"}, "08 12 18 02 06 07 16\n08 12 18 02 06 07 01\n");
        run({"check", "--draw", "2026076", "-"}, "01 03 19 02 04 05 16\n");
        run({"check", "--draw", "2026077", "-"}, "01 04 05 02 03 06 16\n01 04 05 14 18 03 04\n01 04 18 02 03 06 16\n");
        QFile expected(golden + "stats-cli.expected");
        QVERIFY2(expected.open(QIODevice::ReadOnly | QIODevice::Text), "the expected output is checked in");
        QCOMPARE(m_output, QString::fromUtf8(expected.readAll()));
    }
};

QTEST_GUILESS_MAIN(TestStatsCli)
#include "tst_statscli.moc"

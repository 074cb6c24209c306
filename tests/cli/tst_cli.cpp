// Golden test: balvora-cli import and freq on small fixtures, output compared
// with the checked-in expected text.
#include "CliRun.h"
#include "ProgramDir.h"

#include <QFile>
#include <QtTest>

class TestCli : public QObject {
    Q_OBJECT

    ProgramDir m_dir;
    QString m_output;

    void run(const QStringList &args, const QString &standardInput = QString())
    {
        QByteArray input;
        if (!standardInput.isEmpty()) {
            QFile in(standardInput);
            QVERIFY(in.open(QIODevice::ReadOnly));
            input = in.readAll();
        }
        const CliRun r = runCli(QStringList{"--dir", m_dir.path()} + args, input);
        QVERIFY2(r.status >= 0, qPrintable(r.err));
        m_output += r.outText();
        m_output += QStringLiteral("exit %1\n").arg(r.status);
    }

private slots:
    void importAndFreq()
    {
        const QString data = QStringLiteral(BALVORA_SOURCE_DIR "/tests/cli/golden/");
        run({"import", data + "import-good.txt"});
        run({"freq", "--from", "2007001", "--to", "2007003"});
        run({"import", "-"}, data + "import-stop.txt");
        QFile expected(data + "cli.expected");
        QVERIFY2(expected.open(QIODevice::ReadOnly | QIODevice::Text), "the expected output is checked in");
        QCOMPARE(m_output, QString::fromUtf8(expected.readAll()));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

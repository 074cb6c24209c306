// Golden test: balvora-cli import and freq on small fixtures, output compared
// with the checked-in expected text.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_output;

    void run(const QStringList &args, const QString &standardInput = QString())
    {
        QProcess p;
        p.start(QStringLiteral(BALVORA_BINARY_DIR "/balvora-cli"), QStringList{"--dir", m_dir.path()} + args);
        QVERIFY2(p.waitForStarted(), "balvora-cli is built beside the tests");
        if (!standardInput.isEmpty()) {
            QFile in(standardInput);
            QVERIFY(in.open(QIODevice::ReadOnly));
            p.write(in.readAll());
        }
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(30000));
        m_output += QString::fromUtf8(p.readAllStandardOutput());
        m_output += QStringLiteral("exit %1\n").arg(p.exitCode());
    }

private slots:
    void importAndFreq()
    {
        const QString data = QStringLiteral(BALVORA_SOURCE_DIR "/tests/core/data/");
        run({"init", "--quiet"});
        m_output.clear();
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

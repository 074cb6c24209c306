// balvora-cli init and --help, run as the real binary.
#include "core/draws/DataM.h"
#include "core/draws/DrawStore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Run {
    int status;
    QString out;
    QString err;
};
Run cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(BALVORA_BINARY_DIR "/balvora-cli"), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
} // namespace

class TestCliInit : public QObject {
    Q_OBJECT
private slots:
    void initCreatesOnceAndNeverOverwrites()
    {
        QTemporaryDir dir;
        Run r = cli({"--dir", dir.path(), "init"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains(QStringLiteral("created")));
        {
            DataM data;
            QVERIFY(data.open(dir.path()).ok());
            QVERIFY(DrawStore::insertDraw(data.database(), ComputeDrawAttributes("2007001", {1, 2, 3, 4, 5, 6}, 7)).ok());
        }
        r = cli({"--dir", dir.path(), "init"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.contains(QStringLiteral("already exists")));
        DataM data;
        QVERIFY(data.open(dir.path()).ok());
        QCOMPARE(DrawStore::drawNumbers(data.database()), QStringList{"2007001"});
    }

    void initIntoAMissingDirectoryFails()
    {
        QTemporaryDir dir;
        const Run r = cli({"--dir", dir.filePath("no/such/dir"), "init"});
        QCOMPARE(r.status, 1);
        QVERIFY(!r.err.isEmpty());
    }

    void helpAndUnknownCommands()
    {
        Run r = cli({"--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains(QStringLiteral("init")));
        r = cli({"frobnicate"});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("unknown command")));
    }
};

QTEST_GUILESS_MAIN(TestCliInit)
#include "tst_cli_init.moc"

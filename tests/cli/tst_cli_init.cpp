// balvora-cli init, --help and usage errors, run as the real binary.
#include "core/history/DrawDatabase.h"
#include "core/history/DrawStore.h"

#include "CliRun.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestCliInit : public QObject {
    Q_OBJECT
private slots:
    void initCreatesOnceAndNeverOverwrites()
    {
        QTemporaryDir dir;
        CliRun r = runCli({"--dir", dir.path(), "init", "--empty"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.outText().contains(QStringLiteral("created")));
        {
            DrawDatabase data;
            QVERIFY(data.open(dir.path()).ok());
            QVERIFY(DrawStore::insertDraw(data.database(), computeDrawAttributes("2007001", {1, 2, 3, 4, 5, 6}, 7)).ok());
        }
        r = runCli({"--dir", dir.path(), "init"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.contains(QStringLiteral("already exists")));
        DrawDatabase data;
        QVERIFY(data.open(dir.path()).ok());
        QCOMPARE(DrawStore::drawNumbers(data.database()).value, QStringList{"2007001"});
    }

    // Plain init, and any command that reads a history where there is none, start from the
    // bundled draws; an existing history stays as it is.
    void theStarterHistory_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("says");
        QTest::newRow("init") << QStringList{"init"} << "with 3493 draws";
        QTest::newRow("freq") << QStringList{"freq", "--from", "2026095", "--to", "2026096"} << "";
        QTest::newRow("import") << QStringList{"import", "-"} << "inserted 1, skipped 0";
    }
    void theStarterHistory()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const QByteArray line = "2026097 01 02 03 04 05 06 07\n";
        CliRun r = runCli(QStringList{"--dir", dir.path()} + args, line);
        QCOMPARE(r.status, 0);
        QVERIFY2(r.outText().contains(says), qPrintable(r.outText()));
        const int expected = args.first() == "import" ? 3494 : 3493;
        {
            DrawDatabase data;
            QVERIFY(data.open(dir.path()).ok());
            QCOMPARE(DrawStore::drawNumbers(data.database()).value.size(), expected);
            QCOMPARE(DrawStore::drawNumbers(data.database()).value.first(), QStringLiteral("2003001"));
        }
        r = runCli(QStringList{"--dir", dir.path(), "import", "-"}, "2026098 01 02 03 04 05 06 08\n");
        QCOMPARE(r.status, 0);
        DrawDatabase data;
        QVERIFY(data.open(dir.path()).ok());
        QCOMPARE(DrawStore::drawNumbers(data.database()).value.size(), expected + 1);
    }

    void initIntoAMissingDirectoryFails()
    {
        QTemporaryDir dir;
        const CliRun r = runCli({"--dir", dir.filePath("no/such/dir"), "init"});
        QCOMPARE(r.status, 1);
        QVERIFY(!r.err.isEmpty());
    }

    void helpAndUnknownCommands()
    {
        CliRun r = runCli({"--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.outText().contains(QStringLiteral("init")));
        r = runCli({"frobnicate"});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("unknown command")));
    }

    // Each command's --help lists its own options; a usage error is exit status 2 with a
    // message on stderr and nothing on stdout.
    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("stream");   // out or err
        QTest::addColumn<QStringList>("contains");
        QTest::newRow("help lists every command") << QStringList{"--help"} << 0 << "out"
                                                  << QStringList{"--dir", "init", "import", "freq", "bets", "wheel"};
        QTest::newRow("bets --help") << QStringList{"bets", "--help"} << 0 << "out"
                                     << QStringList{"--red", "--filter", "--reduce", "--out", "--dir"};
        QTest::newRow("wheel -h") << QStringList{"wheel", "-h"} << 0 << "out" << QStringList{"verify FILE", "--type"};
        QTest::newRow("init --help") << QStringList{"init", "--help"} << 0 << "out" << QStringList{"--empty", "--quiet"};
        QTest::newRow("freq --help") << QStringList{"freq", "--help"} << 0 << "out" << QStringList{"--from", "--to"};
        QTest::newRow("unknown global option") << QStringList{"--frob", "init"} << 2 << "err"
                                               << QStringList{"Unknown option 'frob'"};
        QTest::newRow("unknown bets option") << QStringList{"bets", "--red", "1", "--frob"} << 2 << "err"
                                             << QStringList{"balvora-cli bets: Unknown option 'frob'", "bets --help"};
        QTest::newRow("another command's option") << QStringList{"init", "--red", "1"} << 2 << "err"
                                                  << QStringList{"balvora-cli init: Unknown option 'red'"};
        QTest::newRow("missing value") << QStringList{"freq", "--from"} << 2 << "err"
                                       << QStringList{"Missing value after '--from'"};
        QTest::newRow("import without a file") << QStringList{"import"} << 2 << "err"
                                               << QStringList{"usage: balvora-cli [--dir DIR] import FILE"};
        QTest::newRow("import with two files") << QStringList{"import", "a", "b"} << 2 << "err"
                                               << QStringList{"usage: balvora-cli [--dir DIR] import FILE"};
        QTest::newRow("freq without --to") << QStringList{"freq", "--from", "2007001"} << 2 << "err"
                                           << QStringList{"usage: balvora-cli [--dir DIR] freq --from Q --to Q"};
        QTest::newRow("wheel without verify") << QStringList{"wheel", "check", "x.db"} << 2 << "err"
                                              << QStringList{"wheel verify FILE"};
        QTest::newRow("no command") << QStringList{"--dir", "."} << 2 << "err" << QStringList{"COMMAND"};
    }

    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, stream);
        QFETCH(QStringList, contains);
        QTemporaryDir dir;
        const CliRun r = runCli(QStringList{"--dir", dir.path()} + args);
        QCOMPARE(r.status, status);
        const QString &text = stream == QLatin1String("out") ? r.outText() : r.err;
        for (const QString &part : contains)
            QVERIFY2(text.contains(part), qPrintable(part + " not in: " + text));
        if (status != 0)
            QCOMPARE(r.out, QByteArray());
        QVERIFY2(!QFileInfo::exists(dir.filePath("db1.db")), "a usage error touches nothing");
    }

    // --dir may also follow the command, as each command parses the global options too.
    void dirAfterTheCommand()
    {
        QTemporaryDir dir;
        const CliRun r = runCli({"init", "--dir", dir.path()});
        QCOMPARE(r.status, 0);
        QVERIFY(QFileInfo::exists(dir.filePath("db1.db")));
    }
};

QTEST_GUILESS_MAIN(TestCliInit)
#include "tst_cli_init.moc"

// Where the data lives: --dir, a portable copy's own folder, or the per-user folder, which
// the first start fills with the starter history and the default user/ files; nothing the
// user has is ever overwritten, and a damaged history is left for opening to refuse.
#include "HistoryRows.h"
#include "ProgramDir.h"
#include "app/DataFolder.h"
#include "core/history/DrawDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

// The program's own files as the build lays them out: the bundled history and user/ defaults.
struct ShippedFiles {
    QTemporaryDir dir;
    ShippedFiles()
    {
        QDir().mkpath(dir.filePath(QStringLiteral("history")));
        QFile::copy(QStringLiteral(BALVORA_HISTORY_FILE), dir.filePath(QStringLiteral("history/ssq-history.txt")));
        writeFile(dir.filePath(QStringLiteral("user/DownUpdate.txt")), "shipped\n");
        writeFile(dir.filePath(QStringLiteral("user/Version.txt")), "shipped\n");
    }
};

} // namespace

class TestDataFolder : public QObject {
    Q_OBJECT
    QTemporaryDir m_dataHome;

private slots:
    void initTestCase()
    {
        // A data home of this run's own, not Qt's shared test folder, which a second run of the
        // suite at the same time would empty under this one.
        QVERIFY(m_dataHome.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
        QVERIFY(perUserDataFolder().startsWith(m_dataHome.path()));
        QVERIFY(perUserDataFolder().endsWith(QStringLiteral("/Balvora")));
    }
    void init() { QDir(perUserDataFolder()).removeRecursively(); }
    void cleanupTestCase() { QDir(perUserDataFolder()).removeRecursively(); }

    void choosesTheFolder_data()
    {
        QTest::addColumn<QString>("marker");   // a file in the program folder
        QTest::addColumn<bool>("dirOption");
        QTest::addColumn<QString>("expected"); // program, dir or user
        QTest::newRow("--dir wins over a portable copy") << "db1.db" << true << "dir";
        QTest::newRow("a copy holding db1.db") << "db1.db" << false << "program";
        QTest::newRow("a copy marked portable") << "portable" << false << "program";
        QTest::newRow("an installed or build-tree program") << "" << false << "user";
    }
    void choosesTheFolder()
    {
        QFETCH(QString, marker);
        QFETCH(bool, dirOption);
        QFETCH(QString, expected);
        QTemporaryDir program;
        QTemporaryDir other;
        if (!marker.isEmpty())
            writeFile(program.filePath(marker), "");
        const ProgramFolders f = chooseProgramFolders(program.path(), dirOption ? other.path() : QString());
        QCOMPARE(f.filesDir, program.path());
        const QString data = expected == "dir" ? other.path() : expected == "program" ? program.path() : perUserDataFolder();
        QCOMPARE(f.dataDir, data);
        QCOMPARE(f.perUser, expected == "user");
        // --dir holds its own Matrix/; otherwise the program's files do
        QCOMPARE(f.matrixDir, dirOption ? other.path() : program.path());
    }

    void firstStartFillsThePerUserFolderAndLaterStartsKeepIt()
    {
        ShippedFiles shipped;
        const ProgramFolders f = chooseProgramFolders(shipped.dir.path());
        QVERIFY(f.perUser);
        StarterHistoryResult r = prepareDataFolder(f);
        QVERIFY2(r.outcome.ok(), qPrintable(r.outcome.message));
        QCOMPARE(r.stored, 3493);
        QCOMPARE(readFile(QDir(f.dataDir).filePath("user/DownUpdate.txt")), QByteArray("shipped\n"));

        // The user changes a file and adds a draw; a new shipped default arrives.
        writeFile(QDir(f.dataDir).filePath("user/DownUpdate.txt"), "mine\n");
        writeFile(shipped.dir.filePath("user/ssq-latest.html"), "new default\n");
        {
            DrawDatabase data;
            QVERIFY(data.open(f.dataDir).ok());
            QVERIFY(DrawStore::insertDraw(data.database(), computeDrawAttributes("2026097", {1, 2, 3, 4, 5, 6}, 7)).ok());
        }
        r = prepareDataFolder(f);
        QVERIFY(r.outcome.ok());
        QCOMPARE(r.stored, 0);
        QCOMPARE(readFile(QDir(f.dataDir).filePath("user/DownUpdate.txt")), QByteArray("mine\n"));
        QCOMPARE(readFile(QDir(f.dataDir).filePath("user/ssq-latest.html")), QByteArray("new default\n"));
        DrawDatabase data;
        QVERIFY(data.open(f.dataDir).ok());
        QCOMPARE(countRows(data.database(), "data"), 3494);
    }

    // A history that is there is never replaced, even one that does not open.
    void aDamagedHistoryIsLeftAlone()
    {
        ShippedFiles shipped;
        QTemporaryDir dir;
        writeFile(dir.filePath("db1.db"), "not a database\n");
        const StarterHistoryResult r = prepareDataFolder(chooseProgramFolders(shipped.dir.path(), dir.path()));
        QVERIFY(r.outcome.ok());
        QCOMPARE(r.stored, 0);
        QCOMPARE(readFile(dir.filePath("db1.db")), QByteArray("not a database\n"));
    }

    // --dir and portable copies bring their own user/ files; only the history is made.
    void aGivenFolderGetsTheHistoryOnly()
    {
        ShippedFiles shipped;
        QTemporaryDir dir;
        const StarterHistoryResult r = prepareDataFolder(chooseProgramFolders(shipped.dir.path(), dir.path()));
        QVERIFY2(r.outcome.ok(), qPrintable(r.outcome.message));
        QCOMPARE(r.stored, 3493);
        QVERIFY(!QFile::exists(dir.filePath("user/DownUpdate.txt")));
        QVERIFY(!QDir(perUserDataFolder()).exists());
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"

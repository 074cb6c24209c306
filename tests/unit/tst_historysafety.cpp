// The history file against what happens to it outside the program's control: an import
// killed at random moments, a second program holding the write lock, a file or directory
// that cannot be written. balvora-cli runs as the real binary, in a process of its own.
#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"
#include "core/history/DrawStore.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

const QString kCli = QStringLiteral(BALVORA_BINARY_DIR "/balvora-cli");

// The real history when it is there, otherwise as many valid draws made up.
QStringList historyLines()
{
    QFile real(QStringLiteral(BALVORA_HISTORY_FILE));
    QStringList lines;
    if (real.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString &line : QString::fromUtf8(real.readAll()).split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                lines << line.trimmed();
        return lines;
    }
    QRandomGenerator rng(3493);
    for (int i = 0; i < 3493; ++i) {
        QList<int> reds;
        while (reds.size() < 6) {
            const int r = int(rng.bounded(1, 34));
            if (!reds.contains(r))
                reds << r;
        }
        QStringList parts{QStringLiteral("%1%2").arg(2003 + i / 152).arg(i % 152 + 1, 3, 10, QLatin1Char('0'))};
        for (int r : reds)
            parts << ballText(r);
        parts << ballText(int(rng.bounded(1, 17)));
        lines << parts.join(QLatin1Char(' '));
    }
    return lines;
}

// A connection of the test's own to the history file, closed and removed with it.
class Inspector {
public:
    explicit Inspector(const QString &path) : m_name(QStringLiteral("inspect_%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        m_open = db.open();
    }
    ~Inspector()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool isOpen() const { return m_open; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
    QString scalar(const QString &sql) const
    {
        QSqlQuery q(db());
        return q.exec(sql) && q.next() ? q.value(0).toString() : QStringLiteral("<%1 failed>").arg(sql);
    }

private:
    static inline int s_count = 0;
    QString m_name;
    bool m_open = false;
};

// The file is sound and every draw has both of its rows or neither; fills in the stored
// draws by number with their seven balls.
void checkHistory(const QString &path, QHash<QString, QString> *stored)
{
    Inspector in(path);
    QVERIFY(in.isOpen());
    QCOMPARE(in.scalar(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    QCOMPARE(in.scalar(QStringLiteral("select count(*) from data where qishu not in (select qishu from append)")),
             QStringLiteral("0"));
    QCOMPARE(in.scalar(QStringLiteral("select count(*) from append where qishu not in (select qishu from data)")),
             QStringLiteral("0"));
    stored->clear();
    QSqlQuery q(in.db());
    QVERIFY(q.exec(QStringLiteral("select qishu, c1, c2, c3, c4, c5, c6, c7 from data")));
    while (q.next()) {
        QStringList balls;
        for (int i = 1; i <= 7; ++i)
            balls << q.value(i).toString();
        stored->insert(q.value(0).toString(), balls.join(QLatin1Char(' ')));
    }
}

// The draw a batch line stores, as checkHistory lists it.
QPair<QString, QString> expectedDraw(const QString &line)
{
    const BatchLine b = parseBatchLine(line);
    QStringList balls(b.fields.reds.begin(), b.fields.reds.end());
    balls << b.fields.blue;
    return {b.fields.qishu, balls.join(QLatin1Char(' '))};
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

struct CliRun {
    int exitCode = -1;
    QString output;
};

// Runs balvora-cli to its end, as another user when asked (root reads and writes anything,
// so read-only files are tried as nobody).
CliRun runCli(const QStringList &args, const QByteArray &input = QByteArray(), bool asNobody = false)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (asNobody)
        p.start(QStringLiteral("setpriv"),
                QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", kCli} + args);
    else
        p.start(kCli, args);
    CliRun run;
    if (!p.waitForStarted())
        return run;
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.output = QString::fromUtf8(p.readAll());
    return run;
}

} // namespace

class TestHistorySafety : public QObject {
    Q_OBJECT

private slots:
    // Twenty imports, each killed with SIGKILL after a random short time; every next import
    // takes the draws still missing, the last one runs to its end. After every kill the
    // file is sound and no draw has only one of its rows.
    void killedImportsLeaveWholeDraws()
    {
        QTemporaryDir dir;
        QVERIFY(DrawDatabase::createDatabase(dir.path()).ok());
        const QString path = DrawDatabase::databasePath(dir.path());
        const QStringList lines = historyLines();
        QCOMPARE(lines.size(), 3493);

        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("kill moments from seed %u", seed);
        QRandomGenerator rng(seed);
        int window = 200; // ms; shrinks when imports finish first, grows when nothing got stored
        int killedWhileWriting = 0;
        QHash<QString, QString> stored;
        for (int round = 0; round <= 20; ++round) {
            QStringList missing;
            for (const QString &line : lines)
                if (!stored.contains(expectedDraw(line).first))
                    missing << line;
            if (missing.isEmpty())
                break;
            QProcess p;
            p.start(kCli, {"--dir", dir.path(), "import", "-"});
            QVERIFY(p.waitForStarted());
            p.write(missing.join(QLatin1Char('\n')).toUtf8());
            p.closeWriteChannel();
            const bool last = round == 20;
            bool killed = false;
            if (!p.waitForFinished(last ? 60000 : int(rng.bounded(window)) + 1)) {
                QVERIFY(!last);
                p.kill();
                QVERIFY(p.waitForFinished());
                killed = true;
            }
            if (!killed) {
                QCOMPARE(p.exitStatus(), QProcess::NormalExit);
                QCOMPARE(p.exitCode(), 0);
            }
            const int before = int(stored.size());
            checkHistory(path, &stored);
            if (QTest::currentTestFailed())
                return;
            if (killed && stored.size() > before && stored.size() < lines.size())
                ++killedWhileWriting;
            if (!killed)
                window = qMax(10, window / 2);
            else if (stored.size() == before)
                window += window / 2;
        }
        qInfo("%d kills landed while draws were being stored", killedWhileWriting);
        QVERIFY2(killedWhileWriting > 0, "some kill landed while draws were being stored");

        QCOMPARE(stored.size(), lines.size());
        for (const QString &line : lines) {
            const auto [qishu, balls] = expectedDraw(line);
            QCOMPARE(stored.value(qishu), balls);
        }
        Inspector in(path);
        QCOMPARE(in.scalar(QStringLiteral("select count(*) from append")), QString::number(lines.size()));
    }

    // While another program holds the write lock, an insert waits for it; released in time,
    // the draw is stored, held too long, the import says so and stores nothing.
    void secondProgramWaitsForTheWriter_data()
    {
        QTest::addColumn<bool>("releaseInTime");
        QTest::newRow("released after a second") << true;
        QTest::newRow("held past the busy timeout") << false;
    }
    void secondProgramWaitsForTheWriter()
    {
        QFETCH(bool, releaseInTime);
        QTemporaryDir dir;
        const QString path = DrawDatabase::databasePath(dir.path());
        {
            QVERIFY(DrawDatabase::createDatabase(dir.path()).ok());
            DrawDatabase data; // the history in the mode the program keeps it
            QVERIFY(data.open(dir.path()).ok());
        }
        Inspector holder(path);
        QVERIFY(holder.isOpen());
        QSqlQuery hold(holder.db());
        QVERIFY(hold.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(hold.exec(QStringLiteral("insert into data (qishu) values ('2030001')")));

        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(kCli, {"--dir", dir.path(), "import", "-"});
        QVERIFY(p.waitForStarted());
        p.write("2030002 01 02 03 04 05 06 07\n");
        p.closeWriteChannel();
        if (releaseInTime) {
            QVERIFY2(!p.waitForFinished(1000), "the import waits while the lock is held");
            QVERIFY(hold.exec(QStringLiteral("COMMIT")));
            QVERIFY(p.waitForFinished(30000));
        } else {
            QVERIFY(p.waitForFinished(30000));
            QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
        }
        const QString output = QString::fromUtf8(p.readAll());
        QHash<QString, QString> stored;
        if (releaseInTime) {
            QCOMPARE(p.exitCode(), 0);
            QVERIFY2(output.contains(QStringLiteral("inserted 1, skipped 0")), qPrintable(output));
            Inspector in(path);
            QCOMPARE(in.scalar(QStringLiteral("select count(*) from append where qishu='2030002'")), QStringLiteral("1"));
        } else {
            QCOMPARE(p.exitCode(), 1);
            QVERIFY2(output.contains(DataTexts::busy(path)), qPrintable(output));
            checkHistory(path, &stored);
            QVERIFY(stored.isEmpty());
        }
    }

    // A history that cannot be written still shows; every write is refused naming the file,
    // and the file stays as it was.
    void readOnlyHistoryShowsAndRefusesWrites_data()
    {
        QTest::addColumn<bool>("directoryReadOnly");
        QTest::newRow("read-only db1.db") << false;
        QTest::newRow("read-only program directory") << true;
    }
    void readOnlyHistoryShowsAndRefusesWrites()
    {
        QFETCH(bool, directoryReadOnly);
        const bool root = geteuid() == 0;
        if (root && QProcess::execute(QStringLiteral("setpriv"), {"--reuid=65534", "true"}) != 0)
            QSKIP("running as root without setpriv: file permissions would not apply");
        QTemporaryDir dir;
        const QString path = DrawDatabase::databasePath(dir.path());
        {
            QVERIFY(DrawDatabase::createDatabase(dir.path()).ok());
            DrawDatabase data;
            QVERIFY(data.open(dir.path()).ok());
            for (const QString &line : historyLines().mid(0, 3)) {
                const BatchLine b = parseBatchLine(line);
                QCOMPARE(insertDraw(data.database(), b.fields).outcome.status, Outcome::Status::Ok);
            }
        }
        const QByteArray before = fileBytes(path);
        const QStringList first3 = historyLines().mid(0, 3);
        const QString from = expectedDraw(first3.first()).first, to = expectedDraw(first3.last()).first;

        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const QFile::Permissions readWrite = readOnly | QFile::WriteOwner;
        const QFile::Permissions exec = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(path, directoryReadOnly ? readWrite | QFile::WriteOther : readOnly));
        QVERIFY(QFile::setPermissions(dir.path(), directoryReadOnly ? readOnly | exec : readWrite | exec | QFile::WriteOther));
        auto restore = qScopeGuard([&] { QFile::setPermissions(dir.path(), readWrite | exec); });

        const CliRun shown = runCli({"--dir", dir.path(), "freq", "--from", from, "--to", to}, {}, root);
        QCOMPARE(shown.exitCode, 0);
        const QString firstRed = expectedDraw(first3.first()).second.left(2);
        QVERIFY2(shown.output.contains(QRegularExpression(QStringLiteral("red\t%1\t[1-9]").arg(firstRed))),
                 qPrintable(shown.output));

        const CliRun write = runCli({"--dir", dir.path(), "import", "-"}, "2030001 01 02 03 04 05 06 07\n", root);
        QCOMPARE(write.exitCode, 1);
        QVERIFY2(write.output.contains(DataTexts::readOnly(path)), qPrintable(write.output));
        QCOMPARE(fileBytes(path), before);
    }
};

QTEST_GUILESS_MAIN(TestHistorySafety)
#include "tst_historysafety.moc"

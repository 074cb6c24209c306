// The draw database: opening never creates a file, refuses what is not our
// history, and a draw's two rows are written and deleted together.
#include "ProgramDir.h"
#include "core/download/DrawPage.h"
#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"
#include "core/history/DrawStore.h"
#include "core/history/DrawDetails.h"
#include "core/prize/PrizeCheck.h"
#include "core/prize/PrizeRules.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {
const QString kOpenFailed = QStringLiteral("找不到数据文件或数据文件无法打开，请确认解压是否正确或者文件被删除！");

int count(QSqlDatabase db, const QString &sql)
{
    QSqlQuery q(db);
    return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
}

// TABLE as SQLite holds it: its statement, then every row in rowid order, each value as its
// type and the hex of its bytes; the columns of LEAVE are left out.
QStringList tableDump(QSqlDatabase db, const QString &table, const QStringList &leave = {}, bool withStatement = true)
{
    QStringList dump;
    QSqlQuery q(db);
    if (withStatement && q.exec(QStringLiteral("select sql from sqlite_master where name = '%1'").arg(table)) && q.next())
        dump << q.value(0).toString();
    QStringList cells;
    if (q.exec(QStringLiteral("pragma table_info(%1)").arg(table)))
        while (q.next())
            if (!leave.contains(q.value(1).toString()))
                cells << QStringLiteral("typeof(%1) || ':' || hex(%1)").arg(q.value(1).toString());
    if (cells.isEmpty() || !q.exec(QStringLiteral("select %1 from %2 order by rowid").arg(cells.join(", "), table)))
        return {QStringLiteral("<unreadable>")};
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < cells.size(); ++i)
            row << q.value(i).toString();
        dump << row.join(QLatin1Char('|'));
    }
    return dump;
}
} // namespace

Q_DECLARE_METATYPE(std::function<Outcome(QSqlDatabase)>)

class TestDrawDatabase : public QObject {
    Q_OBJECT
private slots:
    void openRefusesWhatIsNotOurHistory_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("create");
        QTest::newRow("missing file") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray("") << true;
        QTest::newRow("text file") << QByteArray("not a database at all\n") << true;
        QTest::newRow("sqlite without our tables") << QByteArray("other") << true;
    }
    void openRefusesWhatIsNotOurHistory()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, create);
        QTemporaryDir dir;
        const QString path = DrawDatabase::databasePath(dir.path());
        if (content == "other") {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery(db).exec(QStringLiteral("create table data (qishu text)"));
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
        } else if (create) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        DrawDatabase data;
        const Outcome o = data.open(dir.path());
        QCOMPARE(o.ok(), false);
        QCOMPARE(o.message, kOpenFailed);
        QCOMPARE(QFile::exists(path), create); // a missing file stays missing
    }

    void createThenOpen()
    {
        ProgramDir history; // an empty history, opened
        QVERIFY(history.isOpen());
        QCOMPARE(count(history.db(), QStringLiteral("pragma user_version")), DrawDatabase::kSchemaVersion);
        // Column names are matched without regard to case, as the grid binds A1 and AC.
        QSqlQuery q(history.db());
        QVERIFY(q.exec(QStringLiteral("select A1, AC, qishu from Data")));
        QVERIFY(q.exec(QStringLiteral("select * from Append, data where Append.qishu = data.qishu")));
    }

    void createNeverTouchesAnExistingHistory()
    {
        QTemporaryDir dir;
        QVERIFY(DrawDatabase::createDatabase(dir.path()).ok());
        {
            DrawDatabase data;
            QVERIFY(data.open(dir.path()).ok());
            QVERIFY(DrawStore::insertDraw(data.database(), computeDrawAttributes("2007001", {1, 2, 3, 4, 5, 6}, 7)).ok());
        }
        QCOMPARE(DrawDatabase::createDatabase(dir.path()).ok(), false);
        DrawDatabase data;
        QVERIFY(data.open(dir.path()).ok());
        QCOMPARE(DrawStore::drawNumbers(data.database()).value, QStringList{"2007001"});
    }

    // A file written by a newer program is refused and left byte for byte; an older one
    // (version 0: our three tables, no version written; version 1: the same, numbered) is
    // brought up to date with the notice's table, keeping its draws.
    void schemaVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("withNoticeTable");
        QTest::addColumn<bool>("opens");
        QTest::newRow("0 is upgraded") << 0 << false << true;
        QTest::newRow("1 is upgraded") << 1 << false << true;
        QTest::newRow("current") << DrawDatabase::kSchemaVersion << true << true;
        QTest::newRow("one newer") << DrawDatabase::kSchemaVersion + 1 << true << false;
        QTest::newRow("far newer") << 99 << true << false;
    }
    void schemaVersion()
    {
        QFETCH(int, version);
        QFETCH(bool, withNoticeTable);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        const QString path = DrawDatabase::databasePath(dir.path());
        QVERIFY(DrawDatabase::createDatabase(dir.path()).ok());
        {
            DrawDatabase data;
            QVERIFY(data.open(dir.path()).ok());
            QVERIFY(DrawStore::insertDraw(data.database(), computeDrawAttributes("2007001", {1, 2, 3, 4, 5, 6}, 7)).ok());
            QVERIFY(QSqlQuery(data.database()).exec(QStringLiteral("PRAGMA user_version = %1").arg(version)));
            if (!withNoticeTable)
                QVERIFY(QSqlQuery(data.database()).exec(QStringLiteral("drop table gonggao")));
            // Back to a plain rollback journal, so the whole history is in db1.db itself.
            QVERIFY(QSqlQuery(data.database()).exec(QStringLiteral("PRAGMA journal_mode=DELETE")));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        const Outcome o = [&] {
            DrawDatabase data;
            return data.open(dir.path());
        }();
        QCOMPARE(o.ok(), opens);
        if (!opens) {
            QCOMPARE(o.status, Outcome::Status::Failed);
            QCOMPARE(o.message, QStringLiteral("数据文件db1.db的版本（%1）比本程序能打开的版本（%2）新，请使用新版本的程序打开！")
                                    .arg(version)
                                    .arg(DrawDatabase::kSchemaVersion));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
            return;
        }
        DrawDatabase data;
        QVERIFY(data.open(dir.path()).ok());
        QCOMPARE(count(data.database(), QStringLiteral("pragma user_version")), DrawDatabase::kSchemaVersion);
        QCOMPARE(DrawStore::drawNumbers(data.database()).value, QStringList{"2007001"});
        QCOMPARE(count(data.database(), QStringLiteral("select count(*) from gonggao")), 0);
    }

    // The upgrade is one transaction: a version 1 file whose new table cannot be made (a table
    // of that name is in the way), or a version 2 file whose second new column cannot be added
    // (it is there already), is refused and keeps its version and its layout; a version 2 file
    // without the table, or a version 3 one without grade 7, is no history of ours.
    void upgradeIsAllOrNothing_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("setup");
        QTest::newRow("1, table in the way") << 1 << "drop table gonggao; create view gonggao as select 1";
        QTest::newRow("2, a column in the way") << 2 << "alter table gonggao drop column zhushu7";
        QTest::newRow("2 without the table") << 2 << "drop table gonggao";
        QTest::newRow("3 without grade 7") << 3 << "alter table gonggao drop column jiangjin7";
    }
    void upgradeIsAllOrNothing()
    {
        QFETCH(int, version);
        QFETCH(QString, setup);
        QTemporaryDir dir;
        QVERIFY(DrawDatabase::createDatabase(dir.path()).ok());
        {
            DrawDatabase data;
            QVERIFY(data.open(dir.path()).ok());
            for (const QString &sql : setup.split(QLatin1Char(';')))
                QVERIFY2(QSqlQuery(data.database()).exec(sql), qPrintable(sql));
            QVERIFY(QSqlQuery(data.database()).exec(QStringLiteral("PRAGMA user_version = %1").arg(version)));
        }
        {
            DrawDatabase data;
            const Outcome o = data.open(dir.path());
            QCOMPARE(o.ok(), false);
            if (QString(QTest::currentDataTag()).contains(QLatin1String("without")))
                QCOMPARE(o.message, kOpenFailed);
            else
                QVERIFY2(o.message.startsWith(QStringLiteral("数据文件db1.db无法升级到版本%1：").arg(DrawDatabase::kSchemaVersion)),
                         qPrintable(o.message));
        }
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(DrawDatabase::databasePath(dir.path()));
        QVERIFY(raw.open());
        QCOMPARE(count(raw, QStringLiteral("pragma user_version")), version);
        // The column added before the one that failed went with the rollback.
        if (QString(QTest::currentDataTag()) == QLatin1String("2, a column in the way"))
            QCOMPARE(count(raw, QStringLiteral("select count(*) from pragma_table_info('gonggao') where name = 'zhushu7'")), 0);
        raw.close();
        raw = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    }

    // An older history raised to this version keeps every other table byte for byte: data,
    // append and wuxing, and of gonggao every column it had, the new ones empty.
    void upgradeLeavesEveryOtherTableAsItWas_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("version 2") << 2;
        QTest::newRow("version 1") << 1;
    }
    void upgradeLeavesEveryOtherTableAsItWas()
    {
        QFETCH(int, version);
        QTemporaryDir dir;
        QVERIFY(DrawDatabase::createDatabase(dir.path()).ok());
        const QStringList kept{"data", "append", "wuxing"};
        const QStringList grade7{"zhushu7", "jiangjin7"};
        QHash<QString, QStringList> before;
        {
            DrawDatabase data;
            QVERIFY(data.open(dir.path()).ok());
            QSqlDatabase db = data.database();
            const QStringList lines{"2026074 02 23 24 26 28 32 04", "2026075 08 12 18 21 24 30 01",
                                    "2026076 01 03 19 20 24 25 07 12"};
            BatchHooks hooks;
            hooks.message = [](const QString &) {};
            hooks.insert = [db](const EntryFields &e) { return insertDraw(db, e); };
            QCOMPARE(insertDrawBatch(db, lines, hooks).inserted, 3);
            QVERIFY(QSqlQuery(db).exec(QString::fromUtf8("insert into wuxing (qishu, c1, hwuxing01, lwuxing) "
                                                         "values ('2026075', '08', '金', '水')")));
            DrawDetails details;
            details.qishu = QStringLiteral("2026075");
            details.date = QStringLiteral("2026-07-02");
            details.pool = 283183968;
            details.grades[0] = {3, 6592751};
            details.grades[6] = {9373173, 5};
            QVERIFY(DrawDetailsStore::store(db, details).ok());
            QSqlQuery q(db);
            if (version == 1)
                QVERIFY(q.exec(QStringLiteral("drop table gonggao")));
            else
                for (const QString &column : grade7)
                    QVERIFY(q.exec(QStringLiteral("alter table gonggao drop column %1").arg(column)));
            QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = %1").arg(version)));
            QVERIFY(q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")));
            for (const QString &table : kept)
                before[table] = tableDump(db, table);
            if (version == 2)
                before[QStringLiteral("gonggao")] = tableDump(db, QStringLiteral("gonggao"), {}, false);
        }
        DrawDatabase data;
        QVERIFY(data.open(dir.path()).ok());
        QSqlDatabase db = data.database();
        QCOMPARE(count(db, QStringLiteral("pragma user_version")), DrawDatabase::kSchemaVersion);
        for (const QString &table : kept) {
            QCOMPARE(tableDump(db, table), before[table]);
            QVERIFY(before[table].size() > 1); // the statement and rows
        }
        if (version == 2) {
            QCOMPARE(tableDump(db, QStringLiteral("gonggao"), grade7, false), before[QStringLiteral("gonggao")]);
            QCOMPARE(count(db, QStringLiteral("select count(*) from gonggao where zhushu7 is null and jiangjin7 is null")), 1);
        } else {
            QCOMPARE(count(db, QStringLiteral("select count(*) from gonggao")), 0);
        }
        // And the new columns take a notice's 福运奖 at once.
        DrawDetails details;
        details.qishu = QStringLiteral("2026076");
        details.grades[6] = {0, 0};
        QVERIFY(DrawDetailsStore::store(db, details).ok());
        QCOMPARE(DrawDetailsStore::read(db, QStringLiteral("2026076")).value, details);
    }

    void drawRowsAreStoredTogetherOrNotAtAll()
    {
        ProgramDir history; // an empty history, opened
        QVERIFY(history.isOpen());
        QSqlDatabase db = history.db();
        // A stray append row with the same number makes the second insert fail;
        // the data row written before it must be rolled back.
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("insert into append (qishu) values ('2007002')")));
        const Outcome o = DrawStore::insertDraw(db, computeDrawAttributes("2007002", {1, 2, 3, 4, 5, 6}, 7));
        QCOMPARE(o.ok(), false);
        QVERIFY(!o.message.isEmpty());
        QCOMPARE(count(db, QStringLiteral("select count(*) from data")), 0);

        QVERIFY(DrawStore::insertDraw(db, computeDrawAttributes("2007003", {1, 2, 3, 4, 5, 6}, 7)).ok());
        QCOMPARE(count(db, QStringLiteral("select count(*) from data where qishu='2007003'")), 1);
        QCOMPARE(count(db, QStringLiteral("select count(*) from append where qishu='2007003'")), 1);
    }

    void deletesTakeBothRows()
    {
        ProgramDir history; // an empty history, opened
        QVERIFY(history.isOpen());
        QSqlDatabase db = history.db();
        for (const char *n : {"2007001", "2007002", "2007003"})
            QVERIFY(DrawStore::insertDraw(db, computeDrawAttributes(n, {1, 2, 3, 4, 5, 6}, 7)).ok());
        QVERIFY(DrawStore::deleteDraw(db, QStringLiteral("2007002")).ok());
        QCOMPARE(count(db, QStringLiteral("select count(*) from data")), 2);
        QCOMPARE(count(db, QStringLiteral("select count(*) from append")), 2);
        QVERIFY(DrawStore::clearAllDraws(db).ok());
        QCOMPARE(count(db, QStringLiteral("select count(*) from data")), 0);
        QCOMPARE(count(db, QStringLiteral("select count(*) from append")), 0);
    }

    void textWithQuotesIsData()
    {
        ProgramDir history; // an empty history, opened
        QVERIFY(history.isOpen());
        QVERIFY(DrawStore::insertDraw(history.db(), computeDrawAttributes("2007001", {1, 2, 3, 4, 5, 6}, 7)).ok());
        QCOMPARE(DrawStore::drawExists(history.db(), QStringLiteral("2007001' or '1'='1")).value, false);
        QVERIFY(DrawStore::deleteDraw(history.db(), QStringLiteral("x' or '1'='1")).ok());
        QCOMPARE(DrawStore::drawNumbers(history.db()).value.size(), 1);
    }

    // A history whose data table went away under the open connection: every read says it
    // failed, with the database's text, instead of reading as an empty history.
    void brokenHistoryReadsAsFailed_data()
    {
        using Read = std::function<Outcome(QSqlDatabase)>;
        QTest::addColumn<Read>("read");
        const QString draw = QStringLiteral("2007001");
        QTest::newRow("drawExists") << Read([=](QSqlDatabase db) { return DrawStore::drawExists(db, draw).outcome; });
        QTest::newRow("drawNumbers") << Read([](QSqlDatabase db) { return DrawStore::drawNumbers(db).outcome; });
        QTest::newRow("highestDrawNumber") << Read([](QSqlDatabase db) { return DrawStore::highestDrawNumber(db).outcome; });
        QTest::newRow("proposeNextDrawNumber") << Read([](QSqlDatabase db) { return proposeNextDrawNumber(db, 2026).outcome; });
        QTest::newRow("insertDraw checks for the draw")
            << Read([](QSqlDatabase db) {
                   return insertDraw(db, {QStringLiteral("2007002"), {"01", "02", "03", "04", "05", "06"}, "07", ""}).outcome;
               });
        QTest::newRow("insertDrawBatch")
            << Read([](QSqlDatabase db) {
                   BatchHooks hooks;
                   hooks.message = [](const QString &) {};
                   hooks.insert = [db](const EntryFields &f) { return insertDraw(db, f); };
                   const BatchReport report = insertDrawBatch(db, {QStringLiteral("2007002 1 2 3 4 5 6 7")}, hooks);
                   return report.stopped && report.inserted == 0 ? report.outcome : Outcome::success();
               });
        QTest::newRow("findDraw") << Read([=](QSqlDatabase db) { return PrizeCheck::findDraw(db, draw).outcome; });
        QTest::newRow("storedFortunes")
            << Read([](QSqlDatabase db) { return PrizeRules::storedFortunes(db, {QStringLiteral("2026080")}, {}).outcome; });
        QTest::newRow("analyseDrawPage")
            << Read([](QSqlDatabase db) {
                   return analyseDrawPage(db, QString::fromUtf8("双色球：2007002期01020304050607 ")).outcome;
               });
    }
    void brokenHistoryReadsAsFailed()
    {
        using Read = std::function<Outcome(QSqlDatabase)>;
        QFETCH(Read, read);
        ProgramDir history;
        QVERIFY(DrawStore::insertDraw(history.db(), computeDrawAttributes("2007001", {1, 2, 3, 4, 5, 6}, 7)).ok());
        QVERIFY(read(history.db()).ok()); // the same read on the sound history
        QSqlQuery q(history.db());
        QVERIFY(q.exec(QStringLiteral("alter table data rename to data_gone")));
        const Outcome o = read(history.db());
        QCOMPARE(o.status, Outcome::Status::Failed);
        QVERIFY2(o.message.contains(QLatin1String("data")), qPrintable(o.message));
    }
};

QTEST_GUILESS_MAIN(TestDrawDatabase)
#include "tst_drawdatabase.moc"

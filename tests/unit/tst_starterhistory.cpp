// The starter history: db1.db made and filled with the bundled draws in one go, each draw
// stored as the entry stores it; nothing is left behind when the bundled file is faulty,
// and an existing history is never touched.
#include "HistoryRows.h"
#include "ProgramDir.h"
#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"
#include "core/history/StarterHistory.h"

#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every row of TABLE, ordered by draw, each as its values joined by '|'.
QStringList tableRows(QSqlDatabase db, const QString &table)
{
    QSqlQuery q(db);
    q.exec(QStringLiteral("select * from %1 order by qishu").arg(table));
    QStringList rows;
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < q.record().count(); ++i)
            values << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

QString writeFile(const QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = dir.filePath(QStringLiteral("draws.txt"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}

} // namespace

class TestStarterHistory : public QObject {
    Q_OBJECT
private slots:
    // The whole bundled file, compared row by row with the same draws entered one at a time.
    void storesTheBundledDrawsAsTheEntryWould()
    {
        QTemporaryDir starter;
        const StarterHistoryResult r = createStarterHistory(starter.path(), QStringLiteral(BALVORA_HISTORY_FILE));
        QVERIFY2(r.outcome.ok(), qPrintable(r.outcome.message));
        QCOMPARE(r.stored, 3493);

        QFile file(QStringLiteral(BALVORA_HISTORY_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(file.readAll()).trimmed().split(QLatin1Char('\n'));
        // One insertDraw a line, outside any batch: each statement made for its own draw.
        ProgramDir entered;
        QSqlDatabase one = entered.db();
        for (const QString &line : lines) {
            const BatchLine parsed = parseBatchLine(line);
            QCOMPARE(parsed.kind, BatchLine::Draw);
            const Result<QString> stored = insertDraw(one, parsed.fields);
            QVERIFY2(stored.ok(), qPrintable(stored.outcome.message));
        }

        DrawDatabase data;
        QVERIFY(data.open(starter.path()).ok());
        for (const QString &table : {QStringLiteral("data"), QStringLiteral("append")}) {
            const QStringList got = tableRows(data.database(), table);
            QCOMPARE(got.size(), 3493);
            QCOMPARE(got, tableRows(one, table));
        }
        QCOMPARE(storedValue(data.database(), "data", "qishu", "2026096"), QStringLiteral("2026096"));
    }

    void refusesAnExistingHistoryAndLeavesIt()
    {
        ProgramDir dir;
        dir.addDraw("2007001", {1, 2, 3, 4, 5, 6}, 7);
        const StarterHistoryResult r = createStarterHistory(dir.path(), QStringLiteral(BALVORA_HISTORY_FILE));
        QVERIFY(!r.outcome.ok());
        QCOMPARE(r.stored, 0);
        QCOMPARE(countRows(dir.db(), "data"), 1);
    }

    // A faulty bundled file stores nothing and leaves no db1.db, so the next start tries again.
    void aFaultyFileLeavesNoHistory_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("a wrong line after good ones")
            << QByteArray("2003001 10 11 12 13 26 28 11\n2003002 04 09 19 20 21 26 12\n2003003 01 07 10 23 28 34 16\n");
        QTest::newRow("a draw twice") << QByteArray("2003001 10 11 12 13 26 28 11\r\n2003001 10 11 12 13 26 28 11\r\n");
        QTest::newRow("an empty line in the middle")
            << QByteArray("2003001 10 11 12 13 26 28 11\n\n2003002 04 09 19 20 21 26 12\n");
    }
    void aFaultyFileLeavesNoHistory()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = content.isNull() ? dir.filePath(QStringLiteral("none.txt")) : writeFile(dir, content);
        const StarterHistoryResult r = createStarterHistory(dir.path(), path);
        QVERIFY(!r.outcome.ok());
        QVERIFY(!r.outcome.message.isEmpty());
        QCOMPARE(r.stored, 0);
        QVERIFY(!QFile::exists(DrawDatabase::databasePath(dir.path())));
    }

    void windowsLineEndsAndATrailingBlankLine()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "2003001 10 11 12 13 26 28 11\r\n2003002 04 09 19 20 21 26 12\r\n\r\n");
        const StarterHistoryResult r = createStarterHistory(dir.path(), path);
        QVERIFY2(r.outcome.ok(), qPrintable(r.outcome.message));
        QCOMPARE(r.stored, 2);
        QCOMPARE(starterLoadedText(r.stored), QStringLiteral("已载入 2 期开奖数据"));
    }

    // A transaction inside another is part of it: the outer rollback takes the inner commit back.
    void anInnerTransactionFollowsTheOuter()
    {
        ProgramDir dir;
        QSqlDatabase db = dir.db();
        {
            Transaction outer(db);
            QVERIFY(outer.isActive());
            QVERIFY(DrawStore::insertDraw(db, computeDrawAttributes("2007001", {1, 2, 3, 4, 5, 6}, 7)).ok());
            QCOMPARE(countRows(db, "data"), 1);
        }
        QCOMPARE(countRows(db, "data"), 0);
        QCOMPARE(countRows(db, "append"), 0);
        // an inner one that ends without committing leaves the outer nothing to commit
        {
            Transaction outer(db);
            QVERIFY(DrawStore::insertDraw(db, computeDrawAttributes("2007001", {1, 2, 3, 4, 5, 6}, 7)).ok());
            { Transaction inner(db); }
            QVERIFY(!outer.commit().ok());
        }
        QCOMPARE(countRows(db, "data"), 0);
        // and afterwards a transaction of its own works as before
        QVERIFY(DrawStore::insertDraw(db, computeDrawAttributes("2007002", {1, 2, 3, 4, 5, 6}, 7)).ok());
        QCOMPARE(countRows(db, "data"), 1);
    }
};

QTEST_GUILESS_MAIN(TestStarterHistory)
#include "tst_starterhistory.moc"

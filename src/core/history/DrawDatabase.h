#pragma once
// The draw database: one SQLite file, db1.db, in the program directory. Opening
// never creates it; createDatabase() is the only place a new file is made.
#include "core/Outcome.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

class DrawDatabase {
public:
    // The PRAGMA user_version that data/schema.sql writes. A file of a newer version is
    // refused untouched; an older one is brought up to this version when it is opened.
    // Version 2 added the table gonggao (the draw notice's date, sales and prize money),
    // version 3 its grade 7, 福运奖 (zhushu7, jiangjin7).
    static constexpr int kSchemaVersion = 3;

    DrawDatabase();
    ~DrawDatabase();
    DrawDatabase(const DrawDatabase &) = delete;
    DrawDatabase &operator=(const DrawDatabase &) = delete;

    // Opens DIR/db1.db. Fails (with the message the user sees) when the file is
    // missing, unreadable, not SQLite, damaged, lacks one of the tables, or was written by a
    // newer program (kSchemaVersion); an older file is upgraded in one transaction first.
    // A file or directory that cannot be written is opened read-only: the history shows,
    // every write is refused (writeErrorText).
    Outcome open(const QString &programDir);
    bool isOpen() const;
    bool isReadOnly() const { return m_readOnly; }
    QSqlDatabase database() const;

    static QString databasePath(const QString &programDir);
    // The PRAGMA user_version of an open history: below kSchemaVersion only when it could not
    // be upgraded (read-only). -1 when it cannot be read.
    static int versionOf(QSqlDatabase db);
    // The file behind a connection, also when it was opened through a file: URI.
    static QString filePath(const QSqlDatabase &db);
    // Creates DIR/db1.db from the schema when absent; refuses when it exists.
    static Outcome createDatabase(const QString &programDir);

private:
    QString m_connectionName;
    bool m_readOnly = false;
};

// The text for a failed write: a history that another program is writing, or that cannot
// be written at all, is named with its file; any other error gives the database's own text.
QString writeErrorText(const QSqlDatabase &db, const QSqlError &error);
namespace DataTexts {
QString busy(const QString &path);
QString readOnly(const QString &path);
} // namespace DataTexts

// Every write goes through one of these: commit() makes it stick, anything else rolls back.
// One opened while another is open on the same connection joins it; ending without commit()
// then makes the outer one roll back.
class Transaction {
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    bool isActive() const { return m_active; }
    Outcome commit();

private:
    void left();

    QSqlDatabase m_db;
    bool m_nested = false;
    bool m_active = false;
};

// Runs job(db) on a connection of its own to the history in DIR, as a worker does; when the
// history does not open, a Result whose outcome says why, and job is not run.
template <class Result, class Job>
Result onHistoryAt(const QString &dir, Job job)
{
    DrawDatabase history;
    const Outcome opened = history.open(dir);
    if (!opened.ok()) {
        Result result;
        result.outcome = opened;
        return result;
    }
    return job(history.database());
}

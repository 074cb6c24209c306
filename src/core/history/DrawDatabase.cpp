#include "core/history/DrawDatabase.h"

#include "SchemaText.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>
#include <atomic>

namespace {
const QString kOpenFailed = QStringLiteral(
    "找不到数据文件或数据文件无法打开，请确认解压是否正确或者文件被删除！");

QString newerVersionText(int version)
{
    return QStringLiteral("数据文件db1.db的版本（%1）比本程序能打开的版本（%2）新，请使用新版本的程序打开！")
        .arg(version)
        .arg(DrawDatabase::kSchemaVersion);
}

// The statement of data/schema.sql that creates table (its text up to the next ';').
QString createStatement(const QString &table)
{
    const QString schema = QString::fromUtf8(kSchemaSql);
    const int start = schema.indexOf(QStringLiteral("CREATE TABLE %1 (").arg(table));
    return start < 0 ? QString() : schema.mid(start, schema.indexOf(QLatin1Char(';'), start) - start);
}

// Brings a history of an older layout to kSchemaVersion, all or nothing, one step per
// version. Version 0 is the same three tables without the version number written; version 2
// adds gonggao and leaves the three as they are; version 3 adds gonggao's grade 7 and leaves
// its other columns as they are (a gonggao made here has it already).
Outcome upgradeSchema(QSqlDatabase db, int from)
{
    Transaction t(db);
    if (!t.isActive())
        return Outcome::failed(db.lastError().text());
    QSqlQuery q(db);
    if (from < 2 && !q.exec(createStatement(QStringLiteral("gonggao"))))
        return Outcome::failed(q.lastError().text());
    if (from == 2)
        for (const char *column : {"zhushu7", "jiangjin7"})
            if (!q.exec(QStringLiteral("alter table gonggao add column %1 INTEGER").arg(QLatin1String(column))))
                return Outcome::failed(q.lastError().text());
    if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(DrawDatabase::kSchemaVersion)))
        return Outcome::failed(q.lastError().text());
    return t.commit();
}

QString nextConnectionName()
{
    // The process normally holds one connection; tests build several windows in a row.
    static std::atomic<int> counter{0};
    const int n = counter++;
    return n == 0 ? QStringLiteral("drawHistory") : QStringLiteral("drawHistory_%1").arg(n);
}
} // namespace

DrawDatabase::DrawDatabase() : m_connectionName(nextConnectionName()) {}

DrawDatabase::~DrawDatabase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

QString DrawDatabase::databasePath(const QString &programDir)
{
    return programDir + QStringLiteral("/db1.db");
}

int DrawDatabase::versionOf(QSqlDatabase db)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("PRAGMA user_version")) && q.next() ? q.value(0).toInt() : -1;
}

QString DrawDatabase::filePath(const QSqlDatabase &db)
{
    const QString name = db.databaseName();
    return name.startsWith(QLatin1String("file:")) ? QUrl(name).toLocalFile() : name;
}

Outcome DrawDatabase::open(const QString &programDir)
{
    const QString path = databasePath(programDir);
    const QFileInfo info(path);
    // SQLite would happily create an empty file; a missing history must be reported instead.
    if (!info.exists() || !info.isFile() || !info.isReadable())
        return Outcome::failed(kOpenFailed);

    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
        ? QSqlDatabase::database(m_connectionName, false)
        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    // A history on a read-only medium or in a read-only directory is still shown. In WAL
    // mode SQLite must create the -shm file beside it even to read, which it cannot do
    // there; the file is opened as immutable instead, unless a -wal file holds
    // changes that only a normal read-only open takes in.
    m_readOnly = !info.isWritable() || !QFileInfo(info.absolutePath()).isWritable();
    if (m_readOnly) {
        const bool walPresent = QFileInfo(path + QStringLiteral("-wal")).size() > 0;
        db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)
                           + (walPresent ? QStringLiteral("?mode=ro") : QStringLiteral("?immutable=1")));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    }
    if (!db.open())
        return Outcome::failed(kOpenFailed);

    // Nothing below writes until the file has proved to be a sound history of ours.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral(
            "select count(*) from sqlite_master where type='table' and lower(name) in ('data','append','wuxing')"))
        || !q.next() || q.value(0).toInt() != 3) {
        q = QSqlQuery();
        db.close();
        return Outcome::failed(kOpenFailed);
    }
    // Read the version before anything is written: a newer file must stay byte for byte.
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        q = QSqlQuery();
        db.close();
        return Outcome::failed(kOpenFailed);
    }
    const int version = q.value(0).toInt();
    q.finish();
    if (version > kSchemaVersion) {
        q = QSqlQuery();
        db.close();
        return Outcome::failed(newerVersionText(version));
    }
    // From version 2 on the notice's table is part of the history, from version 3 its grade 7.
    if (version >= 2
        && (!q.exec(QStringLiteral("select count(*) from sqlite_master where type='table' and lower(name)='gonggao'"))
            || !q.next() || q.value(0).toInt() != 1)) {
        q = QSqlQuery();
        db.close();
        return Outcome::failed(kOpenFailed);
    }
    if (version >= 3
        && (!q.exec(QStringLiteral("select count(*) from pragma_table_info('gonggao') "
                                   "where lower(name) in ('zhushu7', 'jiangjin7')"))
            || !q.next() || q.value(0).toInt() != 2)) {
        q = QSqlQuery();
        db.close();
        return Outcome::failed(kOpenFailed);
    }
    // A truncated or damaged file still has its table list on page 1; only reading every
    // page tells.
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()
        || q.value(0).toString() != QLatin1String("ok")) {
        q = QSqlQuery();
        db.close();
        return Outcome::failed(kOpenFailed);
    }
    // A file cut anywhere but at a page boundary reads as sound; SQLite never writes one.
    // Without changes waiting in the -wal file, the file holds every page.
    const qint64 pageSize = q.exec(QStringLiteral("PRAGMA page_size")) && q.next() ? q.value(0).toLongLong() : 0;
    const qint64 pages = q.exec(QStringLiteral("PRAGMA page_count")) && q.next() ? q.value(0).toLongLong() : 0;
    const bool walPending = QFileInfo(path + QStringLiteral("-wal")).size() > 0;
    if (pageSize <= 0 || info.size() % pageSize != 0 || (!walPending && info.size() < pages * pageSize)) {
        q = QSqlQuery();
        db.close();
        return Outcome::failed(kOpenFailed);
    }
    // A history that cannot be written is shown as it is, without the notice's details.
    if (version < kSchemaVersion && !m_readOnly) {
        const Outcome upgraded = upgradeSchema(db, version);
        if (!upgraded.ok()) {
            q = QSqlQuery();
            db.close();
            return Outcome::failed(QStringLiteral("数据文件db1.db无法升级到版本%1：%2").arg(kSchemaVersion).arg(upgraded.message));
        }
    }
    q.finish();
    if (!m_readOnly) {
        // WAL keeps readers and the writer apart and survives a crash mid-write;
        // NORMAL sync is durable at each checkpoint and fast enough for one row pair per draw.
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    return Outcome::success();
}

bool DrawDatabase::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName)
        && QSqlDatabase::database(m_connectionName, false).isOpen();
}

QSqlDatabase DrawDatabase::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

Outcome DrawDatabase::createDatabase(const QString &programDir)
{
    const QString path = databasePath(programDir);
    if (QFileInfo::exists(path))
        return Outcome::refused(QStringLiteral("%1 already exists; it was left as it is.").arg(path));

    const QString name = QStringLiteral("balvora_create");
    Outcome result = Outcome::success(QStringLiteral("created %1").arg(path));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            result = Outcome::failed(QStringLiteral("cannot create %1: %2").arg(path, db.lastError().text()));
        } else {
            QSqlQuery q(db);
            // Comments first, then one statement per ';'.
            QStringList code;
            for (const QString &line : QString::fromUtf8(kSchemaSql).split(QLatin1Char('\n')))
                if (!line.trimmed().startsWith(QLatin1String("--")))
                    code << line;
            const QStringList statements = code.join(QLatin1Char('\n')).split(QLatin1Char(';'));
            db.transaction();
            for (const QString &raw : statements) {
                const QString sql = raw.trimmed();
                if (sql.isEmpty())
                    continue;
                if (!q.exec(sql)) {
                    result = Outcome::failed(QStringLiteral("cannot create %1: %2").arg(path, q.lastError().text()));
                    break;
                }
            }
            if (result.ok())
                db.commit();
            else
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!result.ok())
        QFile::remove(path);
    return result;
}

namespace DataTexts {
QString busy(const QString &path)
{
    return QStringLiteral("数据文件%1正被其他程序使用，请稍后再试！").arg(path);
}
QString readOnly(const QString &path)
{
    return QStringLiteral("数据文件%1是只读的，无法保存修改！").arg(path);
}
} // namespace DataTexts

QString writeErrorText(const QSqlDatabase &db, const QSqlError &error)
{
    // The file itself, also when it was opened through a file: URI.
    QString path = db.databaseName();
    if (path.startsWith(QLatin1String("file:")))
        path = QUrl(path).toLocalFile();
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff; // the primary SQLite result code
    if (ok && (code == 5 || code == 6)) // SQLITE_BUSY, SQLITE_LOCKED
        return DataTexts::busy(path);
    if (ok && code == 8) // SQLITE_READONLY
        return DataTexts::readOnly(path);
    return error.text();
}

namespace {
// The Transactions open on each connection of this thread. An inner one joins the outer, so
// a routine that writes in its own transaction (one draw) can also run inside a bigger one
// (a whole starter history stored at once). An inner one that ends without committing
// spoils the outer: it can only roll back, so nothing half-written is ever committed.
struct OpenTransactions {
    int depth = 0;
    bool spoiled = false;
};
thread_local QHash<QString, OpenTransactions> t_open;
} // namespace

Transaction::Transaction(QSqlDatabase db) : m_db(db)
{
    OpenTransactions &open = t_open[m_db.connectionName()];
    m_nested = open.depth > 0;
    m_active = m_nested || m_db.transaction();
    if (m_active)
        ++open.depth;
    else if (open.depth == 0)
        t_open.remove(m_db.connectionName());
}

Transaction::~Transaction()
{
    if (!m_active)
        return;
    if (m_nested)
        t_open[m_db.connectionName()].spoiled = true;
    else
        m_db.rollback();
    left();
}

void Transaction::left()
{
    m_active = false;
    const QString name = m_db.connectionName();
    if (--t_open[name].depth <= 0)
        t_open.remove(name);
}

Outcome Transaction::commit()
{
    if (!m_active)
        return Outcome::failed(writeErrorText(m_db, m_db.lastError()));
    if (m_nested) {
        left();
        return Outcome::success();
    }
    const bool spoiled = t_open[m_db.connectionName()].spoiled;
    left();
    if (spoiled) {
        m_db.rollback();
        return Outcome::failed(QStringLiteral("a write inside the transaction failed; nothing was stored"));
    }
    if (!m_db.commit()) {
        const QString text = writeErrorText(m_db, m_db.lastError());
        m_db.rollback();
        return Outcome::failed(text);
    }
    return Outcome::success();
}

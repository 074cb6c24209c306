#include "core/draws/DataM.h"

#include "SchemaText.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>

namespace {
const QString kOpenFailed = QStringLiteral(
    "找不到数据文件或数据文件无法打开，请确认解压是否正确或者文件被删除！");

QString newerVersionText(int version)
{
    return QStringLiteral("数据文件db1.db的版本（%1）比本程序能打开的版本（%2）新，请使用新版本的程序打开！")
        .arg(version)
        .arg(DataM::kSchemaVersion);
}

// Brings a history of an older layout to kSchemaVersion, all or nothing. Version 0 is the
// same three tables without the version number written.
Outcome upgradeSchema(QSqlDatabase db, int from)
{
    Transaction t(db);
    if (!t.isActive())
        return Outcome::failed(db.lastError().text());
    QSqlQuery q(db);
    if (from < 1 && !q.exec(QStringLiteral("PRAGMA user_version = 1")))
        return Outcome::failed(q.lastError().text());
    return t.commit();
}

QString nextConnectionName()
{
    // The process normally holds one connection; tests build several windows in a row.
    static std::atomic<int> counter{0};
    const int n = counter++;
    return n == 0 ? QStringLiteral("ADOConnection1") : QStringLiteral("ADOConnection1_%1").arg(n);
}
} // namespace

DataM::DataM() : m_connectionName(nextConnectionName()) {}

DataM::~DataM()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

QString DataM::databasePath(const QString &programDir)
{
    return programDir + QStringLiteral("/db1.db");
}

Outcome DataM::open(const QString &programDir)
{
    const QString path = databasePath(programDir);
    const QFileInfo info(path);
    // SQLite would happily create an empty file; a missing history must be reported instead.
    if (!info.exists() || !info.isFile() || !info.isReadable())
        return Outcome::failed(kOpenFailed);

    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
        ? QSqlDatabase::database(m_connectionName, false)
        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        return Outcome::failed(kOpenFailed);

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
    if (version < kSchemaVersion) {
        const Outcome upgraded = upgradeSchema(db, version);
        if (!upgraded.ok()) {
            q = QSqlQuery();
            db.close();
            return Outcome::failed(QStringLiteral("数据文件db1.db无法升级到版本%1：%2").arg(kSchemaVersion).arg(upgraded.message));
        }
    }
    // WAL keeps readers and the writer apart and survives a crash mid-write;
    // NORMAL sync is durable at each checkpoint and fast enough for one row pair per draw.
    q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    return Outcome::success();
}

bool DataM::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName)
        && QSqlDatabase::database(m_connectionName, false).isOpen();
}

QSqlDatabase DataM::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

Outcome DataM::createDatabase(const QString &programDir)
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

Transaction::Transaction(QSqlDatabase db) : m_db(db)
{
    m_active = m_db.transaction();
}

Transaction::~Transaction()
{
    if (m_active)
        m_db.rollback();
}

Outcome Transaction::commit()
{
    if (!m_active)
        return Outcome::failed(m_db.lastError().text());
    m_active = false;
    if (!m_db.commit()) {
        const QString text = m_db.lastError().text();
        m_db.rollback();
        return Outcome::failed(text);
    }
    return Outcome::success();
}

#include "app/DataFolder.h"

#include "core/history/DrawDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool isPortableCopy(const QString &programDir)
{
    const QDir dir(programDir);
    return QFileInfo::exists(dir.filePath(QStringLiteral("db1.db")))
           || QFileInfo::exists(dir.filePath(QStringLiteral("portable")));
}

// The shipped defaults that the folder lacks; a file the user changed stays as it is.
Outcome copyMissingUserFiles(const QString &filesDir, const QString &dataDir)
{
    const QDir shipped(QDir(filesDir).filePath(QStringLiteral("user")));
    const QDir target(QDir(dataDir).filePath(QStringLiteral("user")));
    if (!QDir().mkpath(target.path()))
        return Outcome::failed(QStringLiteral("cannot create %1").arg(target.path()));
    for (const QString &name : shipped.entryList(QDir::Files)) {
        const QString to = target.filePath(name);
        if (QFileInfo::exists(to))
            continue;
        if (!QFile::copy(shipped.filePath(name), to))
            return Outcome::failed(QStringLiteral("cannot copy %1 to %2").arg(shipped.filePath(name), to));
        // Installed files are read-only; the user's copy is the user's to change.
        QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
    }
    return Outcome::success();
}

} // namespace

QString perUserDataFolder()
{
    // balvora-cli shares the window's folder whatever its binary is called.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Balvora"));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCoreApplication::setApplicationName(name);
    return folder;
}

ProgramFolders chooseProgramFolders(const QString &programDir, const QString &directory)
{
    if (!directory.isEmpty())
        return {programDir, directory, directory, false};
    if (isPortableCopy(programDir))
        return {programDir, programDir, programDir, false};
    return {programDir, programDir, perUserDataFolder(), true};
}

StarterHistoryResult prepareDataFolder(const ProgramFolders &folders)
{
    if (folders.perUser) {
        const Outcome copied = copyMissingUserFiles(folders.filesDir, folders.dataDir);
        if (!copied.ok())
            return {copied, 0};
    }
    if (QFileInfo::exists(DrawDatabase::databasePath(folders.dataDir)))
        return {Outcome::success(), 0};
    return createStarterHistory(folders.dataDir,
                                QDir(folders.filesDir).filePath(QStringLiteral("history/ssq-history.txt")));
}

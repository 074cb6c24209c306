#include "core/history/StarterHistory.h"

#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

StarterHistoryResult fill(const QString &dataDir, const QStringList &lines)
{
    DrawDatabase data;
    const Outcome opened = data.open(dataDir);
    if (!opened.ok())
        return {opened, 0};
    QSqlDatabase db = data.database();
    Transaction tx(db);
    if (!tx.isActive())
        return {Outcome::failed(writeErrorText(db, db.lastError())), 0};

    // The bundled file is ours: any line the rules refuse or skip means it is damaged.
    QString problem;
    const BatchHooks hooks{
        [&problem](const QString &text) {
            if (problem.isEmpty())
                problem = text;
        },
        [&db, &problem](const EntryFields &fields) {
            Result<QString> r = insertDraw(db, fields);
            if (!r.ok() && problem.isEmpty())
                problem = r.outcome.message;
            return r;
        },
        {}};
    const BatchReport report = insertDrawBatch(db, lines, hooks);
    if (!report.outcome.ok())
        return {report.outcome, 0};
    if (report.stopped || report.skipped > 0 || !problem.isEmpty())
        return {Outcome::failed(QStringLiteral("the bundled history was not stored: %1").arg(problem)), 0};
    const Outcome committed = tx.commit();
    return {committed, committed.ok() ? report.inserted : 0};
}

} // namespace

StarterHistoryResult createStarterHistory(const QString &dataDir, const QString &drawsFile)
{
    QFile file(drawsFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {Outcome::failed(QStringLiteral("cannot read %1: %2").arg(drawsFile, file.errorString())), 0};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();

    const Outcome created = DrawDatabase::createDatabase(dataDir);
    if (!created.ok())
        return {created, 0};
    const StarterHistoryResult result = fill(dataDir, lines);
    if (!result.outcome.ok())
        QFile::remove(DrawDatabase::databasePath(dataDir));
    return result;
}

QString starterLoadedText(int stored)
{
    return QStringLiteral("已载入 %1 期开奖数据").arg(stored);
}

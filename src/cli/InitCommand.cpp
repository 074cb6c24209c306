#include "Commands.h"

#include "core/history/DrawDatabase.h"
#include "core/history/StarterHistory.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QCommandLineOption kQuiet(QStringLiteral("quiet"), QStringLiteral("print nothing when the file is made or already there"));
const QCommandLineOption kEmpty(QStringLiteral("empty"), QStringLiteral("make an empty history instead of one with the bundled draws"));
}

void setupInit(QCommandLineParser &parser)
{
    parser.addOption(kEmpty);
    parser.addOption(kQuiet);
}

int runInit(const CliContext &ctx, const QCommandLineParser &parser)
{
    const bool quiet = parser.isSet(kQuiet);
    Outcome o;
    if (parser.isSet(kEmpty)) {
        o = DrawDatabase::createDatabase(ctx.programDir);
    } else {
        const StarterHistoryResult r = createStarterHistory(
            ctx.programDir, QDir(ctx.filesDir).filePath(QStringLiteral("history/ssq-history.txt")));
        o = r.outcome;
        if (o.ok())
            o.message = QStringLiteral("created %1 with %2 draws")
                            .arg(DrawDatabase::databasePath(ctx.programDir))
                            .arg(r.stored);
    }
    if (o.ok()) {
        if (!quiet)
            ctx.out << o.message << Qt::endl;
        return 0;
    }
    // An existing history is never touched.
    if (QFileInfo::exists(DrawDatabase::databasePath(ctx.programDir))) {
        if (!quiet)
            ctx.err << o.message << Qt::endl;
        return 0;
    }
    ctx.err << o.message << Qt::endl;
    return 1;
}

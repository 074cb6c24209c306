#include "Commands.h"

#include "core/history/DrawDatabase.h"

#include <QFileInfo>

namespace {
const QCommandLineOption kQuiet(QStringLiteral("quiet"), QStringLiteral("print nothing when the file is made or already there"));
}

void setupInit(QCommandLineParser &parser)
{
    parser.addOption(kQuiet);
}

int runInit(const CliContext &ctx, const QCommandLineParser &parser)
{
    const bool quiet = parser.isSet(kQuiet);
    const Outcome o = DrawDatabase::createDatabase(ctx.programDir);
    if (o.ok()) {
        if (!quiet)
            ctx.out << o.message << Qt::endl;
        return 0;
    }
    // An existing history is never touched; the build runs init on every build.
    if (QFileInfo::exists(DrawDatabase::databasePath(ctx.programDir))) {
        if (!quiet)
            ctx.err << o.message << Qt::endl;
        return 0;
    }
    ctx.err << o.message << Qt::endl;
    return 1;
}

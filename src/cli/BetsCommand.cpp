// balvora-cli bets: the betting tab's engine without its window. Generates, filters and
// reduces as the tab does and writes the current list's output lines.
#include "Commands.h"

#include "BetOptions.h"
#include "core/bets/Export.h"

#include <QFile>

void setupBets(QCommandLineParser &parser)
{
    addBetOptions(parser);
}

int runBets(const CliContext &ctx, const QCommandLineParser &parser)
{
    BetsOptions o;
    const QString usage = readBetOptions(parser, ctx.matrixDir, o);
    if (!usage.isEmpty()) {
        ctx.err << "balvora-cli bets: " << usage << Qt::endl;
        return 2;
    }

    BetEngine engine;
    if (!makeBets(o, engine, ctx.err))
        return 1;
    Outcome written;
    if (o.outPath.isEmpty()) {
        ctx.out.flush();
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly))
            written = Outcome::failed(out.errorString());
        else
            written = writeOutputLines(out, engine.current());
    } else {
        written = exportBets(o.outPath, engine.current());
    }
    if (!written.ok()) {
        ctx.err << written.message << Qt::endl;
        return 1;
    }
    ctx.err << "generated " << engine.generated().size() << ", current " << engine.current().size() << Qt::endl;
    return 0;
}

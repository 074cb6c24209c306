#include "Commands.h"

#include "core/draws/DataM.h"
#include "core/draws/Myfunction.h"
#include "core/shell/HistoryQuery.h"

int runFreq(const CliContext &ctx, const QStringList &args)
{
    QString from, to;
    bool haveFrom = false, haveTo = false;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--from")) {
            from = args[i + 1];
            haveFrom = true;
        } else if (args[i] == QLatin1String("--to")) {
            to = args[i + 1];
            haveTo = true;
        }
    }
    if (!haveFrom || !haveTo || args.size() != 4) {
        ctx.err << "usage: balvora-cli [--dir DIR] freq --from Q --to Q" << Qt::endl;
        return 2;
    }
    DataM data;
    const Outcome opened = data.open(ctx.programDir);
    if (!opened.ok()) {
        ctx.err << opened.message << Qt::endl;
        return 2;
    }
    const HistoryQuery::FrequencyCounts f = HistoryQuery::frequencyCounts(data.database(), from, to);
    if (!f.outcome.ok()) {
        ctx.err << f.outcome.message << Qt::endl;
        return 1;
    }
    for (int i = 0; i < f.counts.size(); ++i) {
        const bool red = i < HistoryQuery::kRedBalls;
        const int ball = red ? i + 1 : i + 1 - HistoryQuery::kRedBalls;
        ctx.out << (red ? "red" : "blue") << '\t' << BallText(ball) << '\t' << f.counts[i] << '\n';
    }
    return 0;
}

#include "Commands.h"

#include "core/Game.h"
#include "core/history/DrawDatabase.h"
#include "core/history/DrawAttributes.h"
#include "core/history/HistoryQuery.h"

namespace {
const QCommandLineOption kFrom(QStringLiteral("from"), QStringLiteral("the first draw number of the range"), QStringLiteral("Q"));
const QCommandLineOption kTo(QStringLiteral("to"), QStringLiteral("the last draw number of the range"), QStringLiteral("Q"));
} // namespace

void setupFreq(QCommandLineParser &parser)
{
    parser.addOptions({kFrom, kTo});
}

int runFreq(const CliContext &ctx, const QCommandLineParser &parser)
{
    if (!parser.isSet(kFrom) || !parser.isSet(kTo)) {
        ctx.err << "usage: balvora-cli [--dir DIR] freq --from Q --to Q" << Qt::endl;
        return 2;
    }
    const QString from = parser.value(kFrom);
    const QString to = parser.value(kTo);
    DrawDatabase data;
    const Outcome opened = openOrStartHistory(ctx, data);
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
        const bool red = i < Game::kRedBalls;
        const int ball = red ? i + 1 : i + 1 - Game::kRedBalls;
        ctx.out << (red ? "red" : "blue") << '\t' << ballText(ball) << '\t' << f.counts[i] << '\n';
    }
    return 0;
}

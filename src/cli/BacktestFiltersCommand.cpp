// balvora-cli backtest-filters: the filter conditions played against the stored draws of a
// range. One tab-separated row per condition given with --filter or --group: how many draws' winning reds
// it would have kept, of how many, and the share; the row of all of them together (at
// --tolerance) last.
#include "Commands.h"

#include "BetOptions.h"
#include "core/history/DrawDatabase.h"
#include "core/prize/FilterBacktest.h"

namespace {

const QCommandLineOption kFrom(QStringLiteral("from"), QStringLiteral("the first draw number of the range"), QStringLiteral("Q"));
const QCommandLineOption kTo(QStringLiteral("to"), QStringLiteral("the last draw number of the range"), QStringLiteral("Q"));

const char *const kUsage = "usage: balvora-cli [--dir DIR] backtest-filters --from Q --to Q --filter NAME=LO..HI... [--group BALLS:MIN..MAX]... [--tolerance K]";

} // namespace

void setupBacktestFilters(QCommandLineParser &parser)
{
    parser.addOptions({kFrom, kTo});
    addFilterOptions(parser);
}

int runBacktestFilters(const CliContext &ctx, const QCommandLineParser &parser)
{
    FilterSettings settings = defaultFilterSettings();
    bool given = false;
    const QString usage = readFilterOptions(parser, settings, given);
    if (!usage.isEmpty()) {
        ctx.err << "balvora-cli backtest-filters: " << usage << Qt::endl;
        return 2;
    }
    if (!parser.isSet(kFrom) || !parser.isSet(kTo) || !given) {
        ctx.err << kUsage << Qt::endl;
        return 2;
    }
    DrawDatabase data;
    const Outcome opened = openOrStartHistory(ctx, data);
    if (!opened.ok()) {
        ctx.err << opened.message << Qt::endl;
        return 2;
    }
    const Result<FilterBacktest::Table> table =
        FilterBacktest::countRange(data.database(), parser.value(kFrom), parser.value(kTo), settings);
    if (!table.ok()) {
        ctx.err << table.outcome.message << Qt::endl;
        return 1;
    }
    ctx.out << table.value.header().join(QLatin1Char('\t')) << '\n';
    for (const QStringList &row : table.value.rows())
        ctx.out << row.join(QLatin1Char('\t')) << '\n';
    ctx.out.flush();
    return 0;
}

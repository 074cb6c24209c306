#include "Commands.h"

#include "core/history/DrawDatabase.h"
#include "core/stats/Omission.h"
#include "core/prize/PrizeCheck.h"
#include "core/prize/PrizeRules.h"

#include <QFile>

namespace {
const QCommandLineOption kFrom(QStringLiteral("from"), QStringLiteral("the first draw number of the range"), QStringLiteral("Q"));
const QCommandLineOption kTo(QStringLiteral("to"), QStringLiteral("the last draw number of the range"), QStringLiteral("Q"));
const QCommandLineOption kDraw(QStringLiteral("draw"), QStringLiteral("the draw number to check against"), QStringLiteral("Q"));

// Opens the history or says why not (exit status 2, as for a usage error: nothing was run).
bool openHistory(const CliContext &ctx, DrawDatabase &data)
{
    const Outcome opened = openOrStartHistory(ctx, data);
    if (!opened.ok())
        ctx.err << opened.message << Qt::endl;
    return opened.ok();
}

// The chart as the window's grid holds it: the title row, the draw rows and any summary rows,
// tab-separated; the empty row between draws and summaries is left out.
void printChart(const CliContext &ctx, const StatsTable &t)
{
    ctx.out << t.columnTitles().join(QLatin1Char('\t')) << '\n';
    for (int r = 0; r < t.rowCount(); ++r) {
        const bool separator = r >= t.drawCount && r < t.rowCount() - t.summaryRows;
        if (!separator)
            ctx.out << t.rows[r].join(QLatin1Char('\t')) << '\n';
    }
}

int runChart(const CliContext &ctx, const QCommandLineParser &parser, const char *usage,
             StatsResult (*compute)(QSqlDatabase, const QString &, const QString &))
{
    if (!parser.isSet(kFrom) || !parser.isSet(kTo)) {
        ctx.err << "usage: balvora-cli [--dir DIR] " << usage << Qt::endl;
        return 2;
    }
    DrawDatabase data;
    if (!openHistory(ctx, data))
        return 2;
    const StatsResult result = compute(data.database(), parser.value(kFrom), parser.value(kTo));
    if (!result.outcome.ok()) {
        ctx.err << result.outcome.message << Qt::endl;
        return 1;
    }
    printChart(ctx, result.table);
    return 0;
}

} // namespace

void setupOmission(QCommandLineParser &parser)
{
    parser.addOptions({kFrom, kTo});
    parser.addPositionalArgument(QStringLiteral("red|blue"), QStringLiteral("the red or the blue omission chart"));
}

int runOmission(const CliContext &ctx, const QCommandLineParser &parser)
{
    const QString which = parser.positionalArguments().value(0);
    if (which != QLatin1String("red") && which != QLatin1String("blue")) {
        ctx.err << "usage: balvora-cli [--dir DIR] omission red|blue --from Q --to Q" << Qt::endl;
        return 2;
    }
    return runChart(ctx, parser, "omission red|blue --from Q --to Q",
                    which == QLatin1String("red") ? &Omission::redOmission : &Omission::blueOmission);
}

void setupIntervals(QCommandLineParser &parser)
{
    parser.addOptions({kFrom, kTo});
}

int runIntervals(const CliContext &ctx, const QCommandLineParser &parser)
{
    return runChart(ctx, parser, "intervals --from Q --to Q", &Omission::sumIntervals);
}

void setupCheck(QCommandLineParser &parser)
{
    parser.addOption(kDraw);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("one ticket a line, numbers separated by spaces; - reads stdin"));
}

int runCheck(const CliContext &ctx, const QCommandLineParser &parser)
{
    if (!parser.isSet(kDraw)) {
        ctx.err << "usage: balvora-cli [--dir DIR] check --draw Q FILE|-" << Qt::endl;
        return 2;
    }
    const QString path = parser.positionalArguments().value(0);
    QFile file(path);
    const bool readable = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                     : file.open(QIODevice::ReadOnly);
    if (!readable) {
        ctx.err << "cannot read " << path << ": " << file.errorString() << Qt::endl;
        return 1;
    }
    const QString text = QString::fromUtf8(file.readAll());
    DrawDatabase data;
    if (!openHistory(ctx, data))
        return 2;
    const PrizeCheck::ListCheck check = PrizeCheck::checkList(data.database(), parser.value(kDraw), text, fortunePeriods(ctx));
    if (!check.outcome.ok()) {
        ctx.out << check.outcome.message << '\n';
        return 1;
    }
    QStringList said = check.prizeMessages();
    if (!check.fortuneUnknownMessage().isEmpty())
        said << check.fortuneUnknownMessage();
    ctx.out << (said.isEmpty() ? PrizeCheck::noPrizeText() : said.join(QLatin1Char('\n'))) << '\n';
    return 0;
}

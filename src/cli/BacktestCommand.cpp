// balvora-cli backtest: a bet list played in every stored draw of a range. The bets are the
// output lines of FILE (- reads stdin) or what the bet options make, as balvora-cli bets
// makes them. One tab-separated row per draw: its prizes first to 福运奖, the yuan won and
// what the bets cost; the totals last.
#include "Commands.h"

#include "BetOptions.h"
#include "core/bets/BetText.h"
#include "core/download/ImportLayouts.h"
#include "core/history/DrawAttributes.h"
#include "core/history/DrawDatabase.h"
#include "core/prize/Backtest.h"
#include "core/prize/PrizeRules.h"

#include <QFile>

namespace {

const QCommandLineOption kFrom(QStringLiteral("from"), QStringLiteral("the first draw number of the range"), QStringLiteral("Q"));
const QCommandLineOption kTo(QStringLiteral("to"), QStringLiteral("the last draw number of the range"), QStringLiteral("Q"));

const char *const kUsage = "usage: balvora-cli [--dir DIR] backtest --from Q --to Q FILE|-\n"
                           "       balvora-cli [--dir DIR] backtest --from Q --to Q [bet options of bets]";

// The output lines of PATH as bets; the first line that is not one ends the reading.
bool readBetFile(const QString &path, BetList &bets, QTextStream &err)
{
    QFile file(path);
    const bool readable = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!readable) {
        err << "cannot read " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    const ImportText text = readImportText(file);
    for (int i = 0; i < text.lines.size(); ++i) {
        const QString line = text.lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const std::optional<Bet> bet = parseBetLine(line);
        if (!bet) {
            const bool cut = text.endsInLongLine && i == text.lines.size() - 1;
            err << path << ": " << unreadableLineMessage(i + 1, text.lines[i], cut) << Qt::endl;
            return false;
        }
        bets.push_back(*bet);
    }
    if (bets.empty()) {
        err << path << ": no bet in the file" << Qt::endl;
        return false;
    }
    return true;
}

QString ballsText(const PrizeCheck::DrawBalls &balls)
{
    QStringList reds;
    for (int r : balls.reds)
        reds << ballText(r);
    return reds.join(QLatin1Char(' ')) + QLatin1Char('+') + ballText(balls.blue);
}

// The yuan won, marked "*" where a first or second prize's money is not known, or whether
// three reds without the blue won 福运奖.
QString moneyText(const Backtest::DrawReturn &money)
{
    const bool unknown = money.floatingUnknown || money.fortuneUnknown;
    return QString::number(money.wonYuan) + (unknown ? QStringLiteral("*") : QString());
}

QString headerLine()
{
    QStringList titles{QStringLiteral("期数"), QStringLiteral("开奖号码")};
    for (int grade = PrizeRules::FirstGrade; grade <= PrizeRules::kGrades; ++grade)
        titles << PrizeRules::gradeName(grade);
    titles << QStringLiteral("奖金") << QStringLiteral("投注");
    return titles.join(QLatin1Char('\t'));
}

} // namespace

void setupBacktest(QCommandLineParser &parser)
{
    parser.addOptions({kFrom, kTo});
    addBetOptions(parser);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("bet lines as bets writes them; - reads stdin"));
}

int runBacktest(const CliContext &ctx, const QCommandLineParser &parser)
{
    const QStringList files = parser.positionalArguments();
    const bool fromOptions = betOptionsGiven(parser);
    if (!parser.isSet(kFrom) || !parser.isSet(kTo) || files.size() > 1 || (files.isEmpty() == !fromOptions)) {
        ctx.err << kUsage << Qt::endl;
        return 2;
    }
    BetList bets;
    BetEngine engine;
    if (fromOptions) {
        BetsOptions o;
        const QString usage = readBetOptions(parser, ctx.matrixDir, o);
        if (!usage.isEmpty()) {
            ctx.err << "balvora-cli backtest: " << usage << Qt::endl;
            return 2;
        }
        if (!makeBets(o, engine, ctx.err))
            return 1;
    } else if (!readBetFile(files.first(), bets, ctx.err)) {
        return 1;
    }
    const BetList &played = fromOptions ? engine.current() : bets;

    DrawDatabase data;
    const Outcome opened = openOrStartHistory(ctx, data);
    if (!opened.ok()) {
        ctx.err << opened.message << Qt::endl;
        return 2;
    }
    const Backtest::Report report =
        Backtest::playRange(data.database(), parser.value(kFrom), parser.value(kTo), played, fortunePeriods(ctx));
    if (!report.outcome.ok()) { // nothing cancels here
        ctx.err << report.outcome.message << Qt::endl;
        return 1;
    }

    ctx.out << headerLine() << '\n';
    for (const Backtest::PlayedRow &row : report.rows) {
        ctx.out << row.draw.qishu << '\t' << ballsText(row.draw.balls);
        for (qint64 n : row.counts)
            ctx.out << '\t' << n;
        ctx.out << '\t' << moneyText(row.money) << '\t' << row.money.costYuan << '\n';
    }
    ctx.out << "合计\t" << report.rows.size() << "期";
    for (qint64 n : report.totalCounts)
        ctx.out << '\t' << n;
    ctx.out << '\t' << moneyText(report.total) << '\t' << report.total.costYuan << '\n';
    ctx.out.flush();
    ctx.err << "bets " << played.size() << ", draws " << report.rows.size() << ", won " << report.total.wonYuan << " yuan"
            << (report.total.floatingUnknown ? " (and first or second prizes of unknown money)" : "");
    if (report.total.fortuneUnknown)
        ctx.err << " (and " << report.totalFortuneUnknown << (report.totalFortuneUnknown == 1 ? " bet" : " bets")
                << " of three reds without the blue not counted: whether the draw had 福运奖 is not known)";
    ctx.err << ", cost " << report.total.costYuan << " yuan" << Qt::endl;
    return 0;
}

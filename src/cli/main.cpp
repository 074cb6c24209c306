// balvora-cli [--dir DIR] COMMAND [OPTIONS] [ARGS]
//
// The global parser reads the options before the command and stops at the command's name;
// the rest goes to a parser that knows the global options and the command's own, so
// "balvora-cli bets --help" lists the bet options and --dir may stand on either side.
#include "Commands.h"

#include "app/DataFolder.h"
#include "core/history/DrawDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>

namespace {

struct Command {
    const char *name;
    const char *synopsis;     // what follows the name in the usage line
    const char *description;
    int arguments;            // how many positional arguments it takes; -1 one or more, -2 the command checks them
    void (*setup)(QCommandLineParser &);
    int (*run)(const CliContext &, const QCommandLineParser &);
};

const Command kCommands[] = {
    {"init", "[--empty] [--quiet]", "create DIR/db1.db with the bundled draws when absent", 0, setupInit, runInit},
    {"import", "FILE [FILE.json...]", "store every line of FILE as the batch entry does (- reads stdin), or the draws of saved notices",
     -1, setupImport, runImport},
    {"freq", "--from Q --to Q", "how often each red and blue ball came up in draws Q..Q", 0, setupFreq, runFreq},
    {"bets",
     "[--red L] [--blue L] [--method all|banker|wheel] [--banker L] [--wheel TYPE]\n"
     "       [--guarantee N] [--filter NAME=LO..HI]... [--tolerance K] [--reduce N] [--out FILE]",
     "generate, filter and reduce bets; print the output lines", 0, setupBets, runBets},
    {"wheel", "verify FILE [--type TYPE] [--n N]", "check that a wheel file keeps its promise", 2, setupWheel, runWheel},
    {"download", "[--history] [--url URL]", "fetch the page of user/DownUpdate.txt and store the draws it adds", 0,
     setupDownload, runDownload},
    {"notice", "[--pages N] [--url URL]", "read the draw notice of user/Notice.txt and store the draws it adds", 0,
     setupNotice, runNotice},
    {"omission", "red|blue --from Q --to Q", "the red or blue omission chart of draws Q..Q, tab-separated", 1,
     setupOmission, runOmission},
    {"intervals", "--from Q --to Q", "the sum-interval chart of draws Q..Q, tab-separated", 0, setupIntervals,
     runIntervals},
    {"check", "--draw Q FILE", "the prizes won by the tickets of FILE (one a line) in draw Q; - reads stdin", 1,
     setupCheck, runCheck},
    {"backtest", "--from Q --to Q (FILE|- | the bet options of bets)",
     "play a bet list in every draw Q..Q: prizes, yuan won and cost per draw, tab-separated", -2, setupBacktest,
     runBacktest},
    {"backtest-filters", "--from Q --to Q --filter NAME=LO..HI... [--group BALLS:MIN..MAX]... [--tolerance K]",
     "how many draws Q..Q each filter condition, and all of them together, would have kept, tab-separated", 0,
     setupBacktestFilters, runBacktestFilters},
};

const QCommandLineOption kDirOption(QStringLiteral("dir"),
                                    QStringLiteral("the program directory: db1.db, user/ and Matrix/ (default: the per-user data folder, or the directory of a portable balvora-cli)"),
                                    QStringLiteral("DIR"));
const QCommandLineOption kHelpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                     QStringLiteral("show this help"));

void addGlobalOptions(QCommandLineParser &parser)
{
    parser.addOption(kDirOption);
    parser.addOption(kHelpOption);
}

// Qt's help text without its own first line; ours names the command.
QString optionsText(const QCommandLineParser &parser)
{
    QString text = parser.helpText();
    text.remove(0, text.indexOf(QLatin1Char('\n')) + 1);
    while (text.startsWith(QLatin1Char('\n')))
        text.remove(0, 1);
    return text;
}

QString usageLine(const Command &c)
{
    return QStringLiteral("usage: balvora-cli [--dir DIR] %1 %2").arg(QLatin1String(c.name), QString::fromUtf8(c.synopsis));
}

void printHelp(QTextStream &out, const QCommandLineParser &global)
{
    out << "usage: balvora-cli [--dir DIR] COMMAND [OPTIONS] [ARGS]\n\n" << optionsText(global) << "\nCommands:\n";
    int width = 0;
    for (const Command &c : kCommands)
        width = std::max(width, int(qstrlen(c.name)) + 2);
    for (const Command &c : kCommands)
        out << "  " << QString::fromUtf8(c.name).leftJustified(width) << QString::fromUtf8(c.description) << '\n';
    out << "\n'balvora-cli COMMAND --help' lists the options of one command.\n";
    out.flush();
}

int runCommand(const Command &c, const QStringList &args, ProgramFolders folders, QTextStream &out, QTextStream &err)
{
    const QString prefix = QStringLiteral("balvora-cli %1: ").arg(QLatin1String(c.name));
    QCommandLineParser parser;
    addGlobalOptions(parser);
    c.setup(parser);
    if (!parser.parse(QStringList{QStringLiteral("balvora-cli")} + args)) {
        err << prefix << parser.errorText() << '\n' << usageLine(c) << "\n'balvora-cli " << c.name
            << " --help' lists its options." << Qt::endl;
        return 2;
    }
    if (parser.isSet(kHelpOption)) {
        out << usageLine(c) << '\n' << QString::fromUtf8(c.description) << "\n\n" << optionsText(parser);
        out.flush();
        return 0;
    }
    const qsizetype given = parser.positionalArguments().size();
    if (c.arguments >= 0 ? given != c.arguments : c.arguments == -1 && given < 1) {
        err << usageLine(c) << Qt::endl;
        return 2;
    }
    if (parser.isSet(kDirOption))
        folders = chooseProgramFolders(folders.filesDir, QDir(parser.value(kDirOption)).absolutePath());
    // download and notice read the user/ files before they open the history.
    if (c.run == runDownload || c.run == runNotice)
        prepareDataFolder(folders);
    CliContext ctx{folders.dataDir, out, err, folders.matrixDir, folders.filesDir, folders.perUser};
    const int status = c.run(ctx, parser);
    out.flush();
    err.flush();
    return status;
}

} // namespace

Outcome openOrStartHistory(const CliContext &ctx, DrawDatabase &data)
{
    const StarterHistoryResult prepared =
        prepareDataFolder({ctx.filesDir, ctx.matrixDir, ctx.programDir, ctx.perUser});
    if (!prepared.outcome.ok())
        ctx.err << prepared.outcome.message << Qt::endl;
    return data.open(ctx.programDir);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser global;
    addGlobalOptions(global);
    global.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("one of the commands below"));
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!global.parse(app.arguments())) {
        err << "balvora-cli: " << global.errorText() << Qt::endl;
        printHelp(err, global);
        return 2;
    }
    if (global.isSet(kHelpOption)) {
        printHelp(out, global);
        return 0;
    }
    QStringList args = global.positionalArguments();
    if (args.isEmpty()) {
        printHelp(err, global);
        return 2;
    }
    const ProgramFolders folders = chooseProgramFolders(
        QCoreApplication::applicationDirPath(),
        global.isSet(kDirOption) ? QDir(global.value(kDirOption)).absolutePath() : QString());
    const QString name = args.takeFirst();
    for (const Command &c : kCommands)
        if (name == QLatin1String(c.name))
            return runCommand(c, args, folders, out, err);
    err << "balvora-cli: unknown command " << name << Qt::endl;
    printHelp(err, global);
    return 2;
}

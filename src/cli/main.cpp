// balvora-cli [--dir DIR] COMMAND [ARGS]
#include "Commands.h"

#include <QCoreApplication>
#include <QDir>

namespace {

struct Command {
    const char *name;
    int (*run)(const CliContext &, const QStringList &);
    const char *usage;
};

const Command kCommands[] = {
    {"init", runInit, "init                      create DIR/db1.db from the schema when absent"},
    {"import", runImport, "import FILE               store every line of FILE as the batch entry does (- reads stdin)"},
    {"freq", runFreq, "freq --from Q --to Q      how often each red and blue ball came up in draws Q..Q"},
    {"bets", runBets, "bets [--red L] [--blue L] [--method all|banker|wheel] [--banker L] [--wheel TYPE]\n"
                      "       [--guarantee N] [--filter NAME=LO..HI]... [--reduce N] [--out FILE]\n"
                      "                            generate, filter and reduce bets; print the output lines"},
    {"wheel", runWheel, "wheel verify FILE [--type TYPE] [--n N]   check that a wheel file keeps its promise"},
};

void printHelp(QTextStream &out)
{
    out << "usage: balvora-cli [--dir DIR] COMMAND [ARGS]\n"
           "  --dir DIR   the program directory (default: the directory of balvora-cli)\n"
           "commands:\n";
    for (const Command &c : kCommands)
        out << "  " << c.usage << "\n";
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = app.arguments().mid(1);
    QString dir = QCoreApplication::applicationDirPath();
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--help")) {
            printHelp(out);
            return 0;
        }
        if (option == QLatin1String("--dir") && !args.isEmpty()) {
            dir = QDir(args.takeFirst()).absolutePath();
            continue;
        }
        err << "balvora-cli: unknown option " << option << Qt::endl;
        printHelp(err);
        return 2;
    }
    if (args.isEmpty()) {
        printHelp(err);
        return 2;
    }
    const QString name = args.takeFirst();
    for (const Command &c : kCommands)
        if (name == QLatin1String(c.name)) {
            CliContext ctx{dir, out, err};
            const int status = c.run(ctx, args);
            out.flush();
            err.flush();
            return status;
        }
    err << "balvora-cli: unknown command " << name << Qt::endl;
    printHelp(err);
    return 2;
}

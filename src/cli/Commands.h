#pragma once
// balvora-cli: the core's jobs from the command line. Each command lives in its own file,
// declares its options in a setup function and reads them back in its run function; it is
// listed once in the command table of main.cpp.
#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

struct CliContext {
    QString programDir;   // the data folder: --dir, a portable copy's own folder, or the per-user one
    QTextStream &out;
    QTextStream &err;
    QString matrixDir;    // holds Matrix/: --dir, or the folder of the balvora-cli binary
    QString filesDir;     // the folder of the balvora-cli binary: the bundled history
    bool perUser = false; // programDir is the per-user data folder
};

class DrawDatabase;
struct Outcome;
// Opens the history of ctx.programDir, made first from the bundled draws where there is none.
Outcome openOrStartHistory(const CliContext &ctx, DrawDatabase &data);
namespace PrizeRules {
struct FortunePeriods;
}
// The 福运奖 periods shipped beside the binary (ctx.filesDir); none, with a note on standard
// error, when the table cannot be read.
PrizeRules::FortunePeriods fortunePeriods(const CliContext &ctx);

// setupX declares the command's options and positional arguments (for parsing and --help);
// runX returns the process exit status: 0 done, 1 the job failed, 2 a usage error.
void setupInit(QCommandLineParser &parser);
int runInit(const CliContext &ctx, const QCommandLineParser &parser);
void setupImport(QCommandLineParser &parser);
int runImport(const CliContext &ctx, const QCommandLineParser &parser);
void setupFreq(QCommandLineParser &parser);
int runFreq(const CliContext &ctx, const QCommandLineParser &parser);
void setupBets(QCommandLineParser &parser);
int runBets(const CliContext &ctx, const QCommandLineParser &parser);
void setupWheel(QCommandLineParser &parser);
int runWheel(const CliContext &ctx, const QCommandLineParser &parser);
void setupDownload(QCommandLineParser &parser);
int runDownload(const CliContext &ctx, const QCommandLineParser &parser);
void setupNotice(QCommandLineParser &parser);
int runNotice(const CliContext &ctx, const QCommandLineParser &parser);
// import FILE.json...: the draws of saved notices (called by runImport).
int runNoticeImport(const CliContext &ctx, const QStringList &paths);
void setupOmission(QCommandLineParser &parser);
int runOmission(const CliContext &ctx, const QCommandLineParser &parser);
void setupIntervals(QCommandLineParser &parser);
int runIntervals(const CliContext &ctx, const QCommandLineParser &parser);
void setupBacktest(QCommandLineParser &parser);
int runBacktest(const CliContext &ctx, const QCommandLineParser &parser);
void setupBacktestFilters(QCommandLineParser &parser);
int runBacktestFilters(const CliContext &ctx, const QCommandLineParser &parser);
void setupCheck(QCommandLineParser &parser);
int runCheck(const CliContext &ctx, const QCommandLineParser &parser);

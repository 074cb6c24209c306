#pragma once
// balvora-cli: the core's jobs from the command line. Each command lives in its own
// file and is listed once in the table of main.cpp.
#include <QStringList>
#include <QTextStream>

struct CliContext {
    QString programDir;   // --dir, or the directory of the balvora-cli binary
    QTextStream &out;
    QTextStream &err;
};

// Each returns the process exit status.
int runInit(const CliContext &ctx, const QStringList &args);
int runImport(const CliContext &ctx, const QStringList &args);
int runFreq(const CliContext &ctx, const QStringList &args);
int runBets(const CliContext &ctx, const QStringList &args);
int runWheel(const CliContext &ctx, const QStringList &args);

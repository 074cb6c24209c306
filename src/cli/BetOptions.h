#pragma once
// The bet options of balvora-cli: the candidates, the method, the filters and the reduction,
// read from the command line and run through the engine as the betting tab runs them. bets
// prints the list they make; backtest plays it in past draws.
#include "core/Game.h"
#include "core/bets/BetEngine.h"

#include <QCommandLineParser>
#include <QTextStream>

struct BetsOptions {
    std::array<bool, Game::kRedBalls> reds{};
    std::array<bool, Game::kBlueBalls> blues{};
    GenerationRequest request;
    bool wheelGiven = false;
    FilterSettings filters = defaultFilterSettings();
    bool filterGiven = false;
    int reduceN = 0;
    QString outPath;
};

// Declares the options.
void addBetOptions(QCommandLineParser &parser);
// True when any option that makes bets was given.
bool betOptionsGiven(const QCommandLineParser &parser);
// Reads the options; a non-empty return is the usage error to print.
QString readBetOptions(const QCommandLineParser &parser, const QString &programDir, BetsOptions &o);
// Generates, filters and reduces into ENGINE; false (the message written to err) when a step failed.
bool makeBets(const BetsOptions &o, BetEngine &engine, QTextStream &err);
// The --filter, --tolerance and --group options alone, for a command that makes no bets.
void addFilterOptions(QCommandLineParser &parser);
// Reads --filter and --group (given: one was set) and --tolerance into settings; a non-empty return is the
// usage error to print.
QString readFilterOptions(const QCommandLineParser &parser, FilterSettings &settings, bool &given);

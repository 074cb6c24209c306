#pragma once
// The history a new user starts with: db1.db made in a directory and filled with the draws
// the program ships (one draw a line, in the batch-entry format), all in one transaction
// through the batch rules, so every stored attribute is what an entry of the draw stores.
#include "core/Outcome.h"

#include <QString>

struct StarterHistoryResult {
    Outcome outcome;
    int stored = 0;  // draws stored
};

// Refuses when DIR/db1.db exists (it is left as it is). On any failure the new file is
// removed again, so the next start tries afresh instead of finding an empty history.
StarterHistoryResult createStarterHistory(const QString &dataDir, const QString &drawsFile);

// "已载入 N 期开奖数据": the status bar's note after the first start.
QString starterLoadedText(int stored);

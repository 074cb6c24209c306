#pragma once
// The program's start-up: opens the history, db1.db of the program directory, and shows the
// main window over it; when the file cannot be opened, shows the database message and
// returns a non-zero exit status.
#include <QString>

class Messages;

// Returns the process exit status; runs the event loop only when the history opened.
int startProgram(const QString &programDir, Messages &messages);
// The same over a data folder apart from the program's files; STARTERDRAWS, when not 0, is
// how many draws the first start has just stored, which the status bar then tells.
int startProgram(const QString &dataDir, const QString &filesDir, int starterDraws, Messages &messages);

#pragma once
// The program's start-up: the main window over a program directory, or the
// database message and a non-zero exit status when db1.db cannot be opened.
#include <QString>

class Messages;

// Returns the process exit status; runs the event loop only when the window opened.
int startProgram(const QString &programDir, Messages &messages);
// The same over a data folder apart from the program's files; STARTERDRAWS, when not 0, is
// how many draws the first start has just stored, which the status bar then tells.
int startProgram(const QString &dataDir, const QString &filesDir, int starterDraws, Messages &messages);

#pragma once
// The program's start-up: opens the history, db1.db of the program directory, and shows the
// main window over it; when the file cannot be opened, shows the database message and
// returns a non-zero exit status.
#include <QString>

class Messages;

// Returns the process exit status; runs the event loop only when the history opened.
int startProgram(const QString &programDir, Messages &messages);

#pragma once
// The program's start-up: the main window over a program directory, or the
// database message and a non-zero exit status when db1.db cannot be opened.
#include <QString>

class Messages;

// Returns the process exit status; runs the event loop only when the window opened.
int startProgram(const QString &programDir, Messages &messages);

#pragma once
// Where the program's files are and where the user's data lives, decided once at start-up
// (window and balvora-cli alike) and passed down as directories; nothing below looks it up.
//
//   the program's files  Matrix/, history/ssq-history.txt, rules/fortune-periods.txt and the
//                        default user/ files, beside the binaries: the build tree, or
//                        /usr/lib/balvora when installed
//   the data folder      db1.db and user/:
//                          1. --dir DIR (balvora-cli), which then holds Matrix/ as well;
//                          2. the program's own folder when it is a portable copy: it holds
//                             db1.db or a file named "portable";
//                          3. otherwise the per-user folder (~/.local/share/Balvora).
#include "core/history/StarterHistory.h"

#include <QString>

struct ProgramFolders {
    QString filesDir;   // the binaries' folder: the bundled history and the default user/ files
    QString matrixDir;  // holds Matrix/
    QString dataDir;    // holds db1.db and user/
    bool perUser = false;  // the data folder is the per-user one
};

// PROGRAMDIR is the folder of the running binary; DIRECTORY, when not empty, is --dir.
ProgramFolders chooseProgramFolders(const QString &programDir, const QString &directory = QString());

// The per-user data folder: QStandardPaths::AppDataLocation of the application "Balvora".
QString perUserDataFolder();

// Makes the data folder ready to open: the per-user one is created with the shipped user/
// files that it lacks (nothing there is overwritten); then, where there is no db1.db, the
// starter history is made from the shipped draws. A db1.db that is there is left alone, even
// a damaged one, so that opening refuses it as it always has. stored is 0 when there was a
// history already.
StarterHistoryResult prepareDataFolder(const ProgramFolders &folders);

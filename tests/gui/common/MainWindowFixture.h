#pragma once
// The main window over a temporary program directory, with a recorder for its messages and
// the history read back from its database. buildMainWindow() is the one place a test
// builds a MainWindow: over the history that ProgramDir opened, as start-up does.
#include "HistoryRows.h"
#include "ProgramDir.h"
#include "RecordingMessages.h"
#include "ui/main/MainWindow.h"

#include <memory>

// The window over DIR's history, not shown yet; null when the history does not open.
inline std::unique_ptr<MainWindow> buildMainWindow(ProgramDir &dir, Messages &messages)
{
    if (!dir.isOpen())
        return nullptr;
    return std::make_unique<MainWindow>(dir.db(), dir.path(), messages);
}

struct MainWindowFixture {
    explicit MainWindowFixture(bool withDatabase = true) : dir(withDatabase) {}

    ProgramDir dir;
    RecordingMessages messages;
    std::unique_ptr<MainWindow> main;

    // Builds the window over the directory as it is now, without showing it (the history
    // is read at first show); false when the history does not open.
    bool buildMain()
    {
        main.reset();
        main = buildMainWindow(dir, messages);
        return main != nullptr;
    }
    // Builds and shows the window.
    bool openMain()
    {
        if (!buildMain())
            return false;
        main->show();
        return true;
    }
    int rows(const QString &table) { return countRows(main->database(), table); }
    // COLUMN of draw QISHU in data.
    QString value(const QString &column, const QString &qishu)
    {
        return storedValue(main->database(), QStringLiteral("data"), column, qishu);
    }
};

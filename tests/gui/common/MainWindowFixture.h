#pragma once
// The main window over a temporary program directory, with a recorder for its messages and
// the history read back from its database.
#include "HistoryRows.h"
#include "ProgramDir.h"
#include "RecordingMessages.h"
#include "ui/main/MainWindow.h"

#include <memory>

struct MainWindowFixture {
    ProgramDir dir;
    RecordingMessages messages;
    std::unique_ptr<MainWindow> main;

    // Builds and shows the window over the directory as it is now.
    void openMain()
    {
        main = std::make_unique<MainWindow>(dir.path(), messages);
        main->show();
    }
    int rows(const QString &table) { return countRows(main->database(), table); }
    // COLUMN of draw QISHU in data.
    QString value(const QString &column, const QString &qishu)
    {
        return storedValue(main->database(), QStringLiteral("data"), column, qishu);
    }
};

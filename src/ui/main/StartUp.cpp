#include "ui/main/StartUp.h"

#include "core/history/StarterHistory.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QStatusBar>

int startProgram(const QString &programDir, Messages &messages)
{
    return startProgram(programDir, programDir, 0, messages);
}

int startProgram(const QString &dataDir, const QString &filesDir, int starterDraws, Messages &messages)
{
    MainWindow window(dataDir, filesDir, messages);
    if (!window.databaseOpen())
        return 1;
    if (starterDraws > 0)
        window.statusBar()->showMessage(starterLoadedText(starterDraws), 30000);
    window.showMaximized();
    return QApplication::exec();
}

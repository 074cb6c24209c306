#include "ui/main/StartUp.h"

#include "core/history/StarterHistory.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QLabel>
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
        // A panel of its own: a temporary message would be drawn over the clock.
        window.statusBar()->addPermanentWidget(new QLabel(starterLoadedText(starterDraws), &window));
    window.showMaximized();
    return QApplication::exec();
}

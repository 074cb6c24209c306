#include "ui/main/StartUp.h"

#include "core/history/DrawDatabase.h"
#include "core/history/StarterHistory.h"
#include "ui/main/MainWindow.h"
#include "ui/widgets/Messages.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>

int startProgram(const QString &programDir, Messages &messages)
{
    return startProgram(programDir, programDir, 0, messages);
}

int startProgram(const QString &dataDir, const QString &filesDir, int starterDraws, Messages &messages)
{
    // Declared before the window, so the connection outlives every tab and dialog that
    // holds a query on it.
    DrawDatabase history;
    const Outcome opened = history.open(dataDir);
    if (!opened.ok()) {
        messages.information(nullptr, opened.message);
        return 1;
    }
    MainWindow window(history.database(), dataDir, filesDir, messages);
    if (starterDraws > 0)
        // A panel of its own: a temporary message would be drawn over the clock.
        window.statusBar()->addPermanentWidget(new QLabel(starterLoadedText(starterDraws), &window));
    window.showMaximized();
    return QApplication::exec();
}

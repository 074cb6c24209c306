#include "ui/main/StartUp.h"

#include "core/history/DrawDatabase.h"
#include "ui/main/MainWindow.h"
#include "ui/widgets/Messages.h"

#include <QApplication>

int startProgram(const QString &programDir, Messages &messages)
{
    // Declared before the window, so the connection outlives every tab and dialog that
    // holds a query on it.
    DrawDatabase history;
    const Outcome opened = history.open(programDir);
    if (!opened.ok()) {
        messages.information(nullptr, opened.message);
        return 1;
    }
    MainWindow window(history.database(), programDir, messages);
    window.showMaximized();
    return QApplication::exec();
}

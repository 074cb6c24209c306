#include "ui/main/StartUp.h"

#include "ui/main/MainWindow.h"

#include <QApplication>

int startProgram(const QString &programDir, Messages &messages)
{
    MainWindow window(programDir, messages);
    if (!window.databaseOpen())
        return 1;
    window.showMaximized();
    return QApplication::exec();
}

#include "ui/shell/StartUp.h"

#include "ui/shell/TFrm_Main.h"

#include <QApplication>

int startProgram(const QString &programDir, Messages &messages)
{
    TFrm_Main window(programDir, messages);
    if (!window.databaseOpen())
        return 1;
    window.showMaximized();
    return QApplication::exec();
}

// Start-up only: the application object, the program directory, the main window.
#include "shell/TFrm_Main.h"
#include "widgets/Messages.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Balvora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Balvora"));

    Messages messages;
    TFrm_Main window(QCoreApplication::applicationDirPath(), messages);
    if (!window.databaseOpen())
        return 1;
    window.showMaximized();
    return app.exec();
}

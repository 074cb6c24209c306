// Start-up only: the application object and the program directory; startProgram opens the
// history and owns it for the whole run.
#include "ui/main/StartUp.h"
#include "ui/widgets/Messages.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Balvora"));
    Messages messages;
    return startProgram(QCoreApplication::applicationDirPath(), messages);
}

// Start-up only: the application object, the program's files and the data folder;
// startProgram opens the history and owns it for the whole run.
#include "app/DataFolder.h"
#include "ui/main/StartUp.h"
#include "ui/widgets/Messages.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Balvora"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/balvora.svg")));
    Messages messages;
    const ProgramFolders folders = chooseProgramFolders(QCoreApplication::applicationDirPath());
    // A folder that cannot be made ready ends in the message of a history that does not open.
    const StarterHistoryResult prepared = prepareDataFolder(folders);
    if (!prepared.outcome.ok())
        qWarning("balvora: %s", qPrintable(prepared.outcome.message));
    return startProgram(folders.dataDir, folders.matrixDir, prepared.stored, messages);
}

// The first start in a new data folder, as the program runs it: the folder is made ready
// (the bundled draws stored), the window opens over it and says how many draws it loaded,
// and the About box names the folder. A second start finds the history and loads nothing.
#include "MainWindowFixture.h"
#include "app/DataFolder.h"
#include "ui/main/MainWindow.h"
#include "ui/main/StartUp.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// What one run of the window showed before it was left by the menu.
struct SeenWindow {
    QStringList statusPanels;
    int drawsListed = -1;
    QString lastDraw;
    QString aboutFolder;
};

MainWindow *mainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<MainWindow *>(w))
            return window;
    return nullptr;
}

// Runs the program over FOLDERS as main() does, looks at the window and the About box, then exits.
int runOnce(const ProgramFolders &folders, int starterDraws, SeenWindow &seen)
{
    RecordingMessages messages; // answers the exit question with Yes
    QTimer::singleShot(0, [&seen] {
        MainWindow *window = mainWindow();
        if (!window)
            return;
        for (QLabel *panel : window->statusBar()->findChildren<QLabel *>())
            if (!panel->text().isEmpty())
                seen.statusPanels << panel->text();
        const auto *endBox = window->findChild<QComboBox *>(QStringLiteral("rangeEndBox"));
        seen.drawsListed = endBox->count();
        seen.lastDraw = endBox->currentText();
        // The About box is modal: read it once it shows, then close it.
        QTimer::singleShot(0, [&seen] {
            if (auto *about = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                seen.aboutFolder = about->findChild<QLabel *>(QStringLiteral("dataFolderLabel"))->text();
                about->accept();
            }
        });
        window->findChild<QAction *>(QStringLiteral("actAbout"))->trigger();
        window->findChild<QAction *>(QStringLiteral("actExit"))->trigger();
    });
    return startProgram(folders.dataDir, folders.matrixDir, starterDraws, messages);
}

} // namespace

class TestFirstStart : public QObject {
    Q_OBJECT
private slots:
    void firstStartLoadsTheBundledDrawsAndSaysSo()
    {
        QTemporaryDir home;
        ProgramFolders folders;
        folders.filesDir = QStringLiteral(BALVORA_SOURCE_DIR "/data"); // history/, user/ and Matrix/ as shipped
        folders.matrixDir = folders.filesDir;
        folders.dataDir = home.filePath(QStringLiteral("Balvora"));
        folders.perUser = true;

        const StarterHistoryResult first = prepareDataFolder(folders);
        QVERIFY2(first.outcome.ok(), qPrintable(first.outcome.message));
        QCOMPARE(first.stored, 3493);
        SeenWindow seen;
        QCOMPARE(runOnce(folders, first.stored, seen), 0);
        QVERIFY(seen.statusPanels.contains(QStringLiteral("已载入 3493 期开奖数据")));
        QCOMPARE(seen.drawsListed, 3493);
        QCOMPARE(seen.lastDraw, QStringLiteral("2026096"));
        // The label may break a long path between its folders.
        QCOMPARE(seen.aboutFolder.remove(QChar(0x200b)),
                 QStringLiteral("数据目录：") + QDir::toNativeSeparators(folders.dataDir));

        const StarterHistoryResult second = prepareDataFolder(folders);
        QVERIFY2(second.outcome.ok(), qPrintable(second.outcome.message));
        QCOMPARE(second.stored, 0);
        SeenWindow again;
        QCOMPARE(runOnce(folders, second.stored, again), 0);
        QCOMPARE(again.drawsListed, 3493);
        for (const QString &panel : again.statusPanels)
            QVERIFY2(!panel.startsWith(QStringLiteral("已载入")), qPrintable(panel));
    }
};

QTEST_MAIN(TestFirstStart)
#include "tst_firststart.moc"

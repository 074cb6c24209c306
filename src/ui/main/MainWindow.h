#pragma once
// How the pieces fit: start-up opens the history (DrawDatabase), keeps it open for as long
// as the window lives and hands its connection to MainWindow. The window holds the display
// settings read at first show and the four work tabs. Each tab and dialog is its own class; they
// get the connection and the Messages they need from here.
// Rules live in balvora_core; this layer only moves texts in and out of controls.
#include "core/prize/PrizeRules.h"
#include "core/settings/DisplaySettings.h"

#include <QMainWindow>
#include <QSqlDatabase>

class QAction;
class QLabel;
class QTabWidget;
class QTimer;
class QSplitter;
class Messages;
class BettingTab;
class PickerStrip;
class HistoryTab;
class PageFetch;
class RollUpPanel;
class StatsWindows;
class AboutDialog;
class DrawEntryDialog;
class TrendChartTab;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // history is the open connection to db1.db of programDir; it must stay open while
    // the window lives.
    MainWindow(QSqlDatabase history, const QString &programDir, Messages &messages, QWidget *parent = nullptr);
    // The data folder (db1.db, user/) apart from the program's files (Matrix/).
    MainWindow(QSqlDatabase history, const QString &dataDir, const QString &filesDir, Messages &messages,
               QWidget *parent = nullptr);

    QString programDir() const { return m_programDir; }
    QSqlDatabase database() const { return m_history; }
    const DisplaySettings &settings() const { return m_settings; }
    HistoryTab *historyTab() const { return m_historyTab; }
    DrawEntryDialog *drawEntry() const { return m_drawEntry; }
    BettingTab *bettingTab() const { return m_betting; }
    PickerStrip *pickerStrip() const { return m_pickerStrip; }

    // Settings read, the six range lists filled and preselected, the history range shown.
    void loadStartView();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The menu items, kept so each area wires its own without looking them up by name.
    struct MenuActions {
        QAction *options = nullptr, *exit = nullptr;
        QAction *drawEntry = nullptr, *deleteSelected = nullptr, *clearAll = nullptr, *download = nullptr;
        QAction *noticeUpdate = nullptr, *noticeImport = nullptr;
        QAction *prizeCheck = nullptr, *blueDistribution = nullptr, *bigSmallOddEven = nullptr;
        QAction *fiveElements = nullptr, *sumIntervals = nullptr;
        QAction *redOmission = nullptr, *blueOmission = nullptr;
        QAction *about = nullptr, *calculator = nullptr, *textEditor = nullptr;
    };

    template <typename Slot>
    void wire(QAction *action, Slot slot);
    void buildMenu();
    void buildCentralArea();
    void buildStatusBar();
    void showClock();
    void showOptions();
    void showAbout();
    void createDataDialogs();
    // Each area of the window builds and wires its own pieces.
    void createBettingTab();
    void createChartTabs();
    void fillChartRanges(const QStringList &numbers);
    void createStatisticsDialogs();
    void loadFortunePeriods();
    void createDownload();
    // The notice dialog, run on the pages of user/Notice.txt or on the files given.
    void runNoticeDialog(const QStringList &files);
    void startVersionCheck();

    QString m_programDir;
    QString m_filesDir;
    // The shipped 福运奖 periods (rules/ of the program's files), for the prize check and 历史回测.
    PrizeRules::FortunePeriods m_fortunePeriods;
    Messages &m_messages;
    QSqlDatabase m_history;
    bool m_shownOnce = false;
    DisplaySettings m_settings;
    MenuActions m_act;

    QTabWidget *m_tabs = nullptr;
    HistoryTab *m_historyTab = nullptr;
    RollUpPanel *m_pickerPanel = nullptr;
    QSplitter *m_splitter = nullptr;
    QLabel *m_statusClock = nullptr;
    QLabel *m_statusCaption = nullptr;
    QLabel *m_statusVersion = nullptr;
    QTimer *m_clockTimer = nullptr;
    AboutDialog *m_about = nullptr; // created once at start, shown again and again
    DrawEntryDialog *m_drawEntry = nullptr;

    // Betting tab
    PickerStrip *m_pickerStrip = nullptr;
    BettingTab *m_betting = nullptr;

    // Trend charts
    TrendChartTab *m_redChart = nullptr;
    TrendChartTab *m_blueChart = nullptr;

    // Statistics dialogs and the prize check
public:
    StatsWindows *statsWindows() const { return m_stats; }
private:
    StatsWindows *m_stats = nullptr;

    // Download and version check
    PageFetch *m_versionFetch = nullptr;  // the version page, fetched once at first show
};

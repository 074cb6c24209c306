#include "ui/main/MainWindow.h"

#include "core/Version.h"
#include "core/history/DrawStore.h"
#include "core/download/VersionCheck.h"
#include "core/download/PageFetch.h"
#include "ui/bets/BettingTab.h"
#include "ui/bets/PickerStrip.h"
#include "ui/history/DrawEntryDialog.h"
#include "ui/download/DownloadDialog.h"
#include "ui/download/NoticeDialog.h"
#include "ui/prize/BacktestDialog.h"
#include "ui/main/ExternalPrograms.h"
#include "ui/history/HistoryTab.h"
#include "ui/main/AboutDialog.h"
#include "ui/main/OptionsDialog.h"
#include "ui/charts/TrendChartTab.h"
#include "ui/stats/StatsWindows.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/RangeStrip.h"
#include "ui/widgets/RollUpPanel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

MainWindow::MainWindow(QSqlDatabase history, const QString &programDir, Messages &messages, QWidget *parent)
    : MainWindow(history, programDir, programDir, messages, parent)
{
}

MainWindow::MainWindow(QSqlDatabase history, const QString &dataDir, const QString &filesDir, Messages &messages,
                       QWidget *parent)
    : QMainWindow(parent), m_programDir(dataDir), m_filesDir(filesDir), m_messages(messages), m_history(history)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(kProgramTitle);
    loadFortunePeriods();

    // The restored window covers the desktop work area exactly.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());

    buildMenu();
    buildCentralArea();
    buildStatusBar();
    createDataDialogs();
    m_about = new AboutDialog(this);
    m_about->setDataFolder(m_programDir);
    createStatisticsDialogs();
    createDownload();

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("clockTimer"));
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::showClock);
    m_clockTimer->start();
}

void MainWindow::buildMenu()
{
    auto add = [this](QMenu *menu, const char *name, const QString &caption, bool enabled = true) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setEnabled(enabled);
        return a;
    };

    QMenu *system = menuBar()->addMenu(QStringLiteral("系统设置"));
    m_act.options = add(system, "actOptions", QStringLiteral("选项..."));
    system->addSeparator();
    m_act.exit = add(system, "actExit", QStringLiteral("退出"));
    connect(m_act.options, &QAction::triggered, this, &MainWindow::showOptions);
    connect(m_act.exit, &QAction::triggered, this, &QWidget::close);

    // Items whose windows are still to come stay disabled until they arrive.
    QMenu *dataMenu = menuBar()->addMenu(QStringLiteral("数据管理"));
    m_act.drawEntry = add(dataMenu, "actDrawEntry", QStringLiteral("开奖数据录入..."), false);
    dataMenu->addSeparator();
    m_act.deleteSelected = add(dataMenu, "actDeleteSelected", QStringLiteral("删除选中数据..."), false);
    dataMenu->addSeparator();
    m_act.clearAll = add(dataMenu, "actClearAll", QStringLiteral("全部数据清空..."), false);
    dataMenu->addSeparator();
    m_act.download = add(dataMenu, "actDownload", QStringLiteral("自动下载数据..."), false);
    m_act.noticeUpdate = add(dataMenu, "actNoticeUpdate", QStringLiteral("从开奖公告更新..."), false);
    m_act.noticeImport = add(dataMenu, "actNoticeImport", QStringLiteral("导入开奖公告文件..."), false);

    QMenu *stats = menuBar()->addMenu(QStringLiteral("数据统计"));
    m_act.prizeCheck = add(stats, "actPrizeCheck", QStringLiteral("中奖查询..."), false);
    stats->addSeparator();
    m_act.blueDistribution = add(stats, "actBlueDistribution", QStringLiteral("篮球分布统计..."), false);
    stats->addSeparator();
    m_act.bigSmallOddEven = add(stats, "actBigSmallOddEven", QStringLiteral("大小奇偶统计..."), false);
    m_act.fiveElements = add(stats, "actFiveElements", QStringLiteral("红球五行统计..."), false);
    m_act.sumIntervals = add(stats, "actSumIntervals", QStringLiteral("和值区间统计..."), false);

    QMenu *analysis = menuBar()->addMenu(QStringLiteral("数据分析"));
    m_act.redOmission = add(analysis, "actRedOmission", QStringLiteral("红球遗漏分析..."), false);
    m_act.blueOmission = add(analysis, "actBlueOmission", QStringLiteral("蓝球遗漏分析..."), false);

    QMenu *help = menuBar()->addMenu(QStringLiteral("系统帮助"));
    m_act.about = add(help, "actAbout", QStringLiteral("关于系统..."));
    help->addSeparator();
    m_act.calculator = add(help, "actCalculator", QStringLiteral("计算器..."));
    m_act.textEditor = add(help, "actTextEditor", QStringLiteral("文本编辑..."));
    connect(m_act.about, &QAction::triggered, this, &MainWindow::showAbout);
    connect(m_act.calculator, &QAction::triggered, this, [] { startCalculator(); });
    connect(m_act.textEditor, &QAction::triggered, this, [] { startTextEditor(); });
}

void MainWindow::buildCentralArea()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->setStyleSheet(QStringLiteral("QTabBar::tab { width: 120px; height: 30px; }"));

    m_historyTab = new HistoryTab(database(), m_messages, m_tabs);
    m_tabs->addTab(m_historyTab, QStringLiteral("历史数据分析"));

    // The picker strip comes first: the betting tab reads its balls from it.
    m_pickerPanel = new RollUpPanel(QStringLiteral("开始选号"), 86, this);
    m_pickerPanel->setObjectName(QStringLiteral("pickerPanel"));

    createBettingTab();
    createChartTabs();
    m_tabs->setCurrentIndex(0);

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("tabsAndPicker"));
    m_splitter->setHandleWidth(3);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_tabs);
    m_splitter->addWidget(m_pickerPanel);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    setCentralWidget(m_splitter);
}

void MainWindow::buildStatusBar()
{
    auto panel = [this](const char *name, int width, const QString &text) {
        auto *label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setFixedWidth(width);
        statusBar()->addWidget(label);
        return label;
    };
    m_statusClock = panel("statusClock", 200, QStringLiteral("当前"));
    m_statusCaption = panel("statusCaption", 50, QStringLiteral("当前时间"));
    m_statusVersion = panel("statusVersion", 400, QString());
}

void MainWindow::showClock()
{
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    m_statusClock->setText(locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ')
                           + locale.toString(now.time(), QLocale::LongFormat));
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        startVersionCheck();
        loadStartView();
    }
}

void MainWindow::loadStartView()
{
    m_settings = readDisplaySettings(m_programDir);
    m_historyTab->setBallColumnWidths(m_settings.redWidth, m_settings.blueWidth);

    const Result<QStringList> read = DrawStore::drawNumbers(database());
    m_messages.show(this, read.outcome);
    const QStringList &numbers = read.value;
    m_historyTab->fillRanges(numbers, m_settings.drawCount);
    fillChartRanges(numbers);
    m_historyTab->applyRange();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_messages.confirm(this, QStringLiteral("是否退出系统？")))
        event->accept();
    else
        event->ignore();
}

void MainWindow::showOptions()
{
    OptionsDialog dialog(m_programDir, m_messages, this);
    dialog.exec();
}

void MainWindow::showAbout()
{
    m_about->exec();
}

// Enables a menu item whose window has arrived and runs slot when it is chosen.
template <typename Slot>
void MainWindow::wire(QAction *action, Slot slot)
{
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, slot);
}

// The draw entry dialog lives as long as the window; its menu items and the
// history tab's delete and clear are wired here.
void MainWindow::createDataDialogs()
{
    m_drawEntry = new DrawEntryDialog(database(), m_messages, this);
    connect(m_drawEntry, &DrawEntryDialog::drawsStored, m_historyTab, &HistoryTab::drawsAdded);
    wire(m_act.drawEntry, [this] { m_drawEntry->exec(); });
    wire(m_act.deleteSelected, [this] { m_historyTab->deleteCurrentDraw(); });
    wire(m_act.clearAll, [this] { m_historyTab->clearAllDraws(); });
}

// ---- Betting tab and the picker strip -------------------------------------------------
void MainWindow::createBettingTab()
{
    m_pickerStrip = new PickerStrip(m_pickerPanel->content());
    auto *strip = new QVBoxLayout(m_pickerPanel->content());
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addWidget(m_pickerStrip);
    m_betting = new BettingTab(m_filesDir, m_pickerStrip, m_messages, m_tabs);
    m_tabs->addTab(m_betting, QStringLiteral("缩水过滤选号"));
    connect(m_betting, &BettingTab::backtestRequested, this,
            [this](std::shared_ptr<const BetList> current, const FilterSettings &filters) {
                BacktestDialog dialog(database(), std::move(current), filters, m_fortunePeriods, m_messages, this);
                dialog.exec();
            });
}

// ---- Trend chart tabs -----------------------------------------------------------------
void MainWindow::createChartTabs()
{
    m_redChart = new TrendChartTab(database(), m_messages, TrendChartTab::redBalls(), m_tabs);
    m_redChart->setObjectName(QStringLiteral("redChartTab"));
    m_tabs->addTab(m_redChart, QStringLiteral("红色球走势图分析"));
    m_blueChart = new TrendChartTab(database(), m_messages, TrendChartTab::blueBalls(), m_tabs);
    m_blueChart->setObjectName(QStringLiteral("blueChartTab"));
    m_tabs->addTab(m_blueChart, QStringLiteral("蓝色球走势图分析"));
}

void MainWindow::fillChartRanges(const QStringList &numbers)
{
    for (TrendChartTab *tab : {m_redChart, m_blueChart})
        fillRangeLists(tab->from(), tab->to(), numbers, m_settings.drawCount);
}

// ---- Statistics dialogs and the prize check -------------------------------------------
void MainWindow::loadFortunePeriods()
{
    // Without the table the history's notices and pools still tell; the rest is unknown. A
    // table that is there but cannot be read is a broken installation, worth a word.
    const QString path = QDir(m_filesDir).filePath(PrizeRules::kFortunePeriodsFile);
    const Result<PrizeRules::FortunePeriods> read = PrizeRules::readFortunePeriods(path);
    if (!read.ok() && QFileInfo::exists(path))
        qWarning("balvora: %s", qPrintable(read.outcome.message));
    m_fortunePeriods = read.value;
}

void MainWindow::createStatisticsDialogs()
{
    m_stats = new StatsWindows(database(), m_messages, m_settings, this, m_fortunePeriods);
    wire(m_act.prizeCheck, [this] { m_stats->openPrizeCheck(); });
    wire(m_act.blueDistribution, [this] { m_stats->openBlueDistribution(); });
    wire(m_act.bigSmallOddEven, [this] { m_stats->openBigSmallOddEven(); });
    wire(m_act.fiveElements, [this] { m_stats->openFiveElements(); });
    wire(m_act.sumIntervals, [this] { m_stats->openSumIntervals(); });
    wire(m_act.redOmission, [this] { m_stats->openRedOmission(); });
    wire(m_act.blueOmission, [this] { m_stats->openBlueOmission(); });
    connect(m_betting, &BettingTab::prizeCheckRequested, m_stats, &StatsWindows::checkBets);
}

// ---- Draw download and the version check ----------------------------------------------
// A new download dialog for every choice of the menu item; it goes when it closes.
void MainWindow::createDownload()
{
    wire(m_act.download, [this] {
        DownloadDialog dialog(database(), m_programDir, m_messages, this);
        connect(&dialog, &DownloadDialog::drawsStored, m_historyTab, &HistoryTab::drawsAdded);
        dialog.exec();
    });
    wire(m_act.noticeUpdate, [this] { runNoticeDialog({}); });
    wire(m_act.noticeImport, [this] {
        const QStringList files = QFileDialog::getOpenFileNames(
            this, QStringLiteral("导入开奖公告文件"), QString(), QStringLiteral("开奖公告 (*.json);;所有文件 (*)"));
        if (!files.isEmpty())
            runNoticeDialog(files);
    });
}

void MainWindow::runNoticeDialog(const QStringList &files)
{
    NoticeDialog dialog(database(), m_programDir, m_messages, this);
    connect(&dialog, &NoticeDialog::drawsStored, m_historyTab, &HistoryTab::drawsAdded);
    if (!files.isEmpty())
        QTimer::singleShot(0, &dialog, [&dialog, files] { dialog.importFiles(files); });
    dialog.exec();
}

// Fetched in the background; start-up goes on. A page that cannot be fetched leaves
// panel 3 empty and says nothing.
void MainWindow::startVersionCheck()
{
    const QUrl address = versionPageAddress(m_programDir);
    if (address.isEmpty())
        return;
    m_versionFetch = new PageFetch(this);
    m_versionFetch->setObjectName(QStringLiteral("versionFetch"));
    connect(m_versionFetch, &PageFetch::finished, this, [this](const FetchedPage &page) {
        if (page.ok)
            m_statusVersion->setText(versionPanelText(page.text()));
    });
    m_versionFetch->start(address);
}

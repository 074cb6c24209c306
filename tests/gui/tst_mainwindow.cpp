// Start-up and the main window: the database message, the range lists, the menu,
// the status bar and the exit confirmation.
#include "MainWindowFixture.h"
#include "ui/history/HistoryTab.h"
#include "ui/main/StartUp.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QSqlQueryModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {
const QString kOpenFailed = QStringLiteral("找不到数据文件或数据文件无法打开，请确认解压是否正确或者文件被删除！");
const QStringList kRangeLists = {"rangeStartBox",    "rangeEndBox",     "redRangeStartBox",
                                 "redRangeEndBox",   "blueRangeStartBox", "blueRangeEndBox"};

QStringList menuOutline(QMenuBar *bar)
{
    QStringList lines;
    for (QAction *top : bar->actions()) {
        lines << top->text();
        for (QAction *item : top->menu()->actions())
            lines << (item->isSeparator() ? QStringLiteral("  -") : QStringLiteral("  ") + item->text());
    }
    return lines;
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void noDatabaseShowsTheMessageAndEnds()
    {
        ProgramDir dir(false);
        RecordingMessages messages;
        QCOMPARE(startProgram(dir.path(), messages), 1);
        QCOMPARE(messages.shown, QStringList{QStringLiteral("info:") + kOpenFailed});
        QVERIFY(!QFile::exists(dir.file(QStringLiteral("db1.db"))));
    }

    // The whole run as the program makes it: start, show the latest draws, leave by the menu.
    // Nothing may still hold the connection when it is removed at the end.
    void exitLeavesNoConnectionInUse()
    {
        ProgramDir dir;
        dir.addDraws(3);
        RecordingMessages messages; // answers the exit question with Yes
        QTimer::singleShot(0, [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *window = qobject_cast<MainWindow *>(w)) {
                    window->findChild<QAction *>(QStringLiteral("actExit"))->trigger();
                }
        });
        static QStringList warnings;
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type != QtDebugMsg && text.contains(QLatin1String("QSql")))
                warnings << text;
        });
        const int status = startProgram(dir.path(), messages);
        qInstallMessageHandler(previous);
        QCOMPARE(status, 0);
        QCOMPARE(messages.shown, QStringList{QStringLiteral("confirm:是否退出系统？")});
        QCOMPARE(warnings, QStringList());
    }

    void rangeListsPreselectTheLastNDraws_data()
    {
        QTest::addColumn<int>("draws");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("fromIndex");
        QTest::addColumn<int>("shownRows");
        QTest::newRow("12 draws, N 40") << 12 << QString() << 0 << 12;
        QTest::newRow("exactly 40 draws") << 40 << QString() << 0 << 40;
        QTest::newRow("100 draws, N 40") << 100 << QString() << 60 << 40;
        QTest::newRow("100 draws, N 20 from the file") << 100 << QStringLiteral("[启动设置]\n默认显示期数=20\n") << 80 << 20;
        QTest::newRow("empty table") << 0 << QString() << -1 << 0;
    }
    void rangeListsPreselectTheLastNDraws()
    {
        QFETCH(int, draws);
        QFETCH(QString, settings);
        QFETCH(int, fromIndex);
        QFETCH(int, shownRows);
        MainWindowFixture f;
        f.dir.addDraws(draws);
        if (!settings.isEmpty()) {
            QFile ini(f.dir.file(QStringLiteral("user/DefaultSet.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write(settings.toUtf8());
        }
        QVERIFY(f.openMain());
        MainWindow &window = *f.main;
        for (int i = 0; i < kRangeLists.size(); ++i) {
            auto *combo = window.findChild<QComboBox *>(kRangeLists[i]);
            QVERIFY2(combo, qPrintable(kRangeLists[i]));
            QCOMPARE(combo->count(), draws);
            QCOMPARE(combo->currentIndex(), i % 2 == 0 ? fromIndex : draws - 1);
        }
        QSqlQueryModel *model = window.historyTab()->findChild<QSqlQueryModel *>("historyRowsModel");
        while (model->canFetchMore())
            model->fetchMore();
        QCOMPARE(model->rowCount(), shownRows);
        QVERIFY(f.messages.shown.isEmpty());
    }

    void layoutAndMenu()
    {
        MainWindowFixture f;
        QVERIFY(f.openMain());
        MainWindow &window = *f.main;
        QCOMPARE(window.windowTitle(), QStringLiteral("Balvora V1.4"));

        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabs"));
        QVERIFY(tabs);
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
        QCOMPARE(captions, (QStringList{"历史数据分析", "缩水过滤选号", "红色球走势图分析", "蓝色球走势图分析"}));
        QCOMPARE(tabs->currentIndex(), 0);

        QCOMPARE(menuOutline(window.menuBar()),
                 (QStringList{"系统设置", "  选项...", "  -", "  退出",
                              "数据管理", "  开奖数据录入...", "  -", "  删除选中数据...", "  -", "  全部数据清空...",
                              "  -", "  自动下载数据...", "  从开奖公告更新...", "  导入开奖公告文件...",
                              "数据统计", "  中奖查询...", "  -", "  篮球分布统计...", "  -", "  大小奇偶统计...",
                              "  红球五行统计...", "  和值区间统计...",
                              "数据分析", "  红球遗漏分析...", "  蓝球遗漏分析...",
                              "系统帮助", "  关于系统...", "  -", "  计算器...", "  文本编辑..."}));

        auto *picker = window.findChild<QWidget *>(QStringLiteral("pickerPanel"));
        QVERIFY(picker);
        QCOMPARE(picker->height(), 86);
    }

    void statusBarShowsTheClock()
    {
        MainWindowFixture f;
        QVERIFY(f.openMain());
        MainWindow &window = *f.main;
        const QList<QLabel *> panels = {window.findChild<QLabel *>(QStringLiteral("statusClock")),
                                        window.findChild<QLabel *>(QStringLiteral("statusCaption")),
                                        window.findChild<QLabel *>(QStringLiteral("statusVersion"))};
        QCOMPARE(panels[0]->text(), QStringLiteral("当前"));
        QCOMPARE(panels[1]->text(), QStringLiteral("当前时间"));
        QCOMPARE(panels[2]->text(), QString());
        QCOMPARE(panels[0]->width(), 200);
        QCOMPARE(panels[1]->width(), 50);
        QCOMPARE(panels[2]->width(), 400);
        QTRY_VERIFY_WITH_TIMEOUT(panels[0]->text() != QStringLiteral("当前"), 2500);
        QVERIFY(panels[0]->text().contains(QString::number(QDate::currentDate().year() % 100)));
    }

    void exitAsksFirst()
    {
        MainWindowFixture f;
        f.dir.addDraws(3);
        QVERIFY(f.openMain());
        MainWindow &window = *f.main;
        RecordingMessages &messages = f.messages;
        messages.answers.enqueue(false);
        window.findChild<QAction *>(QStringLiteral("actExit"))->trigger();
        QVERIFY(window.isVisible());
        QCOMPARE(messages.shown, QStringList{QStringLiteral("confirm:是否退出系统？")});
        QCOMPARE(window.historyTab()->findChild<QComboBox *>("rangeEndBox")->currentText(), QStringLiteral("2007003"));

        messages.answers.enqueue(true);
        QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        QCOMPARE(messages.shown.size(), 2);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

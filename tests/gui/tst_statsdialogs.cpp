// The statistics windows opened from their menu items over real draws, their grids read
// back, several modeless windows at once, and closing the main window closing them.
#include "AccessibleRow.h"
#include "MainWindowFixture.h"
#include "core/history/DrawEntry.h"
#include "ui/history/HistoryTab.h"
#include "ui/stats/OmissionDialog.h"
#include "ui/stats/StatsGridView.h"
#include "ui/stats/StatsTableModel.h"
#include "ui/stats/StatsWindows.h"
#include "ui/stats/BlueDistributionDialog.h"
#include "ui/stats/BigSmallDialog.h"
#include "ui/stats/FiveElementsDialog.h"
#include "ui/widgets/FooterRow.h"
#include "ui/widgets/GroupedHeaderView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>
#include <QStyleFactory>
#include <QTest>

namespace {

const int kDraws = 150;

// The last kDraws real draws in a program directory whose range length is 99, so every
// window's default range holds the latest 100 draws.
class RealHistory {
public:
    bool load()
    {
        QStringList lines = realHistoryLines();
        lines = lines.mid(lines.size() - kDraws);
        if (dir.addLines(lines) != kDraws)
            return false;
        QFile ini(dir.file(QStringLiteral("user/DefaultSet.ini")));
        if (!ini.open(QIODevice::WriteOnly))
            return false;
        ini.write(QStringLiteral("[启动设置]\n默认显示期数=99\n").toUtf8());
        for (const QString &line : lines)
            draws << line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        return true;
    }
    ProgramDir dir;
    QVector<QStringList> draws; // qishu, six reds, blue
};

template <typename T>
T *opened(MainWindow &window, const QString &name)
{
    const QList<T *> all = window.findChildren<T *>(name, Qt::FindDirectChildrenOnly);
    for (T *d : all)
        if (d->isVisible())
            return d;
    return nullptr;
}

void trigger(MainWindow &window, const char *action)
{
    QAction *a = window.findChild<QAction *>(QString::fromLatin1(action));
    QVERIFY2(a && a->isEnabled(), action);
    a->trigger();
}

void click(QWidget *dialog, const char *name)
{
    auto *b = dialog->findChild<QPushButton *>(QString::fromLatin1(name));
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace

class TestStatsDialogs : public QObject {
    Q_OBJECT

    RealHistory m_history;
    bool m_loaded = false;

private slots:
    void initTestCase() { m_loaded = m_history.load(); }

    void init()
    {
        if (!m_loaded && QTest::currentTestFunction() != QByteArray("defaultRangeStart"))
            QFAIL("data/history/ssq-history.txt cannot be read");
    }

    // The default range: D + 1 draws back (clamped to the first), the whole history for the
    // five elements; made-up draws, so these need no real history.
    void defaultRangeStart_data()
    {
        QTest::addColumn<int>("draws");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fromIndex");
        QTest::newRow("100 draws: the 60th") << 100 << "actRedOmission" << "redOmissionDialog" << 59;
        QTest::newRow("40 draws: the first") << 40 << "actBlueOmission" << "blueOmissionDialog" << 0;
        QTest::newRow("30 draws: the first") << 30 << "actSumIntervals" << "sumIntervalDialog" << 0;
        QTest::newRow("41 draws") << 41 << "actBlueDistribution" << "BlueDistributionDialog" << 0;
        QTest::newRow("42 draws") << 42 << "actBigSmallOddEven" << "BigSmallDialog" << 1;
        QTest::newRow("five elements: the first") << 100 << "actFiveElements" << "FiveElementsDialog" << 0;
        QTest::newRow("empty history") << 0 << "actRedOmission" << "redOmissionDialog" << -1;
    }
    void defaultRangeStart()
    {
        QFETCH(int, draws);
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(int, fromIndex);
        ProgramDir dir;
        dir.addDraws(draws);
        RecordingMessages messages;
        const std::unique_ptr<MainWindow> built = buildMainWindow(dir, messages);
        QVERIFY(built);
        MainWindow &window = *built;
        window.show();
        trigger(window, qPrintable(action));
        auto *dialog = opened<QDialog>(window, name);
        QVERIFY(dialog);
        auto *from = dialog->findChild<QComboBox *>(QStringLiteral("fromBox"));
        auto *to = dialog->findChild<QComboBox *>(QStringLiteral("toBox"));
        QCOMPARE(from->count(), draws);
        QCOMPARE(from->currentIndex(), fromIndex);
        QCOMPARE(to->currentIndex(), draws - 1);
        dialog->close();
    }

    // The three string-grid charts: default range of D + 1 = 100 draws, no run on show,
    // the grid read back against the draws themselves.
    void chartsFromTheirMenuItems_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("red omission") << "actRedOmission" << "redOmissionDialog" << "红球遗漏分析";
        QTest::newRow("blue omission") << "actBlueOmission" << "blueOmissionDialog" << "篮球遗漏分析";
        QTest::newRow("sum intervals") << "actSumIntervals" << "sumIntervalDialog" << "和值区间分布情况";
    }
    void chartsFromTheirMenuItems()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        RecordingMessages messages;
        const std::unique_ptr<MainWindow> built = buildMainWindow(m_history.dir, messages);
        QVERIFY(built);
        MainWindow &window = *built;
        window.show();
        trigger(window, qPrintable(action));
        auto *dialog = opened<OmissionDialog>(window, name);
        QVERIFY(dialog);
        QVERIFY(dialog->isModal() || dialog->windowModality() != Qt::NonModal);
        QCOMPARE(dialog->windowTitle(), caption);
        QCOMPARE(dialog->fromBox->count(), kDraws);
        QCOMPARE(dialog->fromBox->currentIndex(), kDraws - 100);
        QCOMPARE(dialog->toBox->currentIndex(), kDraws - 1);
        StatsTableModel *model = dialog->model();
        QCOMPARE(model->rowCount(), 0);           // no run on show
        click(dialog, "runButton");
        const StatsTable &t = model->table();
        const int first = kDraws - 100;
        if (name == QLatin1String("sumIntervalDialog")) {
            QCOMPARE(dialog->gridRowCount(), 100 + 2);
            for (int r = 0; r < 100; ++r) {
                const QStringList &d = m_history.draws[first + r];
                int sum = 0;
                for (int i = 1; i <= 6; ++i)
                    sum += d[i].toInt();
                QCOMPARE(t.text(r, 1), QString::number(sum));
                QCOMPARE(t.text(r, sum / 20 + 1), QStringLiteral("中"));
                QCOMPARE(model->index(r, sum / 20 + 1).data().toString(), QStringLiteral("中"));
            }
            return;
        }
        QCOMPARE(dialog->countLabel()->text(), QStringLiteral("100"));
        QCOMPARE(dialog->gridRowCount(), 100 + 4);
        const bool red = name == QLatin1String("redOmissionDialog");
        const int balls = red ? 33 : 16;
        QCOMPARE(model->columnCount(), balls + 1);
        int total = 0;
        for (int k = 1; k <= balls; ++k)
            total += t.text(102, k).toInt();
        QCOMPARE(total, red ? 600 : 100);
        QCOMPARE(t.text(102, 0), QStringLiteral("出现次数"));
        for (int r = 0; r < 100; ++r) {
            const QStringList &d = m_history.draws[first + r];
            QCOMPARE(t.text(r, 0), d[0]);
            for (int i = red ? 1 : 7; i <= (red ? 6 : 7); ++i) {
                const QModelIndex cell = model->index(r, d[i].toInt());
                QCOMPARE(cell.data(StatsTableModel::CellTextRole).toString(), QStringLiteral("中"));
                QCOMPARE(cell.data().toString(), d[i]);   // a drawn ball shows its number
                QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
            }
        }
        // An omission cell in the pale violet, the count row in red bold.
        int k = 1;
        while (t.text(0, k) == QStringLiteral("中"))
            ++k;
        QCOMPARE(model->index(0, k).data(Qt::ForegroundRole).value<QColor>(), QColor(177, 173, 254));
        QVERIFY(model->index(102, 1).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(model->index(102, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    }

    void blueDistributionRunsOnShowAndCounts()
    {
        RecordingMessages messages;
        const std::unique_ptr<MainWindow> built = buildMainWindow(m_history.dir, messages);
        QVERIFY(built);
        MainWindow &window = *built;
        window.show();
        trigger(window, "actBlueDistribution");
        auto *dialog = opened<BlueDistributionDialog>(window, QStringLiteral("BlueDistributionDialog"));
        QVERIFY(dialog);
        QVERIFY(!dialog->isModal());
        StatsTableModel *model = dialog->model();
        QCOMPARE(model->rowCount(), 100);
        const QStringList &last = m_history.draws.last();
        const int blue = last[7].toInt();
        QCOMPARE(model->index(99, 0).data().toString(), last[0]);
        QCOMPARE(model->index(99, 1 + blue).data().toString(), last[7]);
        QCOMPARE(model->index(99, 1 + blue).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
        QCOMPARE(model->index(99, blue == 1 ? 3 : 2).data(Qt::BackgroundRole).value<QColor>(), QColor(238, 238, 255));
        QCOMPARE(dialog->footer()->text(0), QString());
        // Every cell writes its text on one line across the row, a drawn ball's red cell too.
        for (int c = 0; c < model->columnCount(); ++c)
            QCOMPARE(model->index(99, c).data(StatsTableModel::TextOffsetRole).toPoint(), QPoint(-1, 2));

        click(dialog, "frequencyButton");
        // The "频率" row reads as a table row under the grid's column headers, each cell under its column.
        const AccessibleRow row = readAccessibleRow(dialog->footer(), 0);
        const AccessibleRow gridRow = readAccessibleRow(dialog->grid(), 0);
        QVERIFY(row.table && gridRow.table);
        QCOMPARE(row.table->rowCount(), 1);
        QCOMPARE(row.texts.size(), model->columnCount());
        QCOMPARE(row.headers, gridRow.headers);
        QCOMPARE(row.headers[2], QStringLiteral("蓝球分布|01"));
        // A grid cell's place leaves out the grid line on its right; the footer draws no grid lines.
        const int gridLine = dialog->grid()->showGrid() ? 1 : 0;
        for (int c = 0; c < model->columnCount(); ++c) {
            QCOMPARE(row.texts[c], dialog->footer()->text(c));
            QCOMPARE(row.places[c].left(), gridRow.places[c].left());
            QCOMPARE(row.places[c].width(), gridRow.places[c].width() + gridLine);
        }
        QCOMPARE(row.texts[0], QStringLiteral("频率"));
        int balls = 0;
        for (int c = 2; c <= 17; ++c)
            balls += dialog->footer()->text(c).toInt();
        QCOMPARE(balls, 100);
        QCOMPARE(dialog->footer()->text(18).toInt() + dialog->footer()->text(19).toInt(), 100);
        QCOMPARE(dialog->footer()->text(0), QStringLiteral("频率"));

        // A new range keeps the old counts under the new rows.
        const QString counts = dialog->footer()->text(18);
        dialog->fromBox->setEditText(m_history.draws[kDraws - 10][0]);
        click(dialog, "runButton");
        QCOMPARE(model->rowCount(), 10);
        QCOMPARE(dialog->footer()->text(18), counts);
    }

    void bigSmallOddEvenRunsOnShow()
    {
        RecordingMessages messages;
        const std::unique_ptr<MainWindow> built = buildMainWindow(m_history.dir, messages);
        QVERIFY(built);
        MainWindow &window = *built;
        window.show();
        trigger(window, "actBigSmallOddEven");
        auto *dialog = opened<BigSmallDialog>(window, QStringLiteral("BigSmallDialog"));
        QVERIFY(dialog);
        StatsTableModel *model = dialog->model();
        QCOMPARE(model->rowCount(), 100);
        QCOMPARE(model->columnCount(), 27);
        const QStringList titles = model->table().columnTitles();
        const int ratio = titles.indexOf(QStringLiteral("大小比"));
        for (int r = 0; r < 100; ++r) {
            const QStringList &d = m_history.draws[kDraws - 100 + r];
            int big = 0;
            for (int i = 1; i <= 6; ++i)
                big += d[i].toInt() > 16 ? 1 : 0;   // 17 .. 33 are big
            QCOMPARE(model->index(r, ratio).data().toString(), QStringLiteral("%1 : %2").arg(big).arg(6 - big));
            const bool extreme = big <= 1 || big >= 5;
            QCOMPARE(model->index(r, ratio).data(Qt::ForegroundRole).value<QColor>() == QColor(255, 0, 0), extreme);
            for (int i = 1; i <= 6; ++i) {
                const QModelIndex cell = model->index(r, ratio + i);
                const bool small = cell.data().toString() == QStringLiteral("小");
                QCOMPARE(small, d[i].toInt() <= 16);
                QCOMPARE(cell.data(StatsTableModel::TextOffsetRole).toPoint(), small ? QPoint(5, 2) : QPoint(-1, 2));
            }
        }
    }

    void fiveElementsIsOneWindowOverTheWholeHistory()
    {
        RecordingMessages messages;
        const std::unique_ptr<MainWindow> built = buildMainWindow(m_history.dir, messages);
        QVERIFY(built);
        MainWindow &window = *built;
        window.show();
        trigger(window, "actFiveElements");
        FiveElementsDialog *dialog = window.statsWindows()->fiveElements();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->fromBox->currentIndex(), 0);
        QCOMPARE(dialog->model()->rowCount(), 0);
        click(dialog, "runButton");
        QCOMPARE(dialog->model()->rowCount(), kDraws);
        const QStringList &first = m_history.draws.first();
        QCOMPARE(dialog->model()->index(0, 0).data().toString(), first[0]);
        const QString elements = QStringLiteral("水土木木土火火土金金土水水土木木土火火土金金土水水土木木土火火土金");
        for (int i = 1; i <= 7; ++i)
            QCOMPARE(dialog->model()->index(0, 8 + i).data().toString(), elements.mid(first[i].toInt() - 1, 1));

        // "退    出" hides; the next click shows the same window with an empty grid.
        click(dialog, "closeButton");
        QVERIFY(!dialog->isVisible());
        trigger(window, "actFiveElements");
        QCOMPARE(window.statsWindows()->fiveElements(), dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->model()->rowCount(), 0);
    }

    // At the grids' fixed widths every title is written on one or two lines that fit its cell,
    // in a font no smaller than 9 pixels, and a number is never broken.
    void titlesFitTheirColumns_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::newRow("blue distribution") << "actBlueDistribution" << "BlueDistributionDialog";
        QTest::newRow("big and small, odd and even") << "actBigSmallOddEven" << "BigSmallDialog";
        QTest::newRow("five elements") << "actFiveElements" << "FiveElementsDialog";
        QTest::newRow("history tab") << QString() << QString();
    }
    void titlesFitTheirColumns()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        RecordingMessages messages;
        const std::unique_ptr<MainWindow> built = buildMainWindow(m_history.dir, messages);
        QVERIFY(built);
        MainWindow &window = *built;
        window.show();
        QTableView *grid = window.historyTab()->findChild<QTableView *>(QStringLiteral("historyGrid"));
        if (!action.isEmpty()) {
            trigger(window, action.toLatin1().constData());
            QDialog *dialog = opened<QDialog>(window, name);
            QVERIFY(dialog);
            grid = dialog->findChild<StatsGridView *>();
        }
        QVERIFY(grid);
        auto *header = qobject_cast<GroupedHeaderView *>(grid->horizontalHeader());
        QVERIFY(header);
        const QRegularExpression digitBroken(QStringLiteral("[0-9A-Za-z]\n[0-9A-Za-z]"));
        for (int c = 0; c < header->count(); ++c) {
            const QStringList levels = grid->model()->headerData(c, Qt::Horizontal, Qt::UserRole + 1).toStringList();
            QVERIFY(!levels.isEmpty());
            const int level = levels.size() - 1;
            const QSize room(header->sectionSize(c), header->height() - level * header->levelHeight());
            const GroupedHeaderView::TitleLayout title = header->fitTitle(levels.last(), room);
            const QString where = QStringLiteral("column %1 \"%2\"").arg(c).arg(levels.last());
            QVERIFY2(title.lines.size() <= 2, qPrintable(where));
            QVERIFY2(QFontInfo(title.font).pixelSize() >= 9, qPrintable(where));
            QVERIFY2(!title.lines.join(QLatin1Char('\n')).contains(digitBroken), qPrintable(where));
            QCOMPARE(title.lines.join(QString()).remove(QLatin1Char(' ')), QString(levels.last()).remove(QLatin1Char(' ')));
            const QFontMetrics metrics(title.font);
            for (const QString &line : title.lines)
                QVERIFY2(metrics.horizontalAdvance(line) <= room.width() - 2, qPrintable(where + QStringLiteral(": ") + line));
            QVERIFY2(metrics.height() + (title.lines.size() - 1) * metrics.lineSpacing() <= room.height(), qPrintable(where));
        }
    }

    void modelessWindowsCloseWithTheMainWindow()
    {
        RecordingMessages messages;
        MainWindow *window = buildMainWindow(m_history.dir, messages).release();
        QVERIFY(window);
        window->show();
        trigger(*window, "actBlueDistribution");
        trigger(*window, "actBlueDistribution");
        trigger(*window, "actBigSmallOddEven");
        trigger(*window, "actFiveElements");
        QList<QPointer<QDialog>> open;
        for (QDialog *d : window->statsWindows()->openWindows())
            open << d;
        QCOMPARE(open.size(), 4);
        QCOMPARE(window->findChildren<BlueDistributionDialog *>().size(), 2);

        // One closed by hand goes away on its own.
        open[0]->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(open[0].isNull());

        QVERIFY(window->close());
        for (int i = 1; i < open.size(); ++i)
            QVERIFY(!open[i] || !open[i]->isVisible());
        delete window;
    }

    // BALVORA_SCREENSHOTS=dir: the history tab and every window over the latest 100 draws,
    // grabbed to dir after the other cases (not a case of its own, so an ordinary run reports
    // no skip); with BALVORA_SCREENSHOT_PALETTE=dark they are grabbed in the Fusion style
    // under a dark palette, to see that every text the program does not colour stays readable.
    void cleanupTestCase()
    {
        const QString out = qEnvironmentVariable("BALVORA_SCREENSHOTS");
        if (!out.isEmpty())
            screenshots(out);
    }

private:
    static void useDarkPalette()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(45, 45, 48));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::AlternateBase, QColor(50, 50, 55));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Button, QColor(60, 60, 65));
        dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        dark.setColor(QPalette::Mid, QColor(80, 80, 85));
        QApplication::setPalette(dark);
    }

    void screenshots(const QString &out)
    {
        QDir().mkpath(out);
        if (qEnvironmentVariable("BALVORA_SCREENSHOT_PALETTE") == QLatin1String("dark"))
            useDarkPalette();
        RecordingMessages messages;
        const std::unique_ptr<MainWindow> built = buildMainWindow(m_history.dir, messages);
        QVERIFY(built);
        MainWindow &window = *built;
        window.resize(1000, 700);
        window.show();
        // The history tab with its footer counted.
        QTest::mouseClick(window.historyTab()->findChild<QPushButton *>(QStringLiteral("frequencyButton")), Qt::LeftButton);
        QTest::qWait(50);
        QVERIFY(window.historyTab()->grab().save(out + QStringLiteral("/historyTab.png")));
        // Scrolled to its right end, the footer still under the grid's columns.
        QScrollBar *sideways = window.historyTab()->findChild<QTableView *>(QStringLiteral("historyGrid"))->horizontalScrollBar();
        sideways->setValue(sideways->maximum());
        QVERIFY(window.historyTab()->grab().save(out + QStringLiteral("/historyTab-end.png")));
        sideways->setValue(0);
        const QVector<QPair<const char *, const char *>> windows = {
            {"actRedOmission", "redOmissionDialog"}, {"actBlueOmission", "blueOmissionDialog"},
            {"actSumIntervals", "sumIntervalDialog"},      {"actBlueDistribution", "BlueDistributionDialog"},
            {"actBigSmallOddEven", "BigSmallDialog"}, {"actFiveElements", "FiveElementsDialog"}};
        for (const auto &[action, name] : windows) {
            trigger(window, action);
            QDialog *dialog = opened<QDialog>(window, QString::fromLatin1(name));
            QVERIFY2(dialog, name);
            if (auto *run = dialog->findChild<QPushButton *>(QStringLiteral("runButton")))
                QTest::mouseClick(run, Qt::LeftButton);
            if (auto *frequency = dialog->findChild<QPushButton *>(QStringLiteral("frequencyButton")))
                QTest::mouseClick(frequency, Qt::LeftButton);
            QTest::qWait(50);
            QVERIFY(dialog->grab().save(out + QLatin1Char('/') + dialog->objectName() + QStringLiteral(".png")));
            if (auto *chart = qobject_cast<OmissionDialog *>(dialog)) {
                chart->grid()->scrollToBottom();
                QVERIFY(dialog->grab().save(out + QLatin1Char('/') + dialog->objectName() + QStringLiteral("-end.png")));
            }
            dialog->close();
        }
        trigger(window, "actPrizeCheck");
        QDialog *check = opened<QDialog>(window, QStringLiteral("PrizeCheckDialog"));
        QVERIFY(check);
        check->findChild<QPlainTextEdit *>(QStringLiteral("betListBox"))
            ->setPlainText(QStringLiteral("1 2 12 3 5 4   13\n03 09 14 21 26 31 04\n01 04 16 22 26 31 04"));
        QTest::mouseClick(check->findChild<QPushButton *>(QStringLiteral("listCheckButton")), Qt::LeftButton);
        QVERIFY(check->grab().save(out + QStringLiteral("/PrizeCheckDialog.png")));
        check->close();
    }
};

QTEST_MAIN(TestStatsDialogs)
#include "tst_statsdialogs.moc"

// The history tab driven through its tool row, the menu and the grid.
#include "AccessibleRow.h"
#include "MainWindowFixture.h"
#include "core/history/DrawEntry.h"
#include "ui/history/HistoryGridModel.h"
#include "ui/history/HistoryGridView.h"
#include "ui/history/HistoryTab.h"
#include "ui/widgets/FooterRow.h"
#include "ui/widgets/LineOverlay.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QtTest>

class TestHistoryTab : public QObject {
    Q_OBJECT

    struct Fixture : MainWindowFixture {
        HistoryTab *tab = nullptr;

        bool start()
        {
            if (!buildMain())
                return false;
            main->resize(1400, 800);
            main->show();
            tab = main->historyTab();
            return true;
        }
        HistoryGridModel *grid() const { return tab->gridModel(); }
        QStringList shownNumbers() const
        {
            while (grid()->canFetchMore(QModelIndex()))
                grid()->fetchMore(QModelIndex());
            QStringList out;
            for (int r = 0; r < grid()->rowCount(); ++r)
                out << grid()->index(r, 0).data().toString();
            return out;
        }
        void click(const char *name) { QTest::mouseClick(tab->findChild<QAbstractButton *>(name), Qt::LeftButton); }
        void trigger(const char *action) { main->findChild<QAction *>(action)->trigger(); }
        int rows(const QString &table, const QString &qishu = QString())
        {
            return countRows(main->database(), table, qishu);
        }
    };

    static QStringList numbers(int first, int last)
    {
        QStringList out;
        for (int s = first; s <= last; ++s)
            out << QStringLiteral("2007%1").arg(s, 3, 10, QLatin1Char('0'));
        return out;
    }

private slots:
    void columns_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("width");
        QTest::newRow("first") << 0 << "期数" << -1;
        QTest::newRow("red 01") << 1 << "红色球区|小号（01～11）|01" << 20;
        QTest::newRow("red 12") << 12 << "红色球区|中号（12～22）|12" << 20;
        QTest::newRow("red 33") << 33 << "红色球区|大号（23～33）|33" << 20;
        QTest::newRow("dashu") << 34 << "红色球区|大中小比" << 52;
        QTest::newRow("AC") << 37 << "红色球区|AC值" << 30;
        QTest::newRow("jihe") << 41 << "红色球区|极号和" << 40;
        QTest::newRow("blue 01") << 42 << "蓝色球区|一区|01" << 18;
        QTest::newRow("blue 16") << 57 << "蓝色球区|四区|16" << 18;
    }
    void columns()
    {
        QFETCH(int, column);
        QFETCH(QString, title);
        QFETCH(int, width);
        Fixture f;
        QFile ini(f.dir.file(QStringLiteral("user/DefaultSet.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[红球区列宽]\n宽度=20\n[蓝球区列宽]\n宽度=18\n").toUtf8());
        ini.close();
        f.dir.addDraw(QStringLiteral("2007001"), {1, 2, 3, 4, 5, 6}, 7);
        QVERIFY(f.start());
        QCOMPARE(f.grid()->columnCount(), 58);
        QCOMPARE(f.grid()->headerData(column, Qt::Horizontal).toString(), title);
        if (width > 0)
            QCOMPARE(f.tab->findChild<HistoryGridView *>("historyGrid")->columnWidth(column), width);
        QCOMPARE(f.tab->findChild<HistoryGridView *>("historyGrid")->editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    // 100 draws, N = 40: the latest 40 in ascending order; the box orders the whole history.
    void rangeAndWholeHistory()
    {
        Fixture f;
        f.dir.addDraws(100);
        QVERIFY(f.start());
        QCOMPARE(f.shownNumbers(), numbers(61, 100));
        QCheckBox *descending = f.tab->findChild<QCheckBox *>(QStringLiteral("descendingBox"));
        f.click("descendingBox");
        QVERIFY(descending->isChecked());
        QStringList all = numbers(1, 100);
        std::reverse(all.begin(), all.end());
        QCOMPARE(f.shownNumbers(), all);
        f.click("applyButton");
        QCOMPARE(f.shownNumbers(), numbers(61, 100));
        QVERIFY(descending->isChecked());
        f.click("descendingBox");
        QCOMPARE(f.shownNumbers(), numbers(1, 100));

        // Typed texts are values, not statement text: a quote is compared as text, no error.
        f.tab->findChild<QComboBox *>("rangeStartBox")->setEditText(QStringLiteral("2007050' or '1'='1"));
        f.tab->findChild<QComboBox *>("rangeEndBox")->setEditText(QStringLiteral("2007060"));
        f.click("applyButton");
        QCOMPARE(f.shownNumbers(), numbers(51, 60));
        f.tab->findChild<QComboBox *>("rangeStartBox")->setEditText(QStringLiteral("'"));
        f.tab->findChild<QComboBox *>("rangeEndBox")->setEditText(QStringLiteral("'"));
        f.click("applyButton");
        QCOMPARE(f.shownNumbers(), QStringList());
        QCOMPARE(f.messages.shown, QStringList());
        f.tab->findChild<QComboBox *>("rangeStartBox")->setEditText(QStringLiteral("2007060"));
        f.tab->findChild<QComboBox *>("rangeEndBox")->setEditText(QStringLiteral("2007050"));
        f.click("applyButton");
        QCOMPARE(f.shownNumbers(), QStringList());
    }

    // 01 07 12 23 30 33 + 16: exactly seven cells painted red, each under its own ball.
    void ballCellsPaintedRed()
    {
        Fixture f;
        f.dir.addDraw(QStringLiteral("2007001"), {1, 7, 12, 23, 30, 33}, 16);
        QVERIFY(f.start());
        HistoryGridView *view = f.tab->findChild<HistoryGridView *>("historyGrid");
        QCOMPARE(view->horizontalScrollBar()->maximum(), 0);  // every column on screen
        const QImage image = view->viewport()->grab().toImage();
        QStringList red;
        for (int c = 1; c < 58; ++c) {
            const QRect cell = view->visualRect(f.grid()->index(0, c));
            if (image.pixelColor(cell.topLeft() + QPoint(1, 1)) == QColor(255, 0, 0))
                red << f.grid()->headerData(c, Qt::Horizontal).toString().section(QLatin1Char('|'), 0, 0).left(1)
                        + f.grid()->index(0, c).data().toString();
        }
        QCOMPARE(red, (QStringList{"红01", "红07", "红12", "红23", "红30", "红33", "蓝16"}));
        // Empty ball cells show their zone's band colour.
        const struct { int column; QColor colour; } bands[] = {
            {2, QColor(215, 215, 255)},  {13, QColor(215, 255, 255)}, {24, QColor(215, 215, 255)},
            {43, QColor(254, 197, 201)}, {47, QColor(255, 232, 234)}, {51, QColor(254, 197, 201)},
            {55, QColor(255, 232, 234)}};
        for (const auto &band : bands) {
            const QRect cell = view->visualRect(f.grid()->index(0, band.column));
            QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(1, 1)), band.colour);
        }
        // Column headings of those cells carry the same numbers.
        QCOMPARE(f.grid()->headerData(7, Qt::Horizontal).toString().section(QLatin1Char('|'), 2), QStringLiteral("07"));
        QCOMPARE(f.grid()->headerData(57, Qt::Horizontal).toString().section(QLatin1Char('|'), 2), QStringLiteral("16"));
    }

    void frozenFirstColumn()
    {
        Fixture f;
        f.dir.addDraws(5);
        QVERIFY(f.start());
        f.main->resize(500, 600);
        QCoreApplication::processEvents();
        HistoryGridView *view = f.tab->findChild<HistoryGridView *>("historyGrid");
        QTableView *frozen = view->frozenColumn();
        const QRect before = frozen->geometry();
        QVERIFY(view->horizontalScrollBar()->maximum() > 0);
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
        QVERIFY(frozen->isVisible());
        QCOMPARE(frozen->geometry(), before);
        QCOMPARE(frozen->columnViewportPosition(0), 0);
        QCOMPARE(frozen->model()->index(0, 0).data().toString(), QStringLiteral("2007001"));

        // A cell brought into sight, by the keyboard or by code, never lies under the frozen column.
        view->setFocus();
        view->setCurrentIndex(view->model()->index(1, 4));
        QVERIFY(view->visualRect(view->currentIndex()).left() >= frozen->width());
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(view->currentIndex().column(), 3);
        QVERIFY(view->visualRect(view->currentIndex()).left() >= frozen->width());
        // Its width follows the grid's column 0.
        view->setColumnWidth(0, 80);
        QCOMPARE(frozen->columnWidth(0), 80);
        QCOMPARE(frozen->width(), 80);
    }

    void deleteCurrentDraw_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<bool>("answer");
        QTest::newRow("button, OK") << false << true;
        QTest::newRow("button, Cancel") << false << false;
        QTest::newRow("menu, OK") << true << true;
        QTest::newRow("menu, Cancel") << true << false;
    }
    void deleteCurrentDraw()
    {
        QFETCH(bool, fromMenu);
        QFETCH(bool, answer);
        Fixture f;
        f.dir.addDraws(5);
        QVERIFY(f.start());
        f.tab->findChild<HistoryGridView *>("historyGrid")->setCurrentIndex(f.grid()->index(2, 5));
        f.messages.answers.enqueue(answer);
        if (fromMenu)
            f.trigger("actDeleteSelected");
        else
            f.click("deleteRowButton");
        QCOMPARE(f.messages.shown, QStringList{QStringLiteral("question:准备删除所选记录数据，是否继续！")});
        if (answer) {
            QCOMPARE(f.shownNumbers(), (QStringList{"2007001", "2007002", "2007004", "2007005"}));
            QCOMPARE(f.rows("data", "2007003"), 0);
            QCOMPARE(f.rows("append", "2007003"), 0);
            QCOMPARE(f.rows("append"), 4);
            // The grid moves on to the neighbouring draw.
            QCOMPARE(f.grid()->index(f.tab->findChild<HistoryGridView *>("historyGrid")->currentIndex().row(), 0).data().toString(),
                     QStringLiteral("2007004"));
        } else {
            QCOMPARE(f.shownNumbers(), numbers(1, 5));
            QCOMPARE(f.rows("append"), 5);
        }
        QCOMPARE(f.tab->findChild<QComboBox *>("rangeEndBox")->count(), 5);  // the lists keep every number
    }

    void deleteOnEmptyGrid()
    {
        Fixture f;
        QVERIFY(f.start());
        f.click("deleteRowButton");
        QCOMPARE(f.messages.shown, QStringList{QStringLiteral("question:准备删除所选记录数据，是否继续！")});
    }

    void clearAll_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void clearAll()
    {
        QFETCH(bool, answer);
        Fixture f;
        f.dir.addDraws(5);
        QVERIFY(f.start());
        f.messages.answers.enqueue(answer);
        f.trigger("actClearAll");
        QCOMPARE(f.messages.shown, QStringList{QStringLiteral("question:准备删除数据库中所有记录数据，是否继续！")});
        QCOMPARE(f.rows("data"), answer ? 0 : 5);
        QCOMPARE(f.rows("append"), answer ? 0 : 5);
        QCOMPARE(f.shownNumbers().size(), answer ? 0 : 5);
        QCOMPARE(f.tab->findChild<QComboBox *>("rangeStartBox")->count(), 5);
    }

    // The footer over 40 real draws: reds add up to 240, blues to 40.
    void frequencyOverRealDraws()
    {
        Fixture f;
        QCOMPARE(f.dir.addLines(realHistoryLines().mid(0, 120)), 120);
        QVERIFY(f.start());
        // The whole history listed: the counts still cover the two boxes only.
        f.click("descendingBox");
        f.click("frequencyButton");
        FooterRow *footer = f.tab->footer();
        QCOMPARE(footer->text(0), QStringLiteral("频率"));
        int reds = 0, blues = 0;
        for (int c = 1; c <= 33; ++c)
            reds += footer->text(c).toInt();
        for (int c = 42; c <= 57; ++c)
            blues += footer->text(c).toInt();
        QCOMPARE(reds, 240);
        QCOMPARE(blues, 40);
        for (int c = 34; c <= 41; ++c)
            QCOMPARE(footer->text(c), QString());

        // One draw: 1 under its seven balls. 2003001 is 10 11 12 13 26 28 + 11.
        f.tab->findChild<QComboBox *>("rangeStartBox")->setEditText(QStringLiteral("2003001"));
        f.tab->findChild<QComboBox *>("rangeEndBox")->setEditText(QStringLiteral("2003001"));
        f.click("frequencyButton");
        f.click("frequencyButton");
        QStringList ones;
        for (int c = 1; c < 58; ++c)
            if (footer->text(c) == QLatin1String("1"))
                ones << QString::number(c);
            else
                QVERIFY2(footer->text(c).isEmpty() || footer->text(c) == QLatin1String("0"), qPrintable(QString::number(c)));
        QCOMPARE(ones, (QStringList{"10", "11", "12", "13", "26", "28", "52"}));
        QCOMPARE(footer->text(0), QStringLiteral("频率"));
        QCOMPARE(f.messages.shown, QStringList());
    }

    // The footer is a one-row table under the grid's column headers: a screen reader reads every
    // count as a cell of its column, and each cell stays under its grid column however far the
    // grid scrolls sideways.
    void footerIsAnAccessibleRowUnderTheGrid()
    {
        Fixture f;
        f.dir.addDraws(30);
        QVERIFY(f.start());
        f.click("frequencyButton");
        f.main->resize(700, 600);
        QTest::qWait(20);
        FooterRow *footer = f.tab->footer();
        HistoryGridView *grid = f.tab->findChild<HistoryGridView *>("historyGrid");
        const int columns = f.grid()->columnCount();
        QScrollBar *sideways = grid->horizontalScrollBar();
        QVERIFY(sideways->maximum() > 0);
        // A grid cell's place leaves out the grid line on its right; the footer draws no grid lines.
        const int gridLine = grid->showGrid() ? 1 : 0;
        for (const int at : {0, sideways->maximum() / 2, sideways->maximum()}) {
            sideways->setValue(at);
            const AccessibleRow row = readAccessibleRow(footer, 0);
            const AccessibleRow gridRow = readAccessibleRow(grid, 0);
            QVERIFY(row.table && gridRow.table);
            QCOMPARE(row.table->rowCount(), 1);
            QCOMPARE(row.table->columnCount(), columns);
            QCOMPARE(row.texts.size(), columns);
            QCOMPARE(row.headers, gridRow.headers);
            for (int c = 0; c < columns; ++c) {
                QCOMPARE(row.texts[c], footer->text(c));
                QCOMPARE(row.places[c].left(), gridRow.places[c].left());
                QCOMPARE(row.places[c].width(), gridRow.places[c].width() + gridLine);
            }
        }
        const AccessibleRow row = readAccessibleRow(footer, 0);
        QCOMPARE(row.texts[0], QStringLiteral("频率"));
        QCOMPARE(row.headers[0], QStringLiteral("期数"));
        QCOMPARE(row.headers[1], QStringLiteral("红色球区|小号（01～11）|01"));
        int reds = 0, blues = 0;
        for (int c = 1; c <= 33; ++c)
            reds += row.texts[c].toInt();
        for (int c = 42; c <= 57; ++c)
            blues += row.texts[c].toInt();
        QVERIFY(blues > 0);
        QCOMPARE(reds, 6 * blues);
    }

    void drawingLines()
    {
        Fixture f;
        f.dir.addDraws(30);
        QVERIFY(f.start());
        HistoryGridView *view = f.tab->findChild<HistoryGridView *>("historyGrid");
        QPushButton *button = f.tab->findChild<QPushButton *>(QStringLiteral("drawLinesButton"));
        QCOMPARE(button->text(), QStringLiteral("画线"));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(300, 20));  // not drawing yet
        f.click("drawLinesButton");
        QCOMPARE(button->text(), QStringLiteral("取消画线"));
        const QPoint p1(100, 30), p2(200, 90), p3(260, 40);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p1);
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, p2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p3);
        const QVector<LineOverlay::Segment> &segments = view->lines()->segments();
        QCOMPARE(segments.size(), 2);
        QCOMPARE(segments[0].from, p1);
        QCOMPARE(segments[0].to, p2);
        QCOMPARE(segments[1].from, p2);
        QCOMPARE(segments[1].to, p3);
        // The line is on screen: red where the segment passes over a pale cell.
        const QImage image = view->grab().toImage();
        const QPoint mid = view->lines()->mapTo(view, (p1 + p2) / 2);
        QCOMPARE(image.pixelColor(mid), QColor(255, 0, 0));
        // The row under the release is selected as usual.
        QCOMPARE(view->currentIndex().row(), view->rowAt(p3.y()));

        f.click("drawLinesButton");
        QCOMPARE(button->text(), QStringLiteral("画线"));
        QVERIFY(view->lines()->segments().isEmpty());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p1);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p2);
        QVERIFY(view->lines()->segments().isEmpty());
    }
};

QTEST_MAIN(TestHistoryTab)
#include "tst_historytab.moc"

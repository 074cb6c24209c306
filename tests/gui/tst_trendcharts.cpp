// The two trend tabs driven through their tool rows, choices and chart.
#include "MainWindowFixture.h"
#include "core/history/DrawEntry.h"
#include "ui/charts/DepthLayer.h"
#include "ui/charts/TrendChartTab.h"
#include "ui/charts/TrendChartView.h"
#include "ui/widgets/LineOverlay.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSqlQuery>
#include <QtTest>

namespace {
const QString kTooFewDraws = QStringLiteral("info:期数选择错误，请重新选择！");
}

class TestTrendCharts : public QObject {
    Q_OBJECT

    struct Fixture : MainWindowFixture {
        bool start()
        {
            if (!buildMain())
                return false;
            main->resize(1400, 800);
            main->show();
            return true;
        }
        TrendChartTab *tab(const QString &which) const
        {
            return main->findChild<TrendChartTab *>(which == QLatin1String("blue") ? "blueChartTab" : "redChartTab");
        }
        // Shows the tab, sets its range and loads it with "确定" (or the named choice).
        TrendChartView *load(const QString &which, const QString &from, const QString &to,
                             const QString &choice = QString())
        {
            TrendChartTab *t = tab(which);
            main->findChild<QTabWidget *>("tabs")->setCurrentWidget(t);
            t->from()->setEditText(from);
            t->to()->setEditText(to);
            if (choice.isEmpty())
                QTest::mouseClick(t->findChild<QPushButton *>("applyButton"), Qt::LeftButton);
            else
                QTest::mouseClick(radio(t, choice), Qt::LeftButton);
            return t->chart();
        }
        static QRadioButton *radio(TrendChartTab *t, const QString &caption)
        {
            for (QRadioButton *b : t->findChildren<QRadioButton *>())
                if (b->text() == caption)
                    return b;
            return nullptr;
        }
        // Imports the first lines of the real history; false when it is not on this machine.
        bool addRealDraws(int count)
        {
            return dir.addLines(realHistoryLines().mid(0, count)) == count;
        }
    };

    static QVector<int> linePoints(TrendChartView *c)
    {
        QVector<int> out;
        const QList<QPointF> points = c->lineSeries()->points();
        for (int i = 0; i < points.size(); ++i) {
            if (points[i].x() != i)
                return {-1};  // points must sit at the running position
            out << int(points[i].y());
        }
        return out;
    }
    static QVector<int> barValues(TrendChartView *c)
    {
        QVector<int> out;
        for (int i = 0; i < c->barSet()->count(); ++i)
            out << int(c->barSet()->at(i));
        return out;
    }

private slots:
    void startState()
    {
        Fixture f;
        f.dir.addDraws(50);
        QVERIFY(f.start());
        const QStringList red = {"和值走势图", "AC值走势图", "偶数个数走势图", "奇数个数走势图",
                                 "质数个数走势图", "尾数和走势图", "极号和走势图", "极号差走势图",
                                 "大数个数走势图", "中数个数走势图", "小数个数走势图"};
        for (const QString &which : {QStringLiteral("red"), QStringLiteral("blue")}) {
            TrendChartTab *t = f.tab(which);
            QVERIFY(t);
            QStringList captions;
            for (QRadioButton *b : t->findChildren<QRadioButton *>())
                captions << b->text() + (b->isChecked() ? QStringLiteral("*") : QString());
            QStringList expected = which == QLatin1String("red") ? red : QStringList{"基本走势图"};
            expected[0] += QLatin1Char('*');
            QCOMPARE(captions, expected);
            QCOMPARE(t->findChild<QGroupBox *>("elementsGroup")->title(), QStringLiteral("请选择分析要素"));
            QCOMPARE(t->findChild<QGroupBox *>("elementsGroup")->width(), 145);
            QVERIFY(t->findChild<QCheckBox *>("lineChartBox")->isChecked());
            QVERIFY(!t->findChild<QCheckBox *>("threeDBox")->isChecked());
            QVERIFY(t->findChild<QSlider *>("depthSlider")->isHidden());
            TrendChartView *c = t->chart();
            QCOMPARE(c->chart()->title(), which == QLatin1String("red") ? QStringLiteral("红色球走势图分析")
                                                                         : QStringLiteral("蓝色球走势图分析"));
            QVERIFY(!c->chart()->legend()->isVisible());
            QVERIFY(!c->findChild<QWidget *>("drawHintLabel")->isHidden());
            QVERIFY(c->deleteLinesButton()->isHidden());
            // Empty until the first "确定" or choice, although the lists are filled.
            QCOMPARE(t->from()->currentText(), QStringLiteral("2007011"));
            QCOMPARE(c->lineSeries()->count(), 0);
            QCOMPARE(c->barSet()->count(), 0);
            QVERIFY(c->lineSeries()->isVisible());
            QVERIFY(!c->barSeries()->isVisible());
        }
        QVERIFY(f.messages.shown.isEmpty());
    }

    // Values and draw numbers read back from both series over real draws:
    // 2003002 is 1:3:2 big:middle:small, 2003006 is 4:2 odd:even.
    void valuesOverRealDraws_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QVector<int>>("values");
        QTest::newRow("two draws, 确定") << "red" << "" << "2003001" << "2003002" << QVector<int>{100, 99};
        QTest::newRow("middle count of 1:3:2") << "red" << "中数个数走势图" << "2003002" << "2003003" << QVector<int>{3, 0};
        QTest::newRow("small count of 1:3:2") << "red" << "小数个数走势图" << "2003002" << "2003003" << QVector<int>{2, 3};
        QTest::newRow("big count") << "red" << "大数个数走势图" << "2003002" << "2003003" << QVector<int>{1, 3};
        QTest::newRow("odd count of 4:2") << "red" << "奇数个数走势图" << "2003006" << "2003007" << QVector<int>{4, 5};
        QTest::newRow("even count of 4:2") << "red" << "偶数个数走势图" << "2003006" << "2003007" << QVector<int>{2, 1};
        QTest::newRow("blue balls") << "blue" << "基本走势图" << "2003001" << "2003002" << QVector<int>{11, 12};
    }
    void valuesOverRealDraws()
    {
        QFETCH(QString, tab);
        QFETCH(QString, choice);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QVector<int>, values);
        Fixture f;
        if (!f.addRealDraws(12))
            QFAIL("data/history/ssq-history.txt cannot be read");
        QVERIFY(f.start());
        TrendChartView *c = f.load(tab, from, to, choice);
        QVERIFY2(f.messages.shown.isEmpty(), qPrintable(f.messages.shown.join('\n')));
        QCOMPARE(linePoints(c), values);
        QCOMPARE(barValues(c), values);
        QCOMPARE(c->labels(), (QStringList{from, to}));
        QCOMPARE(c->drawAxis()->categoriesLabels(), (QStringList{from, to}));
        QVERIFY(c->lineSeries()->isVisible());
        QVERIFY(!c->barSeries()->isVisible());
    }

    // Fewer than two draws: the message, and both series empty even after a good load.
    void tooFewDraws_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("one draw") << "2007003" << "2007003";
        QTest::newRow("from after to") << "2007005" << "2007002";
        QTest::newRow("no such draws") << "2009001" << "2009999";
        QTest::newRow("a quote is text, not SQL") << "2008' or '1'='1" << "2008999";
    }
    void tooFewDraws()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        Fixture f;
        f.dir.addDraws(6);
        QVERIFY(f.start());
        for (const QString &which : {QStringLiteral("red"), QStringLiteral("blue")}) {
            f.messages.shown.clear();
            TrendChartView *c = f.load(which, QStringLiteral("2007001"), QStringLiteral("2007006"));
            QCOMPARE(c->lineSeries()->count(), 6);
            f.load(which, from, to);
            QCOMPARE(f.messages.shown, QStringList{kTooFewDraws});
            QCOMPARE(c->lineSeries()->count(), 0);
            QCOMPARE(c->barSet()->count(), 0);
            QVERIFY(c->labels().isEmpty());
        }
    }

    // A stored value that is not a number: an error box and no half chart.
    void unreadableValueShowsAnError()
    {
        Fixture f;
        f.dir.addDraws(6);
        QVERIFY(f.start());
        QSqlQuery q(f.main->database());
        QVERIFY(q.exec(QStringLiteral("update data set lheshu = null where qishu = '2007004'")));
        TrendChartView *c = f.load(QStringLiteral("red"), QStringLiteral("2007001"), QStringLiteral("2007006"));
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY2(f.messages.shown[0].startsWith(QLatin1String("error:"))
                     && f.messages.shown[0].contains(QLatin1String("2007004")),
                 qPrintable(f.messages.shown[0]));
        QCOMPARE(c->lineSeries()->count(), 0);
        QCOMPARE(c->barSet()->count(), 0);
    }

    // "直线图" swaps the series from what was loaded: the draws are gone from the
    // database by then, and the chart still shows them.
    void lineChartSwitchKeepsTheLoadedValues()
    {
        Fixture f;
        f.dir.addDraws(5);
        QVERIFY(f.start());
        TrendChartView *c = f.load(QStringLiteral("red"), QStringLiteral("2007001"), QStringLiteral("2007005"),
                                   QStringLiteral("AC值走势图"));
        const QVector<int> loaded = linePoints(c);
        QCOMPARE(loaded.size(), 5);
        QCOMPARE(barValues(c), loaded);
        QSqlQuery q(f.main->database());
        QVERIFY(q.exec(QStringLiteral("delete from data")));
        QVERIFY(q.exec(QStringLiteral("delete from append")));

        QCheckBox *line = f.tab(QStringLiteral("red"))->findChild<QCheckBox *>("lineChartBox");
        QTest::mouseClick(line, Qt::LeftButton);
        QVERIFY(!line->isChecked());
        QVERIFY(c->barSeries()->isVisible());
        QVERIFY(!c->lineSeries()->isVisible());
        QCOMPARE(barValues(c), loaded);
        QTest::mouseClick(line, Qt::LeftButton);
        QVERIFY(c->lineSeries()->isVisible());
        QVERIFY(!c->barSeries()->isVisible());
        QCOMPARE(linePoints(c), loaded);
        QVERIFY(f.messages.shown.isEmpty());

        // A load with "直线图" unticked shows bars straight away.
        QTest::mouseClick(line, Qt::LeftButton);
        f.dir.addDraws(3);
        f.load(QStringLiteral("red"), QStringLiteral("2007001"), QStringLiteral("2007003"));
        QVERIFY(c->barSeries()->isVisible());
        QVERIFY(!c->lineSeries()->isVisible());
        QCOMPARE(c->barSet()->count(), 3);
    }

    // "3D显示" shows the slider and gives the chart depth; the slider sets how deep.
    void threeD()
    {
        Fixture f;
        f.dir.addDraws(40);
        QVERIFY(f.start());
        TrendChartTab *t = f.tab(QStringLiteral("blue"));
        TrendChartView *c = f.load(QStringLiteral("blue"), QStringLiteral("2007001"), QStringLiteral("2007040"));
        QCheckBox *box = t->findChild<QCheckBox *>("threeDBox");
        QSlider *slider = t->findChild<QSlider *>("depthSlider");
        QCOMPARE(slider->minimum(), 1);
        QCOMPARE(slider->maximum(), 100);
        QCoreApplication::processEvents();  // the chart lays itself out after a load
        const QRectF flat = c->chart()->plotArea();
        QVERIFY(c->depthLayer()->offset().isNull());

        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(slider->isVisible());
        QVERIFY(c->is3D());
        const QPointF shallow = c->depthLayer()->offset();
        QVERIFY(shallow.x() > 0 && shallow.y() < 0);  // back and up to the right
        QVERIFY(c->chart()->plotArea().width() < flat.width());
        QVERIFY(c->chart()->plotArea().height() < flat.height());

        slider->setValue(100);
        QCOMPARE(c->depthPercent(), 100);
        const QPointF deep = c->depthLayer()->offset();
        QVERIFY(deep.x() > shallow.x() && deep.y() < shallow.y());
        QCOMPARE(c->chart()->plotArea().width(), flat.width() - deep.x());
        QCOMPARE(c->chart()->plotArea().height(), flat.height() + deep.y());
        // The 3D look is painted: the picture changes with the depth.
        const QImage deepImage = c->grab().toImage();
        slider->setValue(1);
        QVERIFY(c->grab().toImage() != deepImage);

        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(slider->isHidden());
        QVERIFY(!c->is3D());
        QCoreApplication::processEvents();
        QVERIFY(c->depthLayer()->offset().isNull());
        QCOMPARE(c->chart()->plotArea(), flat);
        QCOMPARE(barValues(c).size(), 40);
    }

    // Presses draw full-width red lines and show the button; it deletes them and hides.
    void drawAndDeleteLines()
    {
        Fixture f;
        f.dir.addDraws(10);
        QVERIFY(f.start());
        for (const QString &which : {QStringLiteral("red"), QStringLiteral("blue")}) {
            TrendChartView *c = f.load(which, QStringLiteral("2007001"), QStringLiteral("2007010"));
            QWidget *surface = c->viewport();
            QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(300, 200));
            QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(300, 200));
            QTest::mousePress(surface, Qt::RightButton, {}, QPoint(500, 320));
            QTest::mouseRelease(surface, Qt::RightButton, {}, QPoint(500, 320));
            const QVector<LineOverlay::Segment> &lines = c->drawnLines()->segments();
            QCOMPARE(lines.size(), 2);
            QCOMPARE(lines[0].from, QPoint(0, 200));
            QCOMPARE(lines[0].to, QPoint(surface->width(), 200));
            QCOMPARE(lines[1].from, QPoint(0, 320));
            QCOMPARE(lines[1].to, QPoint(surface->width(), 320));
            QVERIFY(c->deleteLinesButton()->isVisible());
            QCOMPARE(c->deleteLinesButton()->text(), QStringLiteral("删除所有画线"));

            QTest::mouseClick(c->deleteLinesButton(), Qt::LeftButton);
            QVERIFY(c->drawnLines()->segments().isEmpty());
            QVERIFY(c->deleteLinesButton()->isHidden());
        }
    }

    // Every repaint the chart goes through wipes the lines; the button stays until clicked.
    void repaintsWipeTheLines_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("确定") << "applyButton";
        QTest::newRow("a choice") << "choice";
        QTest::newRow("直线图") << "lineChartBox";
        QTest::newRow("3D显示") << "threeDBox";
        QTest::newRow("resize") << "resize";
    }
    void repaintsWipeTheLines()
    {
        QFETCH(QString, action);
        Fixture f;
        f.dir.addDraws(10);
        QVERIFY(f.start());
        TrendChartTab *t = f.tab(QStringLiteral("red"));
        TrendChartView *c = f.load(QStringLiteral("red"), QStringLiteral("2007001"), QStringLiteral("2007010"));
        QTest::mouseClick(c->viewport(), Qt::LeftButton, {}, QPoint(400, 250));
        QCOMPARE(c->drawnLines()->segments().size(), 1);
        if (action == QLatin1String("resize"))
            f.main->resize(1200, 700);
        else if (action == QLatin1String("choice"))
            QTest::mouseClick(Fixture::radio(t, QStringLiteral("极号差走势图")), Qt::LeftButton);
        else
            QTest::mouseClick(t->findChild<QAbstractButton *>(action), Qt::LeftButton);
        QVERIFY(c->drawnLines()->segments().isEmpty());
        QVERIFY(c->deleteLinesButton()->isVisible());
        QVERIFY(f.messages.shown.isEmpty());
    }
};

QTEST_MAIN(TestTrendCharts)
#include "tst_trendcharts.moc"

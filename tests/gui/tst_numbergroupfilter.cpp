// The group "号码组过滤" of the betting tab: its rows, its refusals (named by row, the list
// kept), and "条件过滤" with groups giving what the core filter gives.
#include "BetFixtures.h"
#include "BettingFixture.h"
#include "core/bets/Filters.h"
#include "ui/bets/FilterRows.h"
#include "ui/bets/NumberGroupBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QLineEdit>
#include <QSpinBox>

class TestNumberGroupFilter : public QObject {
    Q_OBJECT
private slots:
    void fiveRowsBelowTheOriginalGroups()
    {
        BettingFixture f;
        NumberGroupBox *box = f.tab.filters()->numberGroupBox();
        QCOMPARE(f.find<QGroupBox>("numberGroupBox"), static_cast<QGroupBox *>(box));
        QCOMPARE(box->title(), QStringLiteral("号码组过滤"));
        for (int row = 1; row <= kNumberGroupCount; ++row) {
            const QByteArray prefix = "group" + QByteArray::number(row);
            auto *balls = f.find<QLineEdit>((prefix + "BallsEdit").constData());
            auto *minimum = f.find<QSpinBox>((prefix + "MinBox").constData());
            auto *maximum = f.find<QSpinBox>((prefix + "MaxBox").constData());
            QVERIFY(balls && minimum && maximum);
            QCOMPARE(balls, box->ballsEdit(row - 1));
            QCOMPARE(minimum, box->minimumBox(row - 1));
            QCOMPARE(maximum, box->maximumBox(row - 1));
            QCOMPARE(balls->text(), QString());
            QCOMPARE(minimum->value(), 0);
            QCOMPARE(maximum->value(), 6);
            QCOMPARE(minimum->maximum(), 6);
            QCOMPARE(maximum->minimum(), 0);
            // Each field is reached through its label.
            QStringList buddies;
            for (QLabel *l : box->findChildren<QLabel *>())
                if (l->buddy() == balls)
                    buddies << l->text();
            QCOMPARE(buddies, QStringList{QStringLiteral("号码组%1").arg(row)});
        }
        // Under the regular group, in the same column.
        f.tab.resize(1100, 700);
        f.tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.tab));
        QCOMPARE_GE(box->geometry().top(), f.tab.filters()->regularGroup()->geometry().bottom());
        QCOMPARE(box->geometry().left(), f.tab.filters()->regularGroup()->geometry().left());

        // At the tab's smallest height the original groups still show whole, and the last row
        // is scrolled to when the Tab key reaches it.
        f.tab.resize(f.tab.minimumSizeHint());
        QTest::qWait(20);
        auto *area = f.tab.findChild<QScrollArea *>(QStringLiteral("filterScrollArea"));
        QVERIFY(area);
        const auto visible = [area](QWidget *w) {
            const QRect r(w->mapTo(area->viewport(), QPoint(0, 0)), w->size());
            return area->viewport()->rect().contains(r);
        };
        QVERIFY(visible(f.tab.filters()->regularGroup()));
        QVERIFY(visible(f.tab.filters()->advancedGroup()));
        QVERIFY(!visible(box->ballsEdit(4)));
        f.tab.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.tab));
        box->maximumBox(3)->setFocus();
        QTest::keyClick(box->maximumBox(3), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(box->ballsEdit(4)));
        QTRY_VERIFY(visible(box->ballsEdit(4)));
        f.tab.resize(1100, 700);

        const QByteArray shots = qgetenv("BALVORA_SHOT_DIR");
        if (!shots.isEmpty()) {
            f.pickRange(10, 1);
            QVERIFY(f.generate());
            box->ballsEdit(0)->setText(QStringLiteral("03 07 11 19"));
            box->minimumBox(0)->setValue(1);
            box->maximumBox(0)->setValue(2);
            box->ballsEdit(1)->setText(QStringLiteral("01, 02"));
            box->maximumBox(1)->setValue(0);
            QVERIFY(f.press("filterButton"));
            f.tab.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/betting-tab-number-groups.png"));
        }
    }

    void refusalsNameTheRowAndKeepTheList_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("balls");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a ball") << 1 << "03 x7" << 1 << 2 << "号码组1：“x7”不是有效的红球号码，请重新输入！";
        QTest::newRow("repeated") << 2 << "03 07 03" << 1 << 2 << "号码组2：红球号码“03”重复，请重新输入！";
        QTest::newRow("out of range") << 4 << "03 34" << 0 << 0 << "号码组4：红球号码“34”不在01到33之间，请重新输入！";
        QTest::newRow("min above max") << 5 << "03 07" << 3 << 2 << "号码组5：最少个数3大于最多个数2，请重新输入！";
        QTest::newRow("counts set, no balls") << 3 << "  " << 1 << 6 << "号码组3：请输入红球号码！";
    }
    void refusalsNameTheRowAndKeepTheList()
    {
        QFETCH(int, row);
        QFETCH(QString, balls);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(QString, message);
        BettingFixture f;
        NumberGroupBox *box = f.tab.filters()->numberGroupBox();
        f.pickRange(10, 1);
        QVERIFY(f.generate());
        // A first filter leaves a current list apart from the generated one.
        box->ballsEdit(0)->setText(QStringLiteral("10"));
        box->maximumBox(0)->setValue(0);
        QVERIFY(f.press("filterButton"));
        QCOMPARE(f.count(), 84);
        const QStringList before = f.currentRows();
        const QString pageBefore = f.gridRow(0);

        box->ballsEdit(row - 1)->setText(balls);
        box->minimumBox(row - 1)->setValue(minimum);
        box->maximumBox(row - 1)->setValue(maximum);
        const qsizetype shown = f.messages.shown.size();
        QVERIFY(f.press("filterButton"));
        QCOMPARE(f.messages.shown.size(), shown + 1);
        QCOMPARE(f.messages.last(), QStringLiteral("info:") + message);
        QCOMPARE(f.currentRows(), before);
        QCOMPARE(f.gridRow(0), pageBefore);
        QCOMPARE(f.label("betCountLabel"), QStringLiteral("共84注"));
    }

    // Groups typed into the window keep what the core filter keeps from the generated list,
    // with a ticked condition and 容错 beside them; with only groups filled the filter runs too.
    void windowFilterEqualsTheCore_data()
    {
        QTest::addColumn<bool>("withCondition");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("groups alone") << false << 0;
        QTest::newRow("with 红球总和") << true << 0;
        QTest::newRow("with 红球总和, 容错 1") << true << 1;
    }
    void windowFilterEqualsTheCore()
    {
        QFETCH(bool, withCondition);
        QFETCH(int, tolerance);
        BettingFixture f;
        NumberGroupBox *box = f.tab.filters()->numberGroupBox();
        f.pickRange(14, 2);
        QVERIFY(f.generate());
        QCOMPARE(f.count(), 6006);
        const struct {
            const char *balls;
            int minimum, maximum;
        } rows[] = {{"01 02 03", 1, 2}, {"", 0, 6}, {"14", 0, 0}, {"05,06，07、08", 2, 6}, {"09 10 11 12 13", 0, 3}};
        FilterSettings settings = defaultFilterSettings();
        for (int i = 0; i < kNumberGroupCount; ++i) {
            const QString text = QString::fromUtf8(rows[i].balls);
            // Typed where the keys exist on a plain keyboard; the IME's ，and 、 are pasted.
            if (QByteArray(rows[i].balls).size() == text.size())
                QTest::keyClicks(box->ballsEdit(i), text);
            else
                box->ballsEdit(i)->insert(text);
            box->minimumBox(i)->setValue(rows[i].minimum);
            box->maximumBox(i)->setValue(rows[i].maximum);
            settings.groups[std::size_t(i)] = {text, rows[i].minimum, rows[i].maximum};
        }
        FilterRows *filters = f.tab.filters();
        if (withCondition) {
            const int sum = int(Condition::Sum);
            f.click(filters->checkBox(sum));
            filters->lowerBox(sum)->setCurrentText(QStringLiteral("40"));
            filters->upperBox(sum)->setCurrentText(QStringLiteral("50"));
            settings[Condition::Sum] = {true, QStringLiteral("40"), QStringLiteral("50")};
        }
        f.find<QSpinBox>("toleranceBox")->setValue(tolerance);
        settings.tolerance = tolerance;
        QVERIFY(f.press("filterButton"));
        QCOMPARE(f.messages.shown, QStringList());

        FilterBounds bounds;
        QVERIFY(parseFilterBounds(settings, bounds).ok());
        QCOMPARE(bounds.groups.count, 4);
        const BetList expected = filterBets(*f.tab.generatedList(), bounds).bets;
        QCOMPARE_GT(expected.size(), std::size_t(0));
        QCOMPARE_LT(expected.size(), std::size_t(6006));
        QCOMPARE(f.currentRows(), fixtures::rows(expected));
        QCOMPARE(f.label("betCountLabel"), QStringLiteral("共%1注").arg(expected.size()));

        // Cleared again, the filter gives the whole generated list back.
        for (int i = 0; i < kNumberGroupCount; ++i) {
            box->ballsEdit(i)->clear();
            box->minimumBox(i)->setValue(0);
            box->maximumBox(i)->setValue(6);
        }
        if (withCondition)
            f.click(filters->checkBox(int(Condition::Sum)));
        QVERIFY(f.press("filterButton"));
        QCOMPARE(f.count(), 6006);
    }
};

QTEST_MAIN(TestNumberGroupFilter)
#include "tst_numbergroupfilter.moc"

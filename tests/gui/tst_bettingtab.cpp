// The betting tab through its real controls: the picker strip and its counter, the three
// methods (with the real banker picker), the guarantee group, the filter, the context-menu
// reductions, and a cancelled generation.
#include "BettingFixture.h"
#include "CancelButton.h"
#include "PairwiseGuarantee.h"
#include "core/bets/Filters.h"
#include "core/bets/Generation.h"
#include "ui/bets/FilterRows.h"
#include "ui/bets/GuaranteeGroup.h"
#include "ui/bets/MethodGroup.h"
#include "ui/bets/BankerPicker.h"
#include "MainWindowFixture.h"
#include "ui/widgets/BallToggleGrid.h"
#include "ui/widgets/RollUpPanel.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QLabel>
#include <QTabWidget>

namespace {
const QString kTooFewReds = QStringLiteral("info:您选择的红球号码少于六位，请重新选择！");
const QString kNoBlue = QStringLiteral("info:您选择的篮球号码少于一位，请重新选择！");

// The dialog's "取消", as the user presses it.
void pressCancel(QProgressDialog *progress)
{
    if (QPushButton *b = cancelButtonOf(progress))
        b->click();
}

QStringList rowsOf(const BetList &list)
{
    QStringList rows;
    for (const Bet &b : list)
        rows << betRowText(b);
    return rows;
}
} // namespace

class TestBettingTab : public QObject {
    Q_OBJECT
private slots:
    void redCounterFollowsItsOwnRule()
    {
        BettingFixture f;
        BallToggleGrid *reds = f.strip.reds();
        const QColor kFace = f.strip.palette().color(QPalette::Button);
        f.pick({1, 2, 3, 4, 5}, {});
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("5"));
        QCOMPARE(reds->colour(3), QColor(255, 117, 117));
        QCOMPARE(reds->colour(6), kFace);

        f.click("invertRedsButton"); // 反选
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("28"));
        QVERIFY(!reds->isSelected(1) && reds->isSelected(6) && reds->isSelected(33));
        f.click("invertRedsButton");
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("5"));
        QCOMPARE(reds->selection(), std::vector<bool>({true, true, true, true, true, false, false, false, false, false,
                                                       false, false, false, false, false, false, false, false, false,
                                                       false, false, false, false, false, false, false, false, false,
                                                       false, false, false, false, false}));

        f.click("selectAllRedsButton"); // 全选, then one toggle off
        f.pickRed(17);
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("32"));
        QCOMPARE(reds->colour(17), kFace);
        f.click("clearRedsButton"); // 清空
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("0"));
        QVERIFY(!reds->isSelected(1));

        // The blue side has the same buttons and no counter.
        f.click("selectAllBluesButton");
        QCOMPARE(f.strip.blues()->colour(16), QColor(119, 119, 255));
        f.pickBlue(4);
        f.click("invertBluesButton");
        QCOMPARE(f.strip.blueSelection(), (std::array<bool, 16>{false, false, false, true}));
        f.click("clearBluesButton");
        QCOMPARE(f.strip.blueSelection(), (std::array<bool, 16>{}));
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("0"));
    }

    // Each activation of a red toggle moves the counter by one, whichever way it comes; a
    // screen reader's Toggle and Press actions are activations like a click.
    void redCounterCountsEveryActivation_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("mouse") << "mouse";
        QTest::newRow("space key") << "key";
        QTest::newRow("click()") << "click";
        QTest::newRow("accessible Toggle action") << "accessibleToggle";
        QTest::newRow("accessible Press action") << "accessiblePress";
    }
    void redCounterCountsEveryActivation()
    {
        QFETCH(QString, way);
        BettingFixture f;
        QAbstractButton *ball7 = f.strip.reds()->toggle(7);
        const auto activate = [&] {
            const bool before = ball7->isChecked();
            if (way == QLatin1String("mouse")) {
                f.pickRed(7);
            } else if (way == QLatin1String("key")) {
                QTest::keyClick(ball7, Qt::Key_Space);
            } else if (way == QLatin1String("click")) {
                ball7->click();
            } else {
                QAccessibleInterface *a = QAccessible::queryAccessibleInterface(ball7);
                QVERIFY(a && a->actionInterface());
                const QString action = way == QLatin1String("accessibleToggle")
                                           ? QAccessibleActionInterface::toggleAction()
                                           : QAccessibleActionInterface::pressAction();
                a->actionInterface()->doAction(action);
            }
            // The Press action clicks a moment later, as an animated click does.
            QTRY_VERIFY(ball7->isChecked() != before);
        };
        activate();
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("1"));
        activate();
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("0"));
        // After a button has set the counter by its own rule, activations count from there.
        f.click("selectAllRedsButton");
        activate();
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("32"));
        f.click("invertRedsButton"); // only ball 7 selected, counter 33 - 32
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("1"));
        QVERIFY(ball7->isChecked());
        activate();
        QCOMPARE(f.label("redCountLabel"), QStringLiteral("0"));
    }

    void candidateMessagesWarnAndTheListStaysEmpty_data()
    {
        QTest::addColumn<int>("reds");
        QTest::addColumn<QString>("message");
        QTest::newRow("5 reds, no blue: only the red message") << 5 << kTooFewReds;
        QTest::newRow("10 reds, no blue") << 10 << kNoBlue;
    }
    void candidateMessagesWarnAndTheListStaysEmpty()
    {
        QFETCH(int, reds);
        QFETCH(QString, message);
        BettingFixture f;
        f.pickRange(reds, 0);
        QVERIFY(f.generate());
        QCOMPARE(f.messages.shown, QStringList{message});
        QCOMPARE(f.count(), 0);
        QCOMPARE(f.label("betCountLabel"), QStringLiteral("共0注"));
        QCOMPARE(f.gridRows(), 0);
    }

    void allCombinationsInGeneratorOrder()
    {
        BettingFixture f;
        QVERIFY(!f.find("prizeCheckButton")->isEnabled());
        f.pick({7, 3, 1, 2, 6, 5, 4}, {2, 1}); // the order of clicks never matters
        QVERIFY(f.generate());
        QCOMPARE(f.messages.shown, QStringList());
        QCOMPARE(f.count(), 14);
        QCOMPARE(f.label("pageCountLabel"), QStringLiteral("共1页"));
        QCOMPARE(f.label("betCountLabel"), QStringLiteral("共14注"));
        QCOMPARE(f.gridRows(), 14);
        const QStringList first = {"1|01 02 03 04 05 06|01|21", "2|01 02 03 04 05 06|02|21",
                                   "3|01 02 03 04 05 07|01|22", "4|01 02 03 04 05 07|02|22",
                                   "5|01 02 03 04 06 07|01|23"};
        for (int r = 0; r < first.size(); ++r)
            QCOMPARE(f.gridRow(r), first[r]);
        QCOMPARE(f.gridRow(13), QStringLiteral("14|02 03 04 05 06 07|02|27"));
        QVERIFY(f.find("prizeCheckButton")->isEnabled());
        QCOMPARE(f.tab.currentOutputLines().first(), QStringLiteral("01 02 03 04 05 06 01"));
        QVERIFY(f.tab.generatedList() == f.tab.currentList());
    }

    void prizeCheckGetsTheCurrentList()
    {
        BettingFixture f;
        f.pickRange(6, 1);
        QVERIFY(f.generate());
        QSignalSpy spy(&f.tab, &BettingTab::prizeCheckRequested);
        f.click("prizeCheckButton");
        QCOMPARE(spy.count(), 1);
        QVERIFY(spy.first().first().value<std::shared_ptr<const BetList>>() == f.tab.currentList());
    }

    void bankerThroughThePicker()
    {
        BettingFixture f;
        f.pick({1, 2, 3, 4, 5}, {7});
        // Choosing the method opens the picker; bankers 03 and 10 are clicked there.
        BettingFixture::onModal([](QWidget *dialog) {
            auto *picker = qobject_cast<BankerPicker *>(dialog);
            QVERIFY(picker);
            QCOMPARE(picker->windowTitle(), QStringLiteral("号码选择"));
            BettingFixture::click(picker->findChild<QWidget *>(QStringLiteral("bankerBall3")));
            BettingFixture::click(picker->findChild<QWidget *>(QStringLiteral("bankerBall10")));
            QCOMPARE(picker->toggles()->colour(3), QColor(255, 0, 0));
            BettingFixture::click(picker->findChild<QWidget *>(QStringLiteral("okButton")));
        });
        f.click("bankerDragRadio");
        auto *box = f.find<QLineEdit>("bankerEdit");
        QCOMPARE(box->text(), QStringLiteral("10 03 "));
        QVERIFY(f.find("pickBankersButton")->isEnabled());
        QVERIFY(f.find("guaranteeGroup")->isHidden());
        QVERIFY(f.generate());
        QCOMPARE(f.currentRows(), QStringList{QStringLiteral("01 02 04 05 10 0307")});

        // Six picks are refused and the picker stays open; closing it by the title bar hands
        // the refused text on all the same.
        BettingFixture::onModal([&f](QWidget *dialog) {
            for (int ball : {1, 2, 4, 5})
                BettingFixture::click(dialog->findChild<QWidget *>(QStringLiteral("bankerBall%1").arg(ball)));
            BettingFixture::click(dialog->findChild<QWidget *>(QStringLiteral("okButton")));
            QVERIFY(dialog->isVisible());
            QCOMPARE(f.messages.last(), QStringLiteral("info:胆号个数不能超过5个,请重新选择!"));
            dialog->close();
        });
        f.click("pickBankersButton");
        QCOMPARE(box->text(), QStringLiteral("10 01 02 03 04 05 "));
        QVERIFY(f.generate());
        QCOMPARE(f.count(), 0); // six bankers make no bets and no message
        QCOMPARE(f.label("betCountLabel"), QStringLiteral("共0注"));

        // "重选" in the picker clears it; 确定 with nothing picked gives an empty text and the
        // generation is refused with both lists empty.
        BettingFixture::onModal([](QWidget *dialog) {
            BettingFixture::click(dialog->findChild<QWidget *>(QStringLiteral("clearButton")));
            BettingFixture::click(dialog->findChild<QWidget *>(QStringLiteral("okButton")));
        });
        f.click("pickBankersButton");
        QCOMPARE(box->text(), QString());
        f.messages.shown.clear();
        QVERIFY(f.generate());
        QCOMPARE(f.messages.shown, QStringList{QStringLiteral("info:") + kNoBankerMessage});
        QCOMPARE(f.count(), 0);
    }

    void wheelRowsFromTheMatrixFile()
    {
        BettingFixture f;
        f.writeMatrix(QStringLiteral("C7S6E5.db"), {"010203040506", "020304050607"});
        f.pick({3, 7, 11, 19, 25, 28, 30}, {9, 2});
        f.click("wheelRadio");
        QVERIFY(f.find("wheelTypeBox")->isEnabled());
        QVERIFY(f.find("guaranteeGroup")->isHidden());
        QVERIFY(f.generate());
        QCOMPARE(f.currentRows(), QStringList({"03 07 11 19 25 2802", "07 11 19 25 28 3002", "03 07 11 19 25 2809",
                                               "07 11 19 25 28 3009"}));
        // The filter refuses while the wheel is chosen, and changes nothing.
        f.press("filterButton");
        QCOMPARE(f.messages.last(), QStringLiteral("info:") + kWheelFilterMessage);
        QCOMPARE(f.count(), 4);

        // One more red: no C8S6E5.db, refused, both lists empty, the grid keeps its page.
        f.pickRed(33);
        QVERIFY(f.generate());
        QCOMPARE(f.messages.last(), QStringLiteral("info:您选择的侯选号码数量无此类旋转矩阵,请重新选择!"));
        QCOMPARE(f.count(), 0);
        QCOMPARE(f.gridRows(), 4);

        auto *type = f.find<QComboBox>("wheelTypeBox");
        type->setEditText(QStringLiteral("中9保9"));
        QVERIFY(f.generate());
        QCOMPARE(f.messages.last(), QStringLiteral("info:您选择的旋转矩阵类型不正确,请重新选择!"));
    }

    void filterStartsFromTheGeneratedList()
    {
        BettingFixture f;
        f.pickRange(10, 1);
        QVERIFY(f.generate());
        QCOMPARE(f.count(), 210);
        FilterRows *rows = f.tab.filters();
        const int sum = filterConditionIndex(QStringLiteral("红球总和"));
        QVERIFY(!rows->lowerBox(sum)->isEnabled());
        f.click(rows->checkBox(sum));
        QVERIFY(rows->lowerBox(sum)->isEnabled() && rows->upperBox(sum)->isEnabled());
        rows->lowerBox(sum)->setCurrentText(QStringLiteral("21"));
        rows->upperBox(sum)->setCurrentText(QStringLiteral("23"));
        QVERIFY(f.press("filterButton"));
        QCOMPARE(f.currentRows(), QStringList({"01 02 03 04 05 0601", "01 02 03 04 05 0701", "01 02 03 04 05 0801",
                                               "01 02 03 04 06 0701"}));
        QCOMPARE(f.label("betCountLabel"), QStringLiteral("共4注"));

        // A bound that is not a whole number stops before the pass: the list stays.
        rows->upperBox(sum)->setCurrentText(QStringLiteral("2x"));
        QVERIFY(f.press("filterButton"));
        QVERIFY(f.messages.last().contains(QStringLiteral("红球总和")));
        QCOMPARE(f.count(), 4);

        // Unticked, the filter restores the whole generated list, even after a reduction.
        f.click(rows->checkBox(sum));
        QVERIFY(!rows->upperBox(sum)->isEnabled());
        QCOMPARE(rows->upperBox(sum)->currentText(), QStringLiteral("2x"));
        QVERIFY(f.trigger("reduceBy3Action"));
        QVERIFY(f.count() < 210);
        QVERIFY(f.press("filterButton"));
        QCOMPARE(f.count(), 210);
    }

    void toleranceBoxReachesTheFilter()
    {
        BettingFixture f;
        FilterRows *rows = f.tab.filters();
        auto *box = f.find<QSpinBox>("toleranceBox");
        QCOMPARE(box->value(), 0);
        QCOMPARE(box->minimum(), 0);
        QCOMPARE(box->maximum(), 3);
        QCOMPARE(rows->toleranceLabel()->text(), QStringLiteral("容错"));
        QCOMPARE(rows->toleranceLabel()->buddy(), box);

        f.pickRange(10, 1);
        QVERIFY(f.generate());
        const std::shared_ptr<const BetList> generated = f.tab.generatedList();
        const struct {
            const char *key, *lower, *upper;
        } ticked[] = {{"sum", "21", "30"}, {"odd", "3", "3"}, {"span", "9", "9"}, {"r2", "2", "3"}};
        FilterBounds bounds;
        for (const auto &t : ticked) {
            const int c = filterConditionIndex(QLatin1String(t.key));
            f.click(rows->checkBox(c));
            rows->lowerBox(c)->setCurrentText(QLatin1String(t.lower));
            rows->upperBox(c)->setCurrentText(QLatin1String(t.upper));
            bounds.on[c] = true;
            bounds.lower[c] = QByteArray(t.lower).toInt();
            bounds.upper[c] = QByteArray(t.upper).toInt();
        }
        QList<int> sizes;
        for (int tolerance = 0; tolerance <= 3; ++tolerance) {
            box->setValue(tolerance);
            QVERIFY(f.press("filterButton"));
            // Exactly the generated bets failing at most that many of the four conditions.
            QStringList expected;
            for (const Bet &bet : *generated) {
                const PerCondition<int> v = conditionValues(bet);
                int failed = 0;
                for (int c = 0; c < kConditionCount; ++c)
                    failed += bounds.on[c] && (v[c] < bounds.lower[c] || v[c] > bounds.upper[c]);
                if (failed <= tolerance)
                    expected << betRowText(bet);
            }
            QCOMPARE(f.currentRows(), expected);
            sizes << int(expected.size());
        }
        QVERIFY2(sizes[0] < sizes[1] && sizes[1] < sizes[2] && sizes[2] < sizes[3] && sizes[3] < 210,
                 qPrintable(QString::number(sizes[0]) + "," + QString::number(sizes[3])));

        const QByteArray shots = qgetenv("BALVORA_SHOT_DIR");
        if (!shots.isEmpty()) {
            f.tab.resize(1100, 640);
            f.tab.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f.tab));
            f.tab.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/betting-tab-tolerance.png"));
        }
    }

    void filterRowsComeFromTheConditionTable()
    {
        BettingFixture f;
        const FilterSettings defaults = defaultFilterSettings();
        const FilterSettings shown = f.tab.filters()->settings();
        for (int i = 0; i < kConditionCount; ++i) {
            const FilterCondition &c = kFilterConditions[std::size_t(i)];
            QCOMPARE(f.tab.filters()->checkBox(i)->text(), QString::fromUtf8(c.caption));
            QCOMPARE(shown[std::size_t(i)].lower, defaults[std::size_t(i)].lower);
            QCOMPARE(shown[std::size_t(i)].upper, defaults[std::size_t(i)].upper);
            QCOMPARE(f.tab.filters()->lowerBox(i)->count(), c.lastItem - c.firstItem + 1);
            QVERIFY(!shown[std::size_t(i)].ticked);
        }
        QCOMPARE(f.find<QCheckBox>("acCheckBox")->text(), QStringLiteral("AC值"));
        QCOMPARE(f.find<QComboBox>("r6UpperBox")->currentText(), QStringLiteral("33"));
    }

    void contextMenuReductions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("n");
        QTest::newRow("保5号缩水") << "reduceBy5Action" << 5;
        QTest::newRow("保4号缩水") << "reduceBy4Action" << 4;
        QTest::newRow("保3号缩水") << "reduceBy3Action" << 3;
    }
    void contextMenuReductions()
    {
        QFETCH(QString, action);
        QFETCH(int, n);
        BettingFixture f;
        f.pickRange(10, 2);
        QVERIFY(f.generate());
        const auto generated = f.tab.generatedList();
        const BetList expected = pairwise::reduce(*generated, n);
        QVERIFY(f.trigger(action.toLatin1().constData()));
        QCOMPARE(f.currentRows(), rowsOf(expected));
        QCOMPARE(f.label("betCountLabel"), QStringLiteral("共%1注").arg(expected.size()));
        QVERIFY(f.tab.generatedList() == generated); // untouched
        // A second pass of the same N removes nothing more.
        QVERIFY(f.trigger(action.toLatin1().constData()));
        QCOMPARE(f.count(), qint64(expected.size()));
    }

    void guaranteeGroupAtGeneration_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("n");
        QTest::newRow("保5号组合") << "guarantee5Radio" << 5;
        QTest::newRow("保4号组合 (the default)") << QString() << 4;
        QTest::newRow("保2号组合") << "guarantee2Radio" << 2;
    }
    void guaranteeGroupAtGeneration()
    {
        QFETCH(QString, choice);
        QFETCH(int, n);
        BettingFixture f;
        f.pickRange(8, 1);
        auto *group = f.find<GuaranteeGroup>("guaranteeGroup");
        QVERIFY(!group->isChecked());
        QVERIFY(!f.find("guarantee2Radio")->isEnabled()); // usable only while ticked
        group->setChecked(true);
        if (!choice.isEmpty())
            f.click(choice.toLatin1().constData());
        QVERIFY(f.generate());
        BettingFixture all;
        all.pickRange(8, 1);
        QVERIFY(all.generate());
        QCOMPARE(f.currentRows(), rowsOf(pairwise::reduce(*all.tab.currentList(), n)));
        QCOMPARE(f.currentRows().first(), QStringLiteral("01 02 03 04 05 0601"));
    }

    void mainWindowHoldsTheStripAndTheTab()
    {
        MainWindowFixture f;
        QVERIFY(f.buildMain());
        MainWindow &window = *f.main;
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabs"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("缩水过滤选号"));
        QCOMPARE(tabs->widget(1), window.bettingTab());
        auto *panel = window.findChild<RollUpPanel *>(QStringLiteral("pickerPanel"));
        for (int ball = 1; ball <= 6; ++ball)
            BettingFixture::click(panel->findChild<QWidget *>(QStringLiteral("redBall%1").arg(ball)));
        BettingFixture::click(panel->findChild<QWidget *>(QStringLiteral("blueBall16")));
        QCOMPARE(panel->findChild<QLabel *>(QStringLiteral("redCountLabel"))->text(), QStringLiteral("6"));
        BettingFixture::click(window.bettingTab()->generateButton);
        for (int i = 0; i < 100 && window.bettingTab()->isBusy(); ++i)
            QTest::qWait(50);
        QCOMPARE(betRowText(window.bettingTab()->currentList()->at(0)), QStringLiteral("01 02 03 04 05 0616"));
    }

    // While a generation, filter or reduction runs, every control that would start another
    // one is disabled and says why; it is usable again once the work ends or is cancelled.
    void controlsWaitForTheRunningJob_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("generation ends") << "generateButton" << false;
        QTest::newRow("generation cancelled") << "generateButton" << true;
        QTest::newRow("filter ends") << "filterButton" << false;
        QTest::newRow("filter cancelled") << "filterButton" << true;
        QTest::newRow("保4号缩水 ends") << "reduceBy4Action" << false;
        QTest::newRow("保4号缩水 cancelled") << "reduceBy4Action" << true;
    }
    void controlsWaitForTheRunningJob()
    {
        QFETCH(QString, job);
        QFETCH(bool, cancelled);
        BettingFixture f;
        f.pickRange(8, 1);
        QVERIFY(f.generate());
        const QStringList buttons = {"generateButton", "filterButton", "exportButton", "prizeCheckButton"};
        const QStringList actions = {"deleteAction", "reduceBy5Action", "reduceBy4Action", "reduceBy3Action"};
        const auto controlsEnabled = [&] {
            QStringList enabled;
            for (const QString &b : buttons)
                if (f.find(b.toLatin1().constData())->isEnabled())
                    enabled << b;
            for (const QString &a : actions)
                if (f.tab.findChild<QAction *>(a)->isEnabled())
                    enabled << a;
            return enabled;
        };
        QCOMPARE(controlsEnabled(), buttons + actions);

        // The work's result comes back through the event loop: until then the job runs.
        if (job.endsWith(QLatin1String("Action")))
            f.tab.findChild<QAction *>(job)->trigger();
        else
            f.click(job.toLatin1().constData());
        QVERIFY(f.tab.isBusy());
        QCOMPARE(controlsEnabled(), QStringList());
        const QString why = QStringLiteral("完成或取消之前，其他投注操作暂不可用。");
        QCOMPARE(f.find("filterButton")->toolTip(), why);
        QProgressDialog *progress = f.tab.findChild<QProgressDialog *>();
        QVERIFY(progress);
        QVERIFY(progress->labelText().endsWith(QLatin1Char('\n') + why));
        // A click on a disabled button starts nothing.
        const auto before = f.tab.currentList();
        f.click("generateButton");
        if (cancelled)
            pressCancel(progress);
        QVERIFY(f.waitIdle());
        QCOMPARE(controlsEnabled(), buttons + actions);
        QCOMPARE(f.find("filterButton")->toolTip(), QString());
        if (cancelled)
            QVERIFY(f.tab.currentList() == before);
    }

    void prizeCheckWaitsForTheFirstList()
    {
        BettingFixture f;
        f.pickRange(7, 1);
        QPushButton *prizeCheck = f.find<QPushButton>("prizeCheckButton");
        f.click("generateButton");
        QVERIFY(!prizeCheck->isEnabled());
        pressCancel(f.tab.findChild<QProgressDialog *>());
        QVERIFY(f.waitIdle());
        QVERIFY(!prizeCheck->isEnabled()); // nothing was generated
        QVERIFY(f.find("generateButton")->isEnabled());
        QVERIFY(f.generate());
        QVERIFY(prizeCheck->isEnabled());
    }

    void cancelledGenerationKeepsThePreviousList()
    {
        BettingFixture f;
        f.pickRange(7, 2);
        QVERIFY(f.generate());
        const auto before = f.tab.currentList();
        f.click("selectAllRedsButton");
        f.click("selectAllBluesButton");
        f.click("generateButton");
        QVERIFY(f.tab.isBusy());
        // Cancel as soon as the work has started: whether or not the worker got to its end,
        // nothing of it may be applied.
        QProgressDialog *progress = f.tab.findChild<QProgressDialog *>();
        QVERIFY(progress);
        QPushButton *cancel = cancelButtonOf(progress);
        QVERIFY(cancel);
        cancel->click();
        QVERIFY(f.waitIdle());
        QVERIFY(f.tab.currentList() == before);
        QVERIFY(f.tab.generatedList() == before);
        QCOMPARE(f.gridRows(), 14);
        QCOMPARE(f.label("betCountLabel"), QStringLiteral("共14注"));
        QCOMPARE(f.messages.shown, QStringList());
    }
};

QTEST_MAIN(TestBettingTab)
#include "tst_bettingtab.moc"

// "历史回测" over real draws: a list holding a draw's numbers wins its first prize there, every
// row agrees with a direct count under its draw's rules (福运奖 from 2026014 to 2026075, not
// known after 2026076) and the totals row sums them, a cancel keeps the result shown;
// "过滤回测" against a direct count of the draws; the refusals; the betting tab's button.
#include "BettingFixture.h"
#include "CancelButton.h"
#include "MainWindowFixture.h"
#include "core/bets/Filters.h"
#include "core/bets/Generation.h"
#include "core/history/DrawDetails.h"
#include "core/history/DrawEntry.h"
#include "core/prize/FilterBacktest.h"
#include "core/prize/PrizeCheck.h"
#include "core/prize/PrizeRules.h"
#include "ui/prize/BacktestChart.h"
#include "ui/prize/BacktestDialog.h"
#include "ui/prize/BacktestTableModel.h"
#include "ui/widgets/BackgroundTask.h"

#include <QBarSet>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {

const int kDraws = 150;

struct RealDraw {
    QString qishu;
    std::array<int, 6> reds{};
    int blue = 0;
};

// The last kDraws real draws in a program directory of their own.
struct RealHistory {
    bool load()
    {
        QStringList lines = realHistoryLines();
        lines = lines.mid(lines.size() - kDraws);
        if (dir.addLines(lines) != kDraws)
            return false;
        for (const QString &line : lines) {
            const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            RealDraw d;
            d.qishu = f[0];
            for (int i = 0; i < 6; ++i)
                d.reds[std::size_t(i)] = f[i + 1].toInt();
            d.blue = f[7].toInt();
            draws.push_back(d);
        }
        return true;
    }
    // The draws of the default range, the latest 100.
    std::vector<RealDraw> latest() const
    {
        return {draws.end() - BacktestDialog::kDefaultDraws, draws.end()};
    }
    ProgramDir dir;
    std::vector<RealDraw> draws;
};

PrizeCheck::DrawBalls ballsOf(const RealDraw &d)
{
    PrizeCheck::DrawBalls b;
    b.reds = d.reds;
    b.blue = d.blue;
    return b;
}

// What the shipped table tells of a draw with no notice in the history: the period 2026014 to
// 2026075, stopped at 2026076, nothing known after.
PrizeRules::Fortune expectedFortune(const QString &qishu)
{
    if (qishu < QLatin1String("2026014") || qishu == QLatin1String("2026076"))
        return PrizeRules::Fortune::NotInForce;
    return qishu <= QLatin1String("2026075") ? PrizeRules::Fortune::InForce : PrizeRules::Fortune::Unknown;
}

// BETS counted directly in draw D, under its rules.
PrizeRules::Graded gradedIn(const BetList &bets, const RealDraw &d)
{
    return PrizeRules::grade(PrizeCheck::tallyHits(bets, ballsOf(d)), expectedFortune(d.qishu));
}

const QString kFloatingUnknown = QStringLiteral("* 中了一等奖或二等奖，但历史中没有该期开奖公告的奖金，奖金只计已知部分。");
const QString kFortuneUnknown = QStringLiteral("* 历史中没有该期是否设福运奖的记录，3个红球的投注未计奖。");

QString cell(QAbstractItemModel *model, int row, int column)
{
    return model->index(row, column).data().toString();
}

// Money cells read as a number, the "*" of unknown money set aside.
qint64 yuan(QAbstractItemModel *model, int row, int column)
{
    QString text = cell(model, row, column);
    text.remove(QLatin1Char('*'));
    return text.toLongLong();
}

} // namespace

class TestBacktestDialog : public QObject {
    Q_OBJECT

    RealHistory m_history;
    bool m_loaded = false;
    RecordingMessages m_messages;
    std::unique_ptr<BacktestDialog> m_dialog;

    BacktestDialog *open(const BetList &bets, const FilterSettings &filters = defaultFilterSettings())
    {
        m_dialog.reset(new BacktestDialog(m_history.dir.db(), std::make_shared<const BetList>(bets), filters,
                                          shippedFortunePeriods(), m_messages));
        m_dialog->show();
        return m_dialog.get();
    }
    // Presses "开始回测" of "历史回测" and waits for the run to end; true when its result was shown.
    static bool run(BacktestDialog *d)
    {
        QSignalSpy ended(d, &BacktestDialog::backtestEnded);
        QTest::mouseClick(d->runButton, Qt::LeftButton);
        if (!ended.wait(60000))
            return false;
        return ended.first().first().toBool();
    }

private slots:
    void initTestCase() { m_loaded = m_history.load(); }
    void init()
    {
        if (!m_loaded)
            QFAIL("data/history/ssq-history.txt cannot be read");
        m_messages.shown.clear();
    }
    void cleanup() { m_dialog.reset(); }

    // The range starts at the latest 100 draws; the list of a real draw's numbers wins its
    // first prize there, at the notice's money where the history has one, marked where not.
    void realDrawWinsItsFirstPrize()
    {
        const std::vector<RealDraw> latest = m_history.latest();
        const RealDraw &won = latest[40];
        const RealDraw &noticed = latest[70];
        DrawDetails details;
        details.qishu = noticed.qishu;
        details.grades[0].money = 6592751;
        details.grades[1].money = 206416;
        QVERIFY(DrawDetailsStore::store(m_history.dir.db(), details).ok());

        const BetList bets{makeBet(won.reds[0], won.reds[1], won.reds[2], won.reds[3], won.reds[4], won.reds[5], won.blue),
                           makeBet(noticed.reds[0], noticed.reds[1], noticed.reds[2], noticed.reds[3], noticed.reds[4],
                                   noticed.reds[5], noticed.blue)};
        BacktestDialog *d = open(bets);
        QCOMPARE(d->windowTitle(), QStringLiteral("历史回测"));
        QCOMPARE(d->fromBox->currentText(), latest.front().qishu);
        QCOMPARE(d->toBox->currentText(), latest.back().qishu);
        QVERIFY(run(d));

        QAbstractItemModel *model = d->grid->model();
        QCOMPARE(model->rowCount(), 101);
        for (int r = 0; r < 100; ++r) {
            QCOMPARE(cell(model, r, BacktestTableModel::DrawColumn), latest[std::size_t(r)].qishu);
            const PrizeRules::PrizeCounts direct = gradedIn(bets, latest[std::size_t(r)]).counts;
            for (int grade = 0; grade < PrizeRules::kGrades; ++grade)
                QCOMPARE(cell(model, r, BacktestTableModel::FirstPrizeColumn + grade), QString::number(direct[std::size_t(grade)]));
            QCOMPARE(cell(model, r, BacktestTableModel::CostColumn), QStringLiteral("4"));
        }
        QCOMPARE(cell(model, 40, BacktestTableModel::FirstPrizeColumn), QStringLiteral("1"));
        QCOMPARE(cell(model, 40, BacktestTableModel::BallsColumn),
                 QStringLiteral("%1+%2").arg([&] {
                     QStringList reds;
                     for (int r : won.reds)
                         reds << QStringLiteral("%1").arg(r, 2, 10, QLatin1Char('0'));
                     return reds.join(QLatin1Char(' '));
                 }()).arg(won.blue, 2, 10, QLatin1Char('0')));
        // No notice: the first prize's money is unknown, so the cell is marked and says why.
        QVERIFY(cell(model, 40, BacktestTableModel::MoneyColumn).endsWith(QLatin1Char('*')));
        QCOMPARE(model->index(40, BacktestTableModel::MoneyColumn).data(Qt::ToolTipRole).toString(), kFloatingUnknown);
        QVERIFY(!d->unknownMoneyLabel->isHidden());
        // The notice's draw: the first prize at its money, plus what the other bet won there.
        const PrizeRules::PrizeCounts there = gradedIn(bets, noticed).counts;
        QCOMPARE(there[0], qint64(1));
        qint64 expected = 6592751 * there[0] + 206416 * there[1];
        for (int grade = 2; grade < PrizeRules::kGrades; ++grade)
            expected += PrizeRules::kFixedYuan[grade] * there[std::size_t(grade)];
        QCOMPARE(cell(model, 70, BacktestTableModel::MoneyColumn), QString::number(expected));
        QCOMPARE(model->index(70, BacktestTableModel::MoneyColumn).data(Qt::ToolTipRole), QVariant());
        QCOMPARE(m_messages.shown, QStringList());
    }

    // The 福运奖 column after 六等奖: each row counts three reds without the blue under its
    // draw's rules, at 5 yuan where it was in force; a draw nothing tells of holds them back
    // and marks its money, saying why.
    void fortuneColumn()
    {
        // Every six of 01..08 with the blues 01 and 02.
        const BetList bets = generateAllCombinations({1, 2, 3, 4, 5, 6, 7, 8}, {1, 2}).bets;
        QCOMPARE(bets.size(), std::size_t(56));
        BacktestDialog *d = open(bets);
        QVERIFY(run(d));
        QAbstractItemModel *model = d->grid->model();
        const int fortune = BacktestTableModel::FirstPrizeColumn + PrizeRules::FortuneGrade - 1;
        QCOMPARE(model->headerData(fortune - 1, Qt::Horizontal).toString(), QStringLiteral("六等奖"));
        QCOMPARE(model->headerData(fortune, Qt::Horizontal).toString(), QStringLiteral("福运奖"));
        QCOMPARE(fortune + 1, int(BacktestTableModel::MoneyColumn));
        const std::vector<RealDraw> latest = m_history.latest();
        int inForce = 0, heldBack = 0;
        for (int r = 0; r < 100; ++r) {
            const RealDraw &draw = latest[std::size_t(r)];
            const PrizeRules::Graded direct = gradedIn(bets, draw);
            QCOMPARE(cell(model, r, fortune), QString::number(direct.counts[PrizeRules::FortuneGrade - 1]));
            qint64 yuan = 0;
            for (int grade = 2; grade < PrizeRules::kGrades; ++grade)
                yuan += PrizeRules::kFixedYuan[grade] * direct.counts[std::size_t(grade)];
            const bool floating = direct.counts[0] + direct.counts[1] > 0;
            QCOMPARE(cell(model, r, BacktestTableModel::MoneyColumn),
                     QString::number(yuan) + (floating || direct.fortuneUnknown > 0 ? QStringLiteral("*") : QString()));
            const QString tip = model->index(r, BacktestTableModel::MoneyColumn).data(Qt::ToolTipRole).toString();
            QCOMPARE(tip.contains(kFortuneUnknown), direct.fortuneUnknown > 0);
            inForce += direct.counts[PrizeRules::FortuneGrade - 1] > 0;
            heldBack += direct.fortuneUnknown > 0;
        }
        QVERIFY2(inForce > 0 && heldBack > 0, "some draws of the range had 福运奖, some are not known");
        QVERIFY(d->unknownMoneyLabel->text().contains(kFortuneUnknown));
        QVERIFY(!d->unknownMoneyLabel->isHidden());
        QVERIFY(d->returnLabel->text().contains(QLatin1Char('*')));

        const QByteArray shots = qgetenv("BALVORA_SHOT_DIR");
        if (!shots.isEmpty()) {
            d->resize(1080, 760);
            d->grid->scrollTo(model->index(70, 0), QAbstractItemView::PositionAtTop); // 2026067 on
            QTest::qWait(50);
            d->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/backtest-dialog.png"));
        }
    }

    // The totals row sums every column of the rows; the chart and the return say the same.
    void totalsRowSumsTheRows()
    {
        BetList bets;
        for (int blue = 1; blue <= 16; ++blue)
            for (int first = 1; first <= 8; ++first)
                bets.push_back(makeBet(first, first + 3, first + 9, first + 14, first + 19, first + 25, blue));
        BacktestDialog *d = open(bets);
        QVERIFY(run(d));
        QAbstractItemModel *model = d->grid->model();
        const int totals = model->rowCount() - 1;
        QCOMPARE(totals, 100);
        QCOMPARE(cell(model, totals, BacktestTableModel::DrawColumn), QStringLiteral("合计"));
        QCOMPARE(cell(model, totals, BacktestTableModel::BallsColumn), QStringLiteral("100期"));
        qint64 won = 0;
        for (int column = BacktestTableModel::FirstPrizeColumn; column <= BacktestTableModel::CostColumn; ++column) {
            qint64 sum = 0;
            for (int r = 0; r < totals; ++r)
                sum += yuan(model, r, column);
            QCOMPARE(yuan(model, totals, column), sum);
            if (column == BacktestTableModel::MoneyColumn)
                won = sum;
        }
        QCOMPARE(yuan(model, totals, BacktestTableModel::CostColumn), qint64(100 * 128 * 2));
        QVERIFY2(won > 0, "128 bets over 100 draws win some small prizes");
        QCOMPARE(d->chart()->wonSet()->count(), 100);
        QCOMPARE(d->chart()->wonSet()->at(0), qreal(yuan(model, 0, BacktestTableModel::MoneyColumn)));
        QCOMPARE(d->chart()->costLine()->at(0).y(), qreal(256));
        const QString ratio = QString::number(100.0 * double(won) / double(100 * 256), 'f', 2);
        QVERIFY2(d->returnLabel->text().startsWith(QStringLiteral("回报率：%1%").arg(ratio)), qPrintable(d->returnLabel->text()));
    }

    // A cancelled run leaves the result of the run before it on screen, and says nothing.
    void cancelKeepsThePreviousResult()
    {
        BetList bets;
        for (int first = 1; first <= 20; ++first)
            bets.push_back(makeBet(first, first + 1, first + 4, first + 6, first + 10, first + 13, 1 + first % 16));
        BacktestDialog *d = open(bets);
        d->fromBox->setCurrentText(m_history.draws[kDraws - 10].qishu);
        QVERIFY(run(d));
        QCOMPARE(d->grid->model()->rowCount(), 11);
        const QString before = d->returnLabel->text();

        d->fromBox->setCurrentIndex(0);
        QSignalSpy ended(d, &BacktestDialog::backtestEnded);
        QTest::mouseClick(d->runButton, Qt::LeftButton);
        QVERIFY(d->task());
        QVERIFY(!d->runButton->isEnabled());
        QProgressDialog *progress = d->task()->dialog();
        QVERIFY(progress);
        QPushButton *cancel = cancelButtonOf(progress);
        QVERIFY(cancel);
        cancel->click();
        QVERIFY(ended.wait(60000));
        QCOMPARE(ended.first().first().toBool(), false);
        QCOMPARE(d->grid->model()->rowCount(), 11);
        QCOMPARE(cell(d->grid->model(), 0, BacktestTableModel::DrawColumn), m_history.draws[kDraws - 10].qishu);
        QCOMPARE(d->returnLabel->text(), before);
        QVERIFY(d->runButton->isEnabled());
        QCOMPARE(m_messages.shown, QStringList());
    }

    void emptyListIsRefused()
    {
        BacktestDialog *d = open({});
        QTest::mouseClick(d->runButton, Qt::LeftButton);
        QVERIFY(!d->task());
        QCOMPARE(m_messages.shown, QStringList{QStringLiteral("info:当前没有投注号码，请先生成投注号码后再回测！")});
        QCOMPARE(d->grid->model()->rowCount(), 0);
    }

    // Each ticked condition and all of them together, against a count of the range's draws
    // made here from their reds.
    void filterBacktest_data()
    {
        QTest::addColumn<int>("sumLow");
        QTest::addColumn<int>("sumHigh");
        QTest::addColumn<int>("oddLow");
        QTest::addColumn<int>("oddHigh");
        QTest::addColumn<int>("spanLow");
        QTest::addColumn<int>("spanHigh");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("every draw passes") << 21 << 183 << 0 << 7 << 5 << 32 << 0;
        QTest::newRow("tight") << 95 << 110 << 3 << 3 << 20 << 26 << 0;
        QTest::newRow("tight, 容错 1") << 95 << 110 << 3 << 3 << 20 << 26 << 1;
        QTest::newRow("tight, 容错 2") << 95 << 110 << 3 << 3 << 20 << 26 << 2;
    }
    void filterBacktest()
    {
        QFETCH(int, sumLow);
        QFETCH(int, sumHigh);
        QFETCH(int, oddLow);
        QFETCH(int, oddHigh);
        QFETCH(int, spanLow);
        QFETCH(int, spanHigh);
        QFETCH(int, tolerance);
        FilterSettings filters = defaultFilterSettings();
        filters[Condition::Sum] = {true, QString::number(sumLow), QString::number(sumHigh)};
        filters[Condition::Odd] = {true, QString::number(oddLow), QString::number(oddHigh)};
        filters[Condition::Span] = {true, QString::number(spanLow), QString::number(spanHigh)};
        filters.tolerance = tolerance;

        int sumPass = 0, oddPass = 0, spanPass = 0, together = 0;
        for (const RealDraw &draw : m_history.latest()) {
            int sum = 0, odd = 0;
            for (int r : draw.reds) {
                sum += r;
                odd += r % 2;
            }
            const int span = *std::max_element(draw.reds.begin(), draw.reds.end())
                             - *std::min_element(draw.reds.begin(), draw.reds.end());
            const bool passes[] = {sum >= sumLow && sum <= sumHigh, odd >= oddLow && odd <= oddHigh,
                                   span >= spanLow && span <= spanHigh};
            sumPass += passes[0];
            oddPass += passes[1];
            spanPass += passes[2];
            together += int(!passes[0]) + int(!passes[1]) + int(!passes[2]) <= tolerance;
        }

        BacktestDialog *d = open({}, filters);
        d->tabs->setCurrentIndex(1);
        QCOMPARE(d->tabs->tabText(1), QStringLiteral("过滤回测"));
        QTest::mouseClick(d->filterRunButton, Qt::LeftButton);
        QCOMPARE(m_messages.shown, QStringList());
        QTableWidget *t = d->filterTable;
        QCOMPARE(t->rowCount(), 4);
        auto row = [t](int r) {
            QStringList cells;
            for (int c = 0; c < t->columnCount(); ++c)
                cells << t->item(r, c)->text();
            return cells.join(QLatin1Char('|'));
        };
        auto share = [](int n) { return QString::number(n, 'f', 2) + QLatin1Char('%'); }; // of 100 draws
        QCOMPARE(row(0), QStringLiteral("红球总和|%1至%2|%3|100|%4").arg(sumLow).arg(sumHigh).arg(sumPass).arg(share(sumPass)));
        QCOMPARE(row(1), QStringLiteral("奇数个数|%1至%2|%3|100|%4").arg(oddLow).arg(oddHigh).arg(oddPass).arg(share(oddPass)));
        QCOMPARE(row(2), QStringLiteral("极号差|%1至%2|%3|100|%4").arg(spanLow).arg(spanHigh).arg(spanPass).arg(share(spanPass)));
        QCOMPARE(row(3), QStringLiteral("全部勾选条件（容错%1）|3个条件|%2|100|%3").arg(tolerance).arg(together).arg(share(together)));
        if (QByteArray(QTest::currentDataTag()) == "every draw passes")
            QCOMPARE(t->item(3, 4)->text(), QStringLiteral("100.00%"));
        else
            QVERIFY2(together < 100, "the tight set throws some winning numbers away");
    }

    void filterRefusals_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing ticked") << false << "21" << FilterBacktest::kNothingTicked;
        QTest::newRow("a bound that is no number")
            << true << "2x" << QStringLiteral("“红球总和”的下限“2x”不是有效的整数，请重新输入！");
    }
    void filterRefusals()
    {
        QFETCH(bool, ticked);
        QFETCH(QString, lower);
        QFETCH(QString, message);
        FilterSettings filters = defaultFilterSettings();
        filters[Condition::Sum] = {ticked, lower, QStringLiteral("183")};
        BacktestDialog *d = open({}, filters);
        QTest::mouseClick(d->filterRunButton, Qt::LeftButton);
        QCOMPARE(m_messages.shown, QStringList{QStringLiteral("info:") + message});
        QCOMPARE(d->filterTable->rowCount(), 0);
    }

    // The button of the betting tab hands over the current list and the filter rows; it waits
    // while another job runs, as the tab's other job buttons do.
    void bettingTabButton()
    {
        BettingFixture f;
        QPushButton *button = f.find<QPushButton>("backtestButton");
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("历史回测"));
        f.pickRange(7, 1);
        QVERIFY(f.generate());
        f.click("sumCheckBox");
        QSignalSpy requested(&f.tab, &BettingTab::backtestRequested);
        f.click(button);
        QCOMPARE(requested.size(), 1);
        QVERIFY(requested.first().at(0).value<std::shared_ptr<const BetList>>() == f.tab.currentList());
        const FilterSettings handed = requested.first().at(1).value<FilterSettings>();
        QVERIFY(handed[Condition::Sum].ticked);
        QVERIFY(!handed[Condition::Odd].ticked);

        f.click("selectAllRedsButton");
        f.click("selectAllBluesButton");
        f.click("generateButton");
        QVERIFY(f.tab.isBusy());
        QVERIFY(!button->isEnabled());
        for (BackgroundTask *task : f.tab.findChildren<BackgroundTask *>())
            task->cancel();
        QVERIFY(f.waitIdle());
        QVERIFY(button->isEnabled());
    }

    // From the main window: the button opens the dialog over the window's history.
    void openedFromTheBettingTab()
    {
        MainWindowFixture f;
        f.dir.addDraws(5);
        QVERIFY(f.openMain());
        QString title, range;
        BettingFixture::onModal([&](QWidget *modal) {
            title = modal->windowTitle();
            if (auto *d = qobject_cast<BacktestDialog *>(modal))
                range = d->fromBox->currentText() + QLatin1Char('-') + d->toBox->currentText();
            modal->close();
        });
        f.main->findChild<QPushButton *>(QStringLiteral("backtestButton"))->click();
        QCOMPARE(title, QStringLiteral("历史回测"));
        QCOMPARE(range, QStringLiteral("2007001-2007005")); // fewer than 100 draws: all of them
    }
};

QTEST_MAIN(TestBacktestDialog)
#include "tst_backtestdialog.moc"

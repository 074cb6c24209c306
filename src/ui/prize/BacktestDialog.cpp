#include "ui/prize/BacktestDialog.h"

#include "core/history/DrawDatabase.h"
#include "core/history/DrawStore.h"
#include "core/prize/Backtest.h"
#include "core/prize/FilterBacktest.h"
#include "ui/prize/BacktestChart.h"
#include "ui/prize/BacktestTableModel.h"
#include "ui/widgets/BackgroundTask.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/RangeStrip.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kRunning = QStringLiteral("正在进行历史回测...");
constexpr int kMinimumColumnWidth = 62;
const QString kNoBets = QStringLiteral("当前没有投注号码，请先生成投注号码后再回测！");

QPushButton *stripButton(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

BacktestDialog::BacktestDialog(QSqlDatabase db, std::shared_ptr<const BetList> bets, const FilterSettings &filters,
                               const PrizeRules::FortunePeriods &periods, Messages &messages, QWidget *parent)
    : QDialog(parent), m_db(db), m_bets(bets ? std::move(bets) : std::make_shared<const BetList>()), m_filters(filters),
      m_fortunePeriods(periods), m_messages(messages)
{
    setObjectName(QStringLiteral("BacktestDialog"));
    setWindowTitle(QStringLiteral("历史回测"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setModal(true);

    auto *range = new RangeStrip(QStringLiteral("fromBox"), QStringLiteral("toBox"), this);
    fromBox = range->from();
    toBox = range->to();
    auto *close = stripButton(QStringLiteral("退    出"), "closeButton", this);
    auto *strip = new QHBoxLayout;
    strip->addWidget(range);
    strip->addStretch(1);
    strip->addWidget(close);

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("backtestTabs"));
    tabs->addTab(buildBetTab(), QStringLiteral("历史回测"));
    tabs->addTab(buildFilterTab(), QStringLiteral("过滤回测"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(strip);
    layout->addWidget(tabs, 1);
    resize(940, 720);

    const Result<QStringList> numbers = DrawStore::drawNumbers(m_db);
    m_messages.show(this, numbers.outcome);
    fillRangeLists(fromBox, toBox, numbers.value, kDefaultDraws);

    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(runButton, &QPushButton::clicked, this, &BacktestDialog::runBacktest);
    connect(filterRunButton, &QPushButton::clicked, this, &BacktestDialog::runFilterBacktest);
}

BacktestDialog::~BacktestDialog()
{
    delete m_task; // cancels and waits for the worker
}

BackgroundTask *BacktestDialog::task() const
{
    return m_task;
}

QWidget *BacktestDialog::buildBetTab()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("betBacktestPage"));
    runButton = stripButton(QStringLiteral("开始回测"), "runButton", page);
    auto *bets = new QLabel(QStringLiteral("回测投注：共%1注，每期投注%2元")
                                .arg(m_bets->size())
                                .arg(qint64(m_bets->size()) * Game::kBetPriceYuan),
                            page);
    bets->setObjectName(QStringLiteral("betCountLabel"));
    auto *top = new QHBoxLayout;
    top->addWidget(runButton);
    top->addWidget(bets);
    top->addStretch(1);

    m_model = new BacktestTableModel(this);
    grid = new QTableView(page);
    grid->setObjectName(QStringLiteral("backtestGrid"));
    grid->setModel(m_model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(22);
    fitColumns();
    m_chart = new BacktestChart(page);
    m_chart->setMinimumHeight(200);
    auto *split = new QSplitter(Qt::Vertical, page);
    split->setChildrenCollapsible(false);
    split->addWidget(grid);
    split->addWidget(m_chart);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    returnLabel = new QLabel(page);
    returnLabel->setObjectName(QStringLiteral("returnLabel"));
    unknownMoneyLabel = new QLabel(page);
    unknownMoneyLabel->setObjectName(QStringLiteral("unknownMoneyLabel"));
    unknownMoneyLabel->setWordWrap(true);
    unknownMoneyLabel->hide();

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addWidget(unknownMoneyLabel);
    layout->addWidget(returnLabel);
    return page;
}

QWidget *BacktestDialog::buildFilterTab()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("filterBacktestPage"));
    filterRunButton = stripButton(QStringLiteral("开始回测"), "filterRunButton", page);
    auto *note = new QLabel(QStringLiteral("“缩水过滤选号”中勾选的条件及其范围：各期开奖号码能通过的期数"), page);
    auto *top = new QHBoxLayout;
    top->addWidget(filterRunButton);
    top->addWidget(note);
    top->addStretch(1);

    filterTable = new QTableWidget(0, 5, page);
    filterTable->setObjectName(QStringLiteral("filterTable"));
    filterTable->setHorizontalHeaderLabels(FilterBacktest::Table().header());
    filterTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    filterTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    filterTable->verticalHeader()->hide();
    filterTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    filterTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(filterTable, 1);
    return page;
}

void BacktestDialog::runBacktest()
{
    if (m_task)
        return;
    if (m_bets->empty()) {
        m_messages.information(this, kNoBets);
        return;
    }
    const QString historyDir = QFileInfo(DrawDatabase::filePath(m_db)).absolutePath();
    runButton->setEnabled(false);
    m_task = BackgroundTask::start<Backtest::Report>(
        this, kRunning,
        [bets = m_bets, historyDir, from = fromBox->currentText(), to = toBox->currentText(),
         periods = m_fortunePeriods](const ProgressFn &progress) {
            return Backtest::playRangeAt(historyDir, from, to, *bets, periods, progress);
        },
        [this](const Backtest::Report &report) { showReport(report); });
    connect(m_task, &BackgroundTask::finished, this, [this](bool applied) {
        m_task = nullptr; // it deletes itself later; a run may start at once
        runButton->setEnabled(true);
        emit backtestEnded(applied);
    });
}

void BacktestDialog::showReport(const Backtest::Report &report)
{
    // A failed run shows why and leaves the previous result; a cancel shows nothing.
    if (!report.outcome.ok()) {
        m_messages.show(this, report.outcome);
        return;
    }
    m_model->setReport(report);
    fitColumns();
    m_chart->showReport(report);
    const QString legend = BacktestTableModel::unknownMoneyText(report.total);
    unknownMoneyLabel->setText(legend);
    unknownMoneyLabel->setVisible(!legend.isEmpty());
    const QString ratio = report.total.costYuan > 0
                              ? QString::number(100.0 * report.returnRatio(), 'f', 2) + QLatin1Char('%')
                              : QStringLiteral("-");
    returnLabel->setText(QStringLiteral("回报率：%1（%2期，奖金%3元%4，投注%5元）")
                             .arg(ratio)
                             .arg(report.rows.size())
                             .arg(report.total.wonYuan)
                             .arg(report.total.floatingUnknown || report.total.fortuneUnknown ? QStringLiteral("*") : QString())
                             .arg(report.total.costYuan));
}

void BacktestDialog::fitColumns()
{
    // The widest cell of a column is its title, its total (no draw's count or money exceeds the
    // sum, and the totals are bold) or, for the draw and its balls, any row: their texts are all
    // alike. Measuring these three keeps thousands of rows from being measured on every change.
    QFont bold = grid->font();
    bold.setBold(true);
    const QFontMetrics plain(grid->font()), strong(bold);
    const int totals = m_model->totalsRow();
    for (int c = 0; c < BacktestTableModel::ColumnCount; ++c) {
        int width = strong.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString());
        if (m_model->rowCount() > 0)
            width = std::max(width, strong.horizontalAdvance(m_model->index(totals, c).data().toString()));
        if (totals > 0)
            width = std::max(width, plain.horizontalAdvance(m_model->index(0, c).data().toString()));
        grid->setColumnWidth(c, std::max(kMinimumColumnWidth, width + 14));
    }
}

void BacktestDialog::runFilterBacktest()
{
    const Result<FilterBacktest::Table> table =
        FilterBacktest::countRange(m_db, fromBox->currentText(), toBox->currentText(), m_filters);
    if (!m_messages.show(this, table.outcome))
        return;
    const std::vector<QStringList> rows = table.value.rows();
    filterTable->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const bool together = r == int(rows.size()) - 1;
        for (int c = 0; c < rows[std::size_t(r)].size(); ++c) {
            auto *item = new QTableWidgetItem(rows[std::size_t(r)][c]);
            item->setTextAlignment(Qt::AlignVCenter | (c < 2 ? Qt::AlignLeft : Qt::AlignRight));
            if (together) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            filterTable->setItem(r, c, item);
        }
    }
}

#include "ui/bets/BettingTab.h"

#include "core/bets/BetText.h"
#include "core/bets/Export.h"
#include "core/bets/Filters.h"
#include "core/bets/Generation.h"
#include "ui/bets/BetGrid.h"
#include "ui/bets/FilterRows.h"
#include "ui/bets/FilterScrollArea.h"
#include "ui/bets/GuaranteeGroup.h"
#include "ui/bets/MethodGroup.h"
#include "ui/bets/NumberGroupBox.h"
#include "ui/bets/PickerStrip.h"
#include "ui/bets/PrintDialog.h"
#include "ui/bets/BankerPicker.h"
#include "ui/widgets/BackgroundTask.h"
#include "ui/widgets/Messages.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QThreadPool>
#include <QVBoxLayout>

namespace {
const QString kGenerating = QStringLiteral("正在生成投注号码...");
const QString kFiltering = QStringLiteral("正在进行条件过滤...");
const QString kReducing = QStringLiteral("正在进行保号缩水...");
const QString kDeleting = QStringLiteral("正在删除所选记录...");
const QString kExporting = QStringLiteral("正在导出号码...");
// Under the label of every long operation's progress dialog and on the buttons it disables.
const QString kOthersWait = QStringLiteral("完成或取消之前，其他投注操作暂不可用。");
} // namespace

BettingTab::BettingTab(const QString &programDir, PickerStrip *picker, Messages &messages, QWidget *parent)
    : QWidget(parent), m_programDir(programDir), m_picker(picker), m_messages(messages), m_askName(askTextFileName)
{
    setObjectName(QStringLiteral("bettingTab"));
    m_bankerPicker = new BankerPicker(messages, this);
    m_print = new PrintDialog(messages, this);
    m_methods = new MethodGroup(m_bankerPicker, this);
    m_filters = new FilterRows(this);
    m_grid = new BetGrid(this);

    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(90);
        return b;
    };
    generateButton = button("generateButton", QStringLiteral("开始投注"));
    filterButton = button("filterButton", QStringLiteral("条件过滤"));
    exportButton = button("exportButton", QStringLiteral("导出号码"));
    prizeCheckButton = button("prizeCheckButton", QStringLiteral("中奖查询"));
    prizeCheckButton->setEnabled(false);
    backtestButton = button("backtestButton", QStringLiteral("历史回测"));

    auto *left = new QVBoxLayout;
    auto *top = new QHBoxLayout;
    top->addWidget(m_methods, 1);
    top->addWidget(m_filters->advancedGroup());
    left->addLayout(top);
    left->addWidget(m_filters->regularGroup());
    left->addWidget(m_filters->numberGroupBox());
    left->addStretch(1);

    auto *bar = new QHBoxLayout;
    bar->addStretch(1);
    for (QPushButton *b : {generateButton, filterButton, exportButton, prizeCheckButton, backtestButton}) {
        if (b == filterButton) {
            bar->addWidget(m_filters->toleranceLabel());
            bar->addWidget(m_filters->toleranceBox());
        }
        bar->addWidget(b);
    }

    auto *column = new QWidget;
    left->setContentsMargins(0, 0, 0, 0);
    column->setLayout(left);
    auto *body = new QHBoxLayout;
    body->addWidget(new FilterScrollArea(column, m_filters->numberGroupBox(), this), 0);
    m_grid->setMinimumWidth(300);
    body->addWidget(m_grid, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(bar);

    connect(generateButton, &QPushButton::clicked, this, &BettingTab::generate);
    connect(filterButton, &QPushButton::clicked, this, &BettingTab::filter);
    connect(exportButton, &QPushButton::clicked, this, &BettingTab::exportCurrentList);
    connect(prizeCheckButton, &QPushButton::clicked, this, &BettingTab::requestPrizeCheck);
    connect(backtestButton, &QPushButton::clicked, this, &BettingTab::requestBacktest);
    connect(m_grid, &BetGrid::deleteRequested, this, &BettingTab::deleteSelectedBet);
    connect(m_grid, &BetGrid::reduceRequested, this, &BettingTab::reduceByGuarantee);
}

BettingTab::~BettingTab() = default;

void BettingTab::setSaveNameAsker(SaveNameFn asker)
{
    m_askName = asker;
    m_print->setSaveNameAsker(std::move(asker));
}

QStringList BettingTab::currentOutputLines() const
{
    QStringList lines;
    const std::shared_ptr<const BetList> current = currentList();
    lines.reserve(int(current->size()));
    for (const Bet &bet : *current)
        lines << outputLine(bet);
    return lines;
}

void BettingTab::showFirstPage()
{
    m_grid->showFirstPage(currentList());
}

void BettingTab::install(const EngineResult &r)
{
    if (!r.installs())
        return;
    BetLists old = m_engine.lists();
    m_engine.apply(r);
    m_retired.push_back(std::move(old));
}

void BettingTab::releaseRetiredLists()
{
    // Freeing 142 MB takes the system tens of milliseconds: the replaced lists are let go on
    // a worker, once the grid no longer shows them. Moved, never copied, so the last owner
    // is the worker and not a temporary left behind here.
    if (m_retired.empty())
        return;
    std::function<void()> drop = [lists = std::move(m_retired)]() mutable { lists.clear(); };
    m_retired.clear();
    QThreadPool::globalInstance()->start(std::move(drop));
}

void BettingTab::applyListResult(const EngineResult &r)
{
    install(r);
    if (m_messages.show(this, r.outcome) && r.installs())
        showFirstPage();
}

void BettingTab::generate()
{
    if (m_busy)
        return;
    GenerationRequest request;
    request.method = m_methods->method();
    request.guaranteeN = m_methods->guarantee()->guaranteeN();
    request.bankerText = m_methods->bankerText();
    request.wheelTypeIndex = m_methods->wheelTypeIndex();
    request.programDir = m_programDir;
    runLong<EngineResult>(
        kGenerating,
        [reds = m_picker->redSelection(), blues = m_picker->blueSelection(), request](const ProgressFn &progress) {
            return listsAfterGeneration(reds, blues, request, progress);
        },
        [this](const EngineResult &r) {
            // A generation that ran to its end replaces both lists, even when refused, and
            // leaves the page selector disarmed until the next page 1.
            m_grid->disarmPageSelector();
            install(r);
            if (!r.warning.isEmpty())
                m_messages.information(this, r.warning);
            if (!m_messages.show(this, r.outcome))
                return; // the grid keeps its old page
            m_prizeCheckReady = true;
            showFirstPage();
        });
}

void BettingTab::filter()
{
    if (m_busy)
        return;
    runLong<EngineResult>(
        kFiltering,
        [from = m_engine.lists(), method = m_methods->method(), settings = m_filters->settings()](
            const ProgressFn &progress) { return listsAfterFilter(from, method, settings, progress); },
        [this](const EngineResult &r) { applyListResult(r); });
}

void BettingTab::reduceByGuarantee(int n)
{
    if (m_busy)
        return;
    runLong<EngineResult>(
        kReducing, [from = m_engine.lists(), n](const ProgressFn &progress) { return listsAfterReduction(from, n, progress); },
        [this](const EngineResult &r) { applyListResult(r); });
}

void BettingTab::deleteSelectedBet()
{
    if (m_busy || !m_messages.question(this, MessageTexts::deleteSelected) || currentList()->empty())
        return;
    const qint64 b = m_grid->selectedBet();
    runLong<EngineResult>(
        kDeleting, [from = m_engine.lists(), b](const ProgressFn &) { return listsAfterDeletion(from, b); },
        [this](const EngineResult &r) {
            install(r);
            showFirstPage(); // page 1, whatever was shown and whether or not b named a bet
        });
}

void BettingTab::exportCurrentList()
{
    if (m_busy)
        return;
    const std::shared_ptr<const BetList> current = currentList();
    if (current->size() <= kDirectExportLimit) {
        QString text;
        text.reserve(int(current->size()) * (kOutputLineLength + 1));
        char line[kOutputLineLength];
        for (const Bet &bet : *current) {
            formatOutputLine(bet, line);
            text += QLatin1String(line, kOutputLineLength);
            text += QLatin1Char('\n');
        }
        m_print->setLines(text);
        m_print->exec();
        return;
    }
    // Millions of lines do not belong in a text box: they go straight to the file.
    const QString chosen = m_askName(this);
    if (chosen.isEmpty())
        return;
    const QString path = withTxtSuffix(chosen);
    runLong<Outcome>(
        kExporting, [current, path](const ProgressFn &progress) { return exportBets(path, *current, progress); },
        [this, path](const Outcome &o) {
            if (m_messages.show(this, o))
                m_messages.information(this, kSavedMessage + path);
        });
}

void BettingTab::requestPrizeCheck()
{
    emit prizeCheckRequested(currentList());
}

void BettingTab::requestBacktest()
{
    if (!m_busy)
        emit backtestRequested(currentList(), m_filters->settings());
}

void BettingTab::setJobControlsEnabled(bool enabled)
{
    const QString why = enabled ? QString() : kOthersWait;
    for (QPushButton *b : {generateButton, filterButton, exportButton, prizeCheckButton, backtestButton}) {
        b->setEnabled(enabled);
        b->setToolTip(why);
    }
    prizeCheckButton->setEnabled(enabled && m_prizeCheckReady);
    for (QAction *a : {m_grid->deleteAction, m_grid->reduceBy5Action, m_grid->reduceBy4Action, m_grid->reduceBy3Action})
        a->setEnabled(enabled);
}

template <class Result, class Compute, class Apply>
void BettingTab::runLong(const QString &label, Compute compute, Apply apply)
{
    m_busy = true;
    setJobControlsEnabled(false);
    BackgroundTask *task = BackgroundTask::start<Result>(this, label + QLatin1Char('\n') + kOthersWait,
                                                         std::move(compute), std::move(apply));
    connect(task, &BackgroundTask::finished, this, [this] {
        m_busy = false;
        setJobControlsEnabled(true);
        releaseRetiredLists();
        emit operationFinished();
    });
}

#include "ui/bets/BettingTab.h"

#include "core/bets/BetText.h"
#include "core/bets/Export.h"
#include "core/bets/Filters.h"
#include "core/bets/Generation.h"
#include "core/bets/Guarantee.h"
#include "core/bets/Paging.h"
#include "ui/bets/BetGrid.h"
#include "ui/bets/FilterRows.h"
#include "ui/bets/GuaranteeGroup.h"
#include "ui/bets/MethodGroup.h"
#include "ui/bets/PickerStrip.h"
#include "ui/bets/TFrm_Print.h"
#include "ui/bets/TFrm_SelectNumber.h"
#include "ui/widgets/Messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

struct BettingTab::ListResult {
    Outcome outcome;
    std::shared_ptr<const BetList> list; // the new list; empty for a refusal that makes none
};

namespace {
const QString kGenerating = QStringLiteral("正在生成投注号码...");
const QString kFiltering = QStringLiteral("正在进行条件过滤...");
const QString kReducing = QStringLiteral("正在进行保号缩水...");
const QString kDeleting = QStringLiteral("正在删除所选记录...");
const QString kExporting = QStringLiteral("正在导出号码...");
const QString kDeleteQuestion = QStringLiteral("准备删除所选记录数据，是否继续！");
} // namespace

BettingTab::BettingTab(const QString &programDir, PickerStrip *picker, Messages &messages, QWidget *parent)
    : QWidget(parent), m_programDir(programDir), m_picker(picker), m_messages(messages), m_askName(askTextFileName),
      m_generated(std::make_shared<const BetList>()), m_current(m_generated)
{
    setObjectName(QStringLiteral("bettingTab"));
    m_bankerPicker = new TFrm_SelectNumber(messages, this);
    m_print = new TFrm_Print(messages, this);
    m_methods = new MethodGroup(m_bankerPicker, this);
    m_filters = new FilterRows(this);
    m_grid = new BetGrid(this);

    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(90);
        return b;
    };
    SeSkinButton4 = button("SeSkinButton4", QStringLiteral("开始投注"));
    SeSkinButton18 = button("SeSkinButton18", QStringLiteral("条件过滤"));
    SeSkinButton10 = button("SeSkinButton10", QStringLiteral("导出号码"));
    SeSkinButton14 = button("SeSkinButton14", QStringLiteral("中奖查询"));
    SeSkinButton14->setEnabled(false);

    auto *left = new QVBoxLayout;
    auto *top = new QHBoxLayout;
    top->addWidget(m_methods, 1);
    top->addWidget(m_filters->advancedGroup());
    left->addLayout(top);
    left->addWidget(m_filters->regularGroup());
    left->addStretch(1);

    auto *bar = new QHBoxLayout;
    bar->addStretch(1);
    for (QPushButton *b : {SeSkinButton4, SeSkinButton18, SeSkinButton10, SeSkinButton14})
        bar->addWidget(b);

    auto *body = new QHBoxLayout;
    body->addLayout(left, 0);
    m_grid->setMinimumWidth(300);
    body->addWidget(m_grid, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(bar);

    connect(SeSkinButton4, &QPushButton::clicked, this, &BettingTab::SeSkinButton4Click);
    connect(SeSkinButton18, &QPushButton::clicked, this, &BettingTab::SeSkinButton18Click);
    connect(SeSkinButton10, &QPushButton::clicked, this, &BettingTab::SeSkinButton10Click);
    connect(SeSkinButton14, &QPushButton::clicked, this, &BettingTab::SeSkinButton14Click);
    connect(m_grid, &BetGrid::deleteRequested, this, &BettingTab::N27Click);
    connect(m_grid, &BetGrid::reduceRequested, this, &BettingTab::reduce);
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
    lines.reserve(int(m_current->size()));
    for (const Bet &bet : *m_current)
        lines << OutputLine(bet);
    return lines;
}

void BettingTab::showFirstPage()
{
    m_grid->ShowFirstBetPage(m_current);
}

void BettingTab::SeSkinButton4Click()
{
    const Candidates candidates =
        CollectCandidates(m_picker->redSelection(), m_picker->blueSelection(), m_methods->method());
    if (!candidates.message.isEmpty())
        m_messages.information(this, candidates.message);
    GenerationRequest request;
    request.method = m_methods->method();
    request.guaranteeN = m_methods->guarantee()->guaranteeN();
    request.bankerText = m_methods->bankerText();
    request.wheelTypeIndex = m_methods->wheelTypeIndex();
    request.programDir = m_programDir;
    runListJob(
        kGenerating,
        [request, candidates](const ProgressFn &progress) {
            GenerationResult g = GenerateBets(request, candidates, progress);
            ListResult r;
            r.outcome = g.outcome;
            r.list = std::make_shared<const BetList>(std::move(g.bets));
            return r;
        },
        [this](ListResult &r) {
            // A generation that ran to its end replaces both lists, even when refused.
            m_grid->disarmPageSelector();
            m_generated = r.outcome.ok() ? r.list : std::make_shared<const BetList>();
            m_current = m_generated;
            if (!m_messages.show(this, r.outcome))
                return; // the grid keeps its old page
            SeSkinButton14->setEnabled(true);
            showFirstPage();
        });
}

void BettingTab::SeSkinButton18Click()
{
    if (m_methods->method() == BetMethod::Wheel) {
        m_messages.information(this, kWheelFilterMessage);
        return;
    }
    FilterBounds bounds;
    // Every ticked bound is read before the pass: a bad one leaves the current list as it was.
    if (!m_messages.show(this, parseFilterBounds(m_filters->settings(), bounds)))
        return;
    if (std::none_of(bounds.on.begin(), bounds.on.end(), [](bool on) { return on; })) {
        m_current = m_generated;
        showFirstPage();
        return;
    }
    std::shared_ptr<const BetList> source = m_generated;
    runListJob(
        kFiltering,
        [source, bounds](const ProgressFn &progress) {
            ListResult r;
            BetListResult kept = FilterBets(*source, bounds, progress);
            r.outcome = kept.outcome;
            if (kept.outcome.ok())
                r.list = std::make_shared<const BetList>(std::move(kept.bets));
            return r;
        },
        [this](ListResult &r) {
            m_current = r.list;
            showFirstPage();
        });
}

void BettingTab::reduce(int n)
{
    std::shared_ptr<const BetList> source = m_current;
    runListJob(
        kReducing,
        [source, n](const ProgressFn &progress) {
            ListResult r;
            BetListResult kept = ReduceByGuarantee(*source, n, progress);
            r.outcome = kept.outcome;
            if (kept.outcome.ok())
                r.list = std::make_shared<const BetList>(std::move(kept.bets));
            return r;
        },
        [this](ListResult &r) {
            m_current = r.list;
            showFirstPage();
        });
}

void BettingTab::N27Click()
{
    if (!m_messages.question(this, kDeleteQuestion) || m_current->empty())
        return;
    const qint64 b = m_grid->selectedBet();
    std::shared_ptr<const BetList> source = m_current;
    runListJob(
        kDeleting,
        [source, b](const ProgressFn &) {
            // The generated list may share this storage: the deletion works on a copy.
            auto copy = std::make_shared<BetList>(*source);
            DeleteBet(*copy, b);
            ListResult r;
            r.list = std::move(copy);
            return r;
        },
        [this](ListResult &r) {
            m_current = r.list;
            showFirstPage();
        });
}

void BettingTab::SeSkinButton10Click()
{
    if (m_current->size() <= kDirectExportLimit) {
        QString text;
        text.reserve(int(m_current->size()) * (kOutputLineLength + 1));
        char line[kOutputLineLength];
        for (const Bet &bet : *m_current) {
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
    std::shared_ptr<const BetList> source = m_current;
    runListJob(
        kExporting,
        [source, path](const ProgressFn &progress) {
            ListResult r;
            r.outcome = ExportBets(path, *source, progress);
            return r;
        },
        [this, path](ListResult &r) {
            if (m_messages.show(this, r.outcome))
                m_messages.information(this, kSavedMessage + path);
        });
}

void BettingTab::SeSkinButton14Click()
{
    emit prizeCheckRequested(m_current);
}

void BettingTab::runListJob(const QString &label,
                            std::function<ListResult(const std::function<bool(qint64, qint64)> &)> job,
                            std::function<void(ListResult &)> apply)
{
    Q_UNUSED(label);
    ListResult r = job({});
    if (!r.outcome.isCancelled())
        apply(r);
    emit operationFinished();
}

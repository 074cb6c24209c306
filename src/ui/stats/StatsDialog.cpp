#include "ui/stats/StatsDialog.h"

#include "core/Outcome.h"
#include "core/history/DrawStore.h"
#include "ui/stats/StatsGridView.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/RangeStrip.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <climits>

StatsDialog::StatsDialog(QSqlDatabase db, Messages &messages, int drawCount, const Options &options, QWidget *parent)
    : QDialog(parent), m_db(db), m_messages(messages), m_drawCount(drawCount), m_options(options)
{
    setWindowTitle(options.caption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    auto *layout = new QVBoxLayout(this);
    m_strip = new QHBoxLayout;
    layout->addLayout(m_strip);
    m_body = new QVBoxLayout;
    layout->addLayout(m_body, 1);

    auto *range = new RangeStrip(QStringLiteral("cmb1"), QStringLiteral("cmb2"), this);
    cmb1 = range->from();
    cmb2 = range->to();
    m_strip->addWidget(range);
    m_run = new QPushButton(QStringLiteral("确    定"), this);
    m_run->setObjectName(QStringLiteral("runButton"));
    m_run->setAutoDefault(false);
    m_strip->addWidget(m_run);
    m_strip->addStretch(1);
    if (!options.mainWindowButton.isEmpty()) {
        QPushButton *toMain = new QPushButton(options.mainWindowButton, this);
        toMain->setObjectName(QStringLiteral("mainWindowButton"));
        toMain->setAutoDefault(false);
        m_strip->addWidget(toMain);
        connect(toMain, &QPushButton::clicked, this, &StatsDialog::bringMainWindowToFront);
    }
    auto *close = new QPushButton(QStringLiteral("退    出"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);
    m_strip->addWidget(close);
    m_rightButtons = m_strip->count() - (options.mainWindowButton.isEmpty() ? 1 : 2);
    connect(m_run, &QPushButton::clicked, this, &StatsDialog::run);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

QPushButton *StatsDialog::addStripButton(const QString &text, const QString &name)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    m_strip->insertWidget(m_rightButtons++, button);
    return button;
}

StatsGridView *StatsDialog::addRecordGrid(StatsTableModel *model, int titleLevels)
{
    auto *grid = new StatsGridView(model, titleLevels, false, this);
    grid->setObjectName(QStringLiteral("DBGridEh1"));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->applyColumnWidths();
    m_body->addWidget(grid, 1);
    return grid;
}

void StatsDialog::run()
{
    runRange(cmb1->currentText(), cmb2->currentText());
}

void StatsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    fillRanges();
    prepare();
    if (m_options.runOnShow)
        run();
}

void StatsDialog::fillRanges()
{
    // The default range holds D + 1 draws, or the whole history for the five elements.
    const int n = m_options.start == DefaultStart::FirstDraw ? INT_MAX : m_drawCount + 1;
    const Result<QStringList> numbers = DrawStore::drawNumbers(m_db);
    m_messages.show(this, numbers.outcome);
    fillRangeLists(cmb1, cmb2, numbers.value, n);
}

void StatsDialog::bringMainWindowToFront()
{
    if (QWidget *main = parentWidget()) {
        main->show();
        main->raise();
        main->activateWindow();
    }
}

bool StatsDialog::showOutcome(const Outcome &outcome)
{
    return m_messages.show(this, outcome);
}

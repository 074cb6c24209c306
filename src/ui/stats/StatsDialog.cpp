#include "ui/stats/StatsDialog.h"

#include "core/Outcome.h"
#include "core/history/DrawStore.h"
#include "ui/stats/StatsGridView.h"
#include "ui/stats/StatsTableModel.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/RangeStrip.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <climits>

StatsDialog::StatsDialog(QSqlDatabase db, Messages &messages, int drawCount, const Options &options, QWidget *parent)
    : QDialog(parent), m_db(db), m_messages(messages), m_drawCount(drawCount), m_options(options),
      m_model(new StatsTableModel(this))
{
    setObjectName(options.objectName);
    setWindowTitle(options.caption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    auto *layout = new QVBoxLayout(this);
    m_strip = new QHBoxLayout;
    layout->addLayout(m_strip);
    m_body = new QVBoxLayout;
    layout->addLayout(m_body, 1);

    auto *range = new RangeStrip(QStringLiteral("fromBox"), QStringLiteral("toBox"), this);
    fromBox = range->from();
    toBox = range->to();
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

StatsTable StatsDialog::titledTable(const QVector<StatsQuery::FieldColumn> &columns)
{
    StatsTable table;
    for (const auto &c : columns)
        table.titles.append(c.title);
    return table;
}

StatsGridView *StatsDialog::addRecordGrid(int titleLevels, const QVector<StatsQuery::FieldColumn> &columns)
{
    m_model->setTable(titledTable(columns));
    m_grid = new StatsGridView(m_model, titleLevels, false, this);
    m_grid->setObjectName(QStringLiteral("recordGrid"));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_body->addWidget(m_grid, 1);
    return m_grid;
}

StatsGridView *StatsDialog::addChartGrid(const StatsTable &emptyTable)
{
    m_model->setTable(emptyTable);
    m_grid = new StatsGridView(m_model, 1, true, this);
    m_grid->setObjectName(QStringLiteral("chartGrid"));
    m_body->addWidget(m_grid, 1);
    return m_grid;
}

void StatsDialog::runRange(const QString &from, const QString &to)
{
    const StatsResult result = m_options.compute(m_db, from, to);
    if (!result.outcome.ok())
        showOutcome(result.outcome);
    m_model->setTable(result.table);
}

void StatsDialog::run()
{
    runRange(fromBox->currentText(), toBox->currentText());
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
    fillRangeLists(fromBox, toBox, numbers.value, n);
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

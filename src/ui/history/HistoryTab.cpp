#include "ui/history/HistoryTab.h"

#include "core/Game.h"
#include "core/history/DrawStore.h"
#include "ui/history/HistoryColumns.h"
#include "ui/history/HistoryGridModel.h"
#include "ui/history/HistoryGridView.h"
#include "ui/widgets/FooterRow.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/RangeStrip.h"
#include "ui/widgets/Colours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQueryModel>
#include <QVBoxLayout>

namespace {
const QString kDraw = QStringLiteral("画线");
const QString kStopDrawing = QStringLiteral("取消画线");
} // namespace

HistoryTab::HistoryTab(QSqlDatabase db, Messages &messages, QWidget *parent)
    : QWidget(parent), m_db(db), m_messages(messages)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);

    auto *toolRow = new QWidget(this);
    toolRow->setFixedHeight(32);
    auto *tools = new QHBoxLayout(toolRow);
    tools->setContentsMargins(0, 0, 0, 0);
    auto *range = new RangeStrip(QStringLiteral("rangeStartBox"), QStringLiteral("rangeEndBox"), toolRow);
    m_rangeStart = range->from();
    m_rangeEnd = range->to();
    tools->addWidget(range);
    auto button = [&](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, toolRow);
        b->setObjectName(QString::fromLatin1(name));
        tools->addWidget(b);
        return b;
    };
    QPushButton *apply = button("applyButton", QStringLiteral("确定"));
    QPushButton *remove = button("deleteRowButton", QStringLiteral("删除选中行"));
    QPushButton *frequency = button("frequencyButton", QStringLiteral("频率统计"));
    m_drawButton = button("drawLinesButton", kDraw);
    m_descending = new QCheckBox(QStringLiteral("降序排列"), toolRow);
    m_descending->setObjectName(QStringLiteral("descendingBox"));
    tools->addWidget(m_descending);
    tools->addStretch(1);
    layout->addWidget(toolRow);

    m_rowsModel = new QSqlQueryModel(this);
    m_rowsModel->setObjectName(QStringLiteral("historyRowsModel"));
    m_gridModel = new HistoryGridModel(m_rowsModel, this);
    m_gridModel->setDetailsSource(m_db);
    m_grid = new HistoryGridView(m_gridModel, this);
    // The sideways scroll bar goes under the footer, as in a grid with a footer row.
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_grid, 1);
    m_footer = new FooterRow(m_grid, 1, this);
    m_footer->setObjectName(QStringLiteral("footer"));
    m_footer->setBackground(Colours::historyFooter);
    layout->addWidget(m_footer);
    auto *sideways = new QScrollBar(Qt::Horizontal, this);
    QScrollBar *inner = m_grid->horizontalScrollBar();
    connect(inner, &QScrollBar::rangeChanged, sideways, [sideways, inner](int min, int max) {
        sideways->setRange(min, max);
        sideways->setPageStep(inner->pageStep());
        sideways->setSingleStep(inner->singleStep());
        sideways->setVisible(max > min);
    });
    connect(inner, &QScrollBar::valueChanged, sideways, &QScrollBar::setValue);
    connect(sideways, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
    sideways->setVisible(false);
    layout->addWidget(sideways);

    connect(apply, &QPushButton::clicked, this, &HistoryTab::applyRange);
    connect(remove, &QPushButton::clicked, this, &HistoryTab::deleteCurrentDraw);
    connect(frequency, &QPushButton::clicked, this, &HistoryTab::countFrequencies);
    connect(m_drawButton, &QPushButton::clicked, this, &HistoryTab::toggleDrawing);
    connect(m_descending, &QCheckBox::clicked, this, &HistoryTab::listWholeHistory);
}

void HistoryTab::fillRanges(const QStringList &numbers, int n)
{
    fillRangeLists(m_rangeStart, m_rangeEnd, numbers, n);
}

void HistoryTab::setBallColumnWidths(int redWidth, int blueWidth)
{
    m_grid->setBallColumnWidths(redWidth, blueWidth);
}

bool HistoryTab::showStatement(const HistoryStatement &statement)
{
    m_current = statement;
    HistoryQuery::Rows rows = HistoryQuery::run(m_db, statement);
    if (!rows.outcome.ok()) {
        m_rowsModel->clear();
        m_messages.show(this, rows.outcome);
        return false;
    }
    m_rowsModel->setQuery(std::move(rows.query));
    return true;
}

void HistoryTab::applyRange()
{
    showStatement(HistoryQuery::range(m_rangeStart->currentText(), m_rangeEnd->currentText()));
}

void HistoryTab::listWholeHistory()
{
    showStatement(HistoryQuery::wholeHistory(m_descending->isChecked()));
}

void HistoryTab::deleteCurrentDraw()
{
    if (!m_messages.question(this, MessageTexts::deleteSelected))
        return;
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row();
    const QString qishu = m_gridModel->index(row, 0).data().toString();
    if (!m_messages.show(this, DrawStore::deleteDraw(m_db, qishu)))
        return;
    // The grid moves on to the neighbouring row.
    showStatement(m_current);
    while (row >= m_gridModel->rowCount() && m_gridModel->canFetchMore(QModelIndex()))
        m_gridModel->fetchMore(QModelIndex());
    const int rows = m_gridModel->rowCount();
    if (rows > 0)
        m_grid->setCurrentIndex(m_gridModel->index(std::min(row, rows - 1), std::max(0, current.column())));
}

void HistoryTab::clearAllDraws()
{
    if (!m_messages.question(this, QStringLiteral("准备删除数据库中所有记录数据，是否继续！")))
        return;
    if (!m_messages.show(this, DrawStore::clearAllDraws(m_db)))
        return;
    showStatement(m_current);
}

void HistoryTab::countFrequencies()
{
    m_footer->setText(0, QStringLiteral("频率"));
    const HistoryQuery::FrequencyCounts f =
        HistoryQuery::frequencyCounts(m_db, m_rangeStart->currentText(), m_rangeEnd->currentText());
    for (int i = 0; i < f.counts.size(); ++i) {
        const bool red = i < Game::kRedBalls;
        const int column = red ? historyBallColumn(HistoryColumn::RedBall, i + 1)
                               : historyBallColumn(HistoryColumn::BlueBall, i + 1 - Game::kRedBalls);
        m_footer->setText(column, QString::number(f.counts[i]));
    }
    m_messages.show(this, f.outcome);
}

void HistoryTab::toggleDrawing()
{
    const bool start = m_drawButton->text() == kDraw;
    m_grid->setDrawingMode(start);
    m_drawButton->setText(start ? kStopDrawing : kDraw);
}

void HistoryTab::drawsAdded(const QStringList &qishus)
{
    m_rangeEnd->addItems(qishus);
    m_rangeEnd->setCurrentIndex(m_rangeEnd->count() - 1);
    if (!showStatement(HistoryQuery::range(m_rangeStart->currentText(), m_rangeEnd->currentText())))
        return;
    // The newest draw is the range's last row; bring it into view instead of leaving it below.
    while (m_gridModel->canFetchMore(QModelIndex()))
        m_gridModel->fetchMore(QModelIndex());
    m_grid->scrollToLastRow();
}

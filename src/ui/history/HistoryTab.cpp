#include "ui/history/HistoryTab.h"

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
    auto *range = new RangeStrip(QStringLiteral("cmb1"), QStringLiteral("cmb2"), toolRow);
    cmb1 = range->from();
    cmb2 = range->to();
    tools->addWidget(range);
    auto button = [&](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, toolRow);
        b->setObjectName(QString::fromLatin1(name));
        tools->addWidget(b);
        return b;
    };
    QPushButton *apply = button("btnApply", QStringLiteral("确定"));
    QPushButton *remove = button("btnDeleteRow", QStringLiteral("删除选中行"));
    QPushButton *frequency = button("btnFrequency", QStringLiteral("频率统计"));
    m_drawButton = button("btnDrawLines", kDraw);
    m_descending = new QCheckBox(QStringLiteral("降序排列"), toolRow);
    m_descending->setObjectName(QStringLiteral("chkDescending"));
    tools->addWidget(m_descending);
    tools->addStretch(1);
    layout->addWidget(toolRow);

    historyQuery = new QSqlQueryModel(this);
    historyQuery->setObjectName(QStringLiteral("historyQuery"));
    m_gridModel = new HistoryGridModel(historyQuery, this);
    DBGridEh3 = new HistoryGridView(m_gridModel, this);
    // The sideways scroll bar goes under the footer, as in a grid with a footer row.
    DBGridEh3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(DBGridEh3, 1);
    m_footer = new FooterRow(DBGridEh3, 1, this);
    m_footer->setObjectName(QStringLiteral("footer"));
    m_footer->setBackground(Colours::historyFooter);
    layout->addWidget(m_footer);
    auto *sideways = new QScrollBar(Qt::Horizontal, this);
    QScrollBar *inner = DBGridEh3->horizontalScrollBar();
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
    fillRangeLists(cmb1, cmb2, numbers, n);
}

void HistoryTab::setBallColumnWidths(int redWidth, int blueWidth)
{
    DBGridEh3->setBallColumnWidths(redWidth, blueWidth);
}

bool HistoryTab::showStatement(const HistoryStatement &statement)
{
    m_current = statement;
    HistoryQuery::Rows rows = HistoryQuery::run(m_db, statement);
    if (!rows.outcome.ok()) {
        historyQuery->clear();
        m_messages.show(this, rows.outcome);
        return false;
    }
    historyQuery->setQuery(std::move(rows.query));
    return true;
}

void HistoryTab::applyRange()
{
    showStatement(HistoryQuery::range(cmb1->currentText(), cmb2->currentText()));
}

void HistoryTab::listWholeHistory()
{
    showStatement(HistoryQuery::wholeHistory(m_descending->isChecked()));
}

void HistoryTab::deleteCurrentDraw()
{
    if (!m_messages.question(this, QStringLiteral("准备删除所选记录数据，是否继续！")))
        return;
    const QModelIndex current = DBGridEh3->currentIndex();
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
        DBGridEh3->setCurrentIndex(m_gridModel->index(std::min(row, rows - 1), std::max(0, current.column())));
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
        HistoryQuery::frequencyCounts(m_db, cmb1->currentText(), cmb2->currentText());
    for (int i = 0; i < f.counts.size(); ++i) {
        const bool red = i < HistoryQuery::kRedBalls;
        const int column = red ? historyBallColumn(HistoryColumn::RedBall, i + 1)
                               : historyBallColumn(HistoryColumn::BlueBall, i + 1 - HistoryQuery::kRedBalls);
        m_footer->setText(column, QString::number(f.counts[i]));
    }
    m_messages.show(this, f.outcome);
}

void HistoryTab::toggleDrawing()
{
    const bool start = m_drawButton->text() == kDraw;
    DBGridEh3->setDrawingMode(start);
    m_drawButton->setText(start ? kStopDrawing : kDraw);
}

void HistoryTab::drawsAdded(const QStringList &qishus)
{
    cmb2->addItems(qishus);
    cmb2->setCurrentIndex(cmb2->count() - 1);
    if (!showStatement(HistoryQuery::range(cmb1->currentText(), cmb2->currentText())))
        return;
    // The newest draw is the range's last row; bring it into view instead of leaving it below.
    while (m_gridModel->canFetchMore(QModelIndex()))
        m_gridModel->fetchMore(QModelIndex());
    DBGridEh3->scrollToLastRow();
}

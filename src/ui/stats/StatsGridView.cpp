#include "ui/stats/StatsGridView.h"

#include "ui/stats/StatsTableModel.h"
#include "ui/widgets/FrozenColumn.h"
#include "ui/widgets/GroupedHeaderView.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Paints a cell edge to edge in the model's colours and puts the text at the model's offset:
// centred on the cell's middle, or from the left edge, always a few pixels below the top.
class StatsCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QVariant background = index.data(Qt::BackgroundRole);
        const QVariant foreground = index.data(Qt::ForegroundRole);
        const QVariant font = index.data(Qt::FontRole);
        const QPoint offset = index.data(StatsTableModel::TextOffsetRole).toPoint();
        painter->save();
        painter->fillRect(option.rect, background.isValid() ? background.value<QColor>()
                                                             : option.palette.color(QPalette::Base));
        if (option.state & QStyle::State_Selected) {
            QColor highlight = option.palette.color(QPalette::Highlight);
            highlight.setAlpha(70);
            painter->fillRect(option.rect, highlight);
        }
        painter->setFont(font.isValid() ? font.value<QFont>().resolve(option.font) : option.font);
        painter->setPen(foreground.isValid() ? foreground.value<QColor>() : QColor(Qt::black));
        const QRect r = option.rect;
        const QRect textRect = offset.x() < 0 ? QRect(r.left(), r.top() + offset.y(), r.width(), r.height())
                                              : QRect(r.left() + offset.x(), r.top() + offset.y(),
                                                      r.width() - offset.x(), r.height());
        const int align = (offset.x() < 0 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
        painter->setClipRect(r);
        painter->drawText(textRect, align, index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

} // namespace

StatsGridView::StatsGridView(StatsTableModel *model, int titleLevels, bool frozenFirstColumn, QWidget *parent)
    : QTableView(parent), m_model(model)
{
    setHorizontalHeader(new GroupedHeaderView(StatsTableModel::TitleLevelsRole, titleLevels, this));
    setModel(model);
    setItemDelegate(new StatsCellDelegate(this));
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The grids' own font: 12 pixels, as their column widths are counted in pixels.
    QFont gridFont = font();
    gridFont.setPixelSize(12);
    setFont(gridFont);
    horizontalHeader()->setFont(gridFont);
    setRowHeight(QFontMetrics(gridFont).height() + 8);
    connect(model, &QAbstractItemModel::modelReset, this, &StatsGridView::applyColumnWidths);

    if (!frozenFirstColumn)
        return;
    // The fixed first column: a second view over the same model laid over column 0.
    m_frozen = createFrozenColumn(this, StatsTableModel::TitleLevelsRole, titleLevels);
    applyColumnWidths();
}

void StatsGridView::setRowHeight(int pixels)
{
    verticalHeader()->setDefaultSectionSize(pixels);
    if (m_frozen)
        m_frozen->verticalHeader()->setDefaultSectionSize(pixels);
}

void StatsGridView::applyColumnWidths()
{
    const auto &looks = m_model->columnLooks();
    for (int c = 0; c < m_model->columnCount(); ++c)
        setColumnWidth(c, looks.value(c).width);
    // The draw number must show whole whatever the font's digits measure.
    if (m_model->columnCount() > 0)
        setColumnWidth(0, std::max(looks.value(0).width,
                                   fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 6));
    if (m_frozen) {
        for (int c = 1; c < m_model->columnCount(); ++c)
            m_frozen->setColumnHidden(c, true);
        m_frozen->setColumnWidth(0, columnWidth(0));
    }
    placeFrozen();
}

void StatsGridView::placeFrozen()
{
    if (!m_frozen)
        return;
    m_frozen->setGeometry(frameWidth(), frameWidth(), columnWidth(0),
                          viewport()->height() + horizontalHeader()->height());
}

void StatsGridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    placeFrozen();
}

void StatsGridView::updateGeometries()
{
    QTableView::updateGeometries();
    placeFrozen();
}

void StatsGridView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    // Never scroll a cell in under the frozen column.
    if (!m_frozen || index.column() > 0) {
        QTableView::scrollTo(index, hint);
        return;
    }
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(sideways);
}

#include "ui/stats/StatsGridView.h"

#include "ui/stats/StatsTableModel.h"
#include "ui/widgets/Colours.h"

#include <QHeaderView>
#include <QPainter>
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
        // A text the window does not colour is the palette's, unless that is lost on the cell's colour.
        const QColor paletteText = option.palette.color(QPalette::Text);
        painter->setPen(foreground.isValid()   ? foreground.value<QColor>()
                        : background.isValid() ? Colours::readableOn(background.value<QColor>(), paletteText)
                                               : paletteText);
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
    : FrozenColumnView(StatsTableModel::TitleLevelsRole, titleLevels, parent), m_model(model)
{
    setModel(model);
    setItemDelegate(new StatsCellDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The grids' own font: 12 pixels, as their column widths are counted in pixels.
    QFont gridFont = font();
    gridFont.setPixelSize(12);
    setGridFont(gridFont);
    setDefaultRowHeight(QFontMetrics(gridFont).height() + 8);
    connect(model, &QAbstractItemModel::modelReset, this, &StatsGridView::applyColumnWidths);
    applyColumnWidths();
    // The string grids' fixed column.
    if (frozenFirstColumn)
        freezeFirstColumn();
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
}

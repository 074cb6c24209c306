#include "ui/history/HistoryGridView.h"

#include "ui/history/HistoryColumns.h"
#include "ui/history/HistoryGridModel.h"
#include "ui/widgets/Colours.h"
#include "ui/widgets/LineOverlay.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Every cell is painted edge to edge, centred, so the narrow columns keep their
// digits; a ball cell that holds a number is filled red with the number in white.
class GridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QString text = index.data().toString();
        const bool ball = isBallColumn(historyColumns().at(index.column()));
        const bool selected = option.state & QStyle::State_Selected;
        QColor background, foreground = option.palette.color(QPalette::Text);
        if (ball && !text.isEmpty()) {
            background = Colours::red;
            foreground = Colours::textOnBall;
        } else if (selected) {
            background = option.palette.color(QPalette::Highlight);
            foreground = option.palette.color(QPalette::HighlightedText);
        } else {
            const QVariant b = index.data(Qt::BackgroundRole);
            background = b.isValid() ? b.value<QColor>() : option.palette.color(QPalette::Base);
            // The zones' fixed colours and the draw number's caption colour may not suit the palette's text.
            foreground = Colours::readableOn(background, foreground);
        }
        painter->save();
        painter->fillRect(option.rect, background);
        const QVariant font = index.data(Qt::FontRole);
        if (font.isValid())
            painter->setFont(font.value<QFont>().resolve(option.font));
        painter->setPen(foreground);
        painter->drawText(option.rect, Qt::AlignCenter, text);
        painter->restore();
    }
};

// The row indicator: a small arrow at the current row.
class RowIndicator : public QHeaderView {
public:
    explicit RowIndicator(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
    {
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
        setFixedWidth(12);
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        const auto *view = qobject_cast<const QAbstractItemView *>(parentWidget());
        if (!view || view->currentIndex().row() != logicalIndex)
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setBrush(palette().color(QPalette::ButtonText));
        painter->setPen(Qt::NoPen);
        const QPoint c = rect.center();
        painter->drawPolygon(QPolygon({c + QPoint(-2, -4), c + QPoint(-2, 4), c + QPoint(3, 0)}));
        painter->restore();
    }
};

} // namespace

HistoryGridView::HistoryGridView(HistoryGridModel *model, QWidget *parent)
    : FrozenColumnView(HistoryGridModel::TitleLevelsRole, 3, parent), m_lines(nullptr)
{
    setObjectName(QStringLiteral("historyGrid"));
    setVerticalHeader(new RowIndicator(this));
    setModel(model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A grid-sized font, as the column widths are counted in pixels.
    QFont gridFont = font();
    gridFont.setPixelSize(11);
    setGridFont(gridFont);
    setDefaultRowHeight(QFontMetrics(gridFont).height() + 4);

    setItemDelegate(new GridCellDelegate(this));
    const QVector<HistoryColumn> &columns = historyColumns();
    for (int c = 0; c < columns.size(); ++c)
        setColumnWidth(c, columns[c].width);
    // The draw number must show whole whatever the font's digits measure.
    setColumnWidth(0, std::max(columns[0].width, QFontMetrics(gridFont).horizontalAdvance(QStringLiteral("0000000")) + 4));

    // The "期数" column stays put while the grid scrolls sideways.
    freezeFirstColumn();
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, verticalHeader()->viewport(),
            qOverload<>(&QWidget::update));

    m_lines = new LineOverlay(this);
    m_lines->setObjectName(QStringLiteral("lineOverlay"));
    viewport()->installEventFilter(this);
    frozenColumn()->viewport()->installEventFilter(this);
    placeOverlays();
}

void HistoryGridView::setBallColumnWidths(int redWidth, int blueWidth)
{
    const QVector<HistoryColumn> &columns = historyColumns();
    for (int c = 0; c < columns.size(); ++c) {
        if (columns[c].kind == HistoryColumn::RedBall)
            setColumnWidth(c, redWidth);
        else if (columns[c].kind == HistoryColumn::BlueBall)
            setColumnWidth(c, blueWidth);
    }
}

void HistoryGridView::setDrawingMode(bool on)
{
    m_drawing = on;
    if (on)
        m_lines->startNewLine();
    else
        m_lines->clear();
}

void HistoryGridView::placeOverlays()
{
    if (!m_lines)  // setModel() lays the view out before the overlay exists
        return;
    m_lines->setGeometry(viewport()->geometry());
    m_lines->raise();
}

void HistoryGridView::scrollToLastRow()
{
    const int rows = model()->rowCount();
    if (rows == 0)
        return;
    // Until the delayed layout runs, the scroll ranges still fit the old rows and would stop
    // the view one row short of the new last row; lay the view out now.
    doItemsLayout();
    scrollTo(model()->index(rows - 1, 0), PositionAtBottom);
}

bool HistoryGridView::eventFilter(QObject *watched, QEvent *event)
{
    if (m_drawing && event->type() == QEvent::MouseButtonRelease) {
        auto *widget = static_cast<QWidget *>(watched);
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        m_lines->addPoint(m_lines->mapFrom(this, widget->mapTo(this, at)));
    }
    return FrozenColumnView::eventFilter(watched, event);
}

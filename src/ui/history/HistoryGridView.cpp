#include "ui/history/HistoryGridView.h"

#include "ui/history/HistoryColumns.h"
#include "ui/history/HistoryGridModel.h"
#include "ui/widgets/FrozenColumn.h"
#include "ui/widgets/GroupedHeaderView.h"
#include "ui/widgets/LineOverlay.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

const QColor kBallRed(255, 0, 0);

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
            background = kBallRed;
            foreground = Qt::white;
        } else if (selected) {
            background = option.palette.color(QPalette::Highlight);
            foreground = option.palette.color(QPalette::HighlightedText);
        } else {
            const QVariant b = index.data(Qt::BackgroundRole);
            background = b.isValid() ? b.value<QColor>() : option.palette.color(QPalette::Base);
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
    : QTableView(parent), m_frozen(nullptr), m_lines(nullptr)
{
    setObjectName(QStringLiteral("historyGrid"));
    setHorizontalHeader(new GroupedHeaderView(HistoryGridModel::TitleLevelsRole, 3, this));
    setVerticalHeader(new RowIndicator(this));
    setModel(model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    // A grid-sized font, as the column widths are counted in pixels.
    QFont gridFont = font();
    gridFont.setPixelSize(11);
    setFont(gridFont);
    horizontalHeader()->setFont(gridFont);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(gridFont).height() + 4);

    setItemDelegate(new GridCellDelegate(this));
    const QVector<HistoryColumn> &columns = historyColumns();
    for (int c = 0; c < columns.size(); ++c)
        setColumnWidth(c, columns[c].width);
    // The draw number must show whole whatever the font's digits measure.
    setColumnWidth(0, std::max(columns[0].width, QFontMetrics(gridFont).horizontalAdvance(QStringLiteral("0000000")) + 4));

    // The frozen "期数" column: a second view over the same model laid over column 0.
    m_frozen = createFrozenColumn(this, HistoryGridModel::TitleLevelsRole, 3);
    for (int c = 1; c < columns.size(); ++c)
        m_frozen->setColumnHidden(c, true);
    m_frozen->setColumnWidth(0, columnWidth(0));
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, verticalHeader()->viewport(),
            qOverload<>(&QWidget::update));

    m_lines = new LineOverlay(this);
    m_lines->setObjectName(QStringLiteral("lineOverlay"));
    viewport()->installEventFilter(this);
    m_frozen->viewport()->installEventFilter(this);
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
    if (!m_lines)  // setModel() lays the view out before the overlays exist
        return;
    const int top = frameWidth();
    m_frozen->setGeometry(verticalHeader()->width() + frameWidth(), top, columnWidth(0),
                          viewport()->height() + horizontalHeader()->height());
    m_lines->setGeometry(viewport()->geometry());
    m_lines->raise();
}

void HistoryGridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    placeOverlays();
}

void HistoryGridView::updateGeometries()
{
    QTableView::updateGeometries();
    placeOverlays();
}

void HistoryGridView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    // Never scroll a cell in under the frozen column.
    if (index.column() > 0) {
        QTableView::scrollTo(index, hint);
        return;
    }
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(sideways);
}

void HistoryGridView::scrollToLastRow()
{
    const int rows = model()->rowCount();
    if (rows == 0)
        return;
    // Until the delayed layout runs, the scroll ranges still fit the old rows and would stop
    // the view one row short of the new last row; lay both views out now.
    doItemsLayout();
    m_frozen->doItemsLayout();
    scrollTo(model()->index(rows - 1, 0), PositionAtBottom);
}

bool HistoryGridView::eventFilter(QObject *watched, QEvent *event)
{
    if (m_drawing && event->type() == QEvent::MouseButtonRelease) {
        auto *widget = static_cast<QWidget *>(watched);
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        m_lines->addPoint(m_lines->mapFrom(this, widget->mapTo(this, at)));
    }
    return QTableView::eventFilter(watched, event);
}

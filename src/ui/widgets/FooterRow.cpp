#include "ui/widgets/FooterRow.h"

#include "ui/widgets/Colours.h"
#include "ui/widgets/FooterModel.h"
#include "ui/widgets/FrozenColumnView.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// The font, or a smaller one down to 7 px, in which TEXT keeps 2 px free at each side of a
// cell WIDTH wide, so neighbouring counts ("21" "22") never run into one ("2122").
QFont fittingFont(QFont font, const QString &text, int width)
{
    const int room = width - 4;
    int pixels = QFontInfo(font).pixelSize();
    while (pixels > 7 && QFontMetrics(font).horizontalAdvance(text) > room) {
        --pixels;
        font.setPixelSize(pixels);
    }
    return font;
}

// A footer cell: its background edge to edge, a thin frame, the text centred.
class FooterCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QVariant b = index.data(Qt::BackgroundRole);
        const QColor background = b.isValid() ? b.value<QColor>() : option.palette.color(QPalette::Window);
        painter->save();
        painter->fillRect(option.rect, background);
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->setPen(Colours::readableOn(background, option.palette.color(QPalette::Text)));
        const QString text = index.data(Qt::DisplayRole).toString();
        painter->setFont(fittingFont(option.font, text, option.rect.width()));
        painter->drawText(option.rect, Qt::AlignCenter, text);
        painter->restore();
    }
};

} // namespace

FooterRow::FooterRow(QTableView *grid, int frozenCount, QWidget *parent)
    : QWidget(parent), m_gridHeader(grid->horizontalHeader()), m_gridViewport(grid->viewport()),
      m_model(new FooterModel(grid->model(), this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAutoFillBackground(true);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);

    auto *table = new FrozenColumnView(Qt::DisplayRole, 1, this);
    m_table = table;
    m_table->setObjectName(QStringLiteral("footerTable"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(new FooterCellDelegate(m_table));
    m_table->setFrameShape(QFrame::NoFrame);
    m_table->setShowGrid(false);
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    const int rowHeight = m_table->fontMetrics().height() + 8;
    table->setDefaultRowHeight(rowHeight);
    m_table->setFixedHeight(rowHeight);
    if (frozenCount > 0) {
        table->freezeFirstColumn();
        table->frozenColumn()->horizontalHeader()->hide();
    }
    m_layout->addWidget(m_table);

    QHeaderView *gridHeader = grid->horizontalHeader();
    connect(gridHeader, &QHeaderView::sectionResized, this, &FooterRow::followColumns);
    connect(gridHeader, &QHeaderView::sectionCountChanged, this, &FooterRow::followColumns);
    connect(gridHeader, &QHeaderView::geometriesChanged, this, &FooterRow::followColumns);
    connect(m_model, &QAbstractItemModel::modelReset, this, &FooterRow::followColumns);

    // The row follows the grid sideways and never scrolls on its own.
    QPointer<QScrollBar> gridBar = grid->horizontalScrollBar();
    QScrollBar *ownBar = m_table->horizontalScrollBar();
    auto follow = [gridBar, ownBar] {
        if (gridBar)
            ownBar->setValue(gridBar->value());
    };
    connect(gridBar, &QScrollBar::valueChanged, ownBar, follow);
    connect(ownBar, &QScrollBar::rangeChanged, ownBar, follow);
    connect(ownBar, &QScrollBar::valueChanged, ownBar, follow);

    // The grid's viewport moves in from the left with a row header and narrows with a scroll bar.
    grid->viewport()->installEventFilter(this);
    followColumns();
}

void FooterRow::setBackground(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Base, colour);
    setPalette(p);
    m_model->setBackground(colour);
}

void FooterRow::setText(int column, const QString &text)
{
    m_model->setText(column, text);
}

QString FooterRow::text(int column) const
{
    return m_model->text(column);
}

QSize FooterRow::sizeHint() const
{
    return QSize(100, m_table->height());
}

void FooterRow::followColumns()
{
    if (!m_gridHeader)
        return;
    const QHeaderView *from = m_gridHeader;
    const QHeaderView *to = m_table->horizontalHeader();
    const int n = std::min(from->count(), to->count());
    for (int c = 0; c < n; ++c) {
        const bool hidden = from->isSectionHidden(c);
        if (to->isSectionHidden(c) != hidden)
            m_table->setColumnHidden(c, hidden);
        if (!hidden && to->sectionSize(c) != from->sectionSize(c))
            m_table->setColumnWidth(c, from->sectionSize(c));
    }
}

void FooterRow::followViewport()
{
    const QWidget *port = m_gridViewport;
    if (!port)
        return;
    const int left = mapFromGlobal(port->mapToGlobal(QPoint(0, 0))).x();
    const int right = width() - left - port->width();
    const QMargins margins(std::max(0, left), 0, std::max(0, right), 0);
    if (m_layout->contentsMargins() != margins)
        m_layout->setContentsMargins(margins);
}

bool FooterRow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_gridViewport && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        followViewport();
    return QWidget::eventFilter(watched, event);
}

void FooterRow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    followViewport();
}

#include "ui/widgets/FrozenColumnView.h"

#include "ui/widgets/GroupedHeaderView.h"

#include <QHeaderView>
#include <QScrollBar>

FrozenColumnView::FrozenColumnView(int levelsRole, int titleLevels, QWidget *parent)
    : QTableView(parent), m_levelsRole(levelsRole), m_titleLevels(titleLevels)
{
    setHorizontalHeader(new GroupedHeaderView(levelsRole, titleLevels, this));
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
}

void FrozenColumnView::freezeFirstColumn()
{
    if (m_frozen)
        return;
    m_frozen = new QTableView(this);
    m_frozen->setObjectName(QStringLiteral("frozenColumn"));
    m_frozen->setHorizontalHeader(new GroupedHeaderView(m_levelsRole, m_titleLevels, m_frozen));
    m_frozen->setFont(font());
    m_frozen->horizontalHeader()->setFont(horizontalHeader()->font());
    m_frozen->setModel(model());
    m_frozen->setItemDelegate(itemDelegate());
    m_frozen->setSelectionModel(selectionModel());
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_frozen->setSelectionBehavior(selectionBehavior());
    m_frozen->setSelectionMode(selectionMode());
    m_frozen->setWordWrap(wordWrap());
    m_frozen->verticalHeader()->hide();
    m_frozen->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollMode(verticalScrollMode());
    m_frozen->setFrameShape(QFrame::NoFrame);
    viewport()->stackUnder(m_frozen);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &FrozenColumnView::updateSectionWidth);
    connect(verticalHeader(), &QHeaderView::sectionResized, this, &FrozenColumnView::updateSectionHeight);
    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // Connected after the frozen view's own: its header has reset its sections by then.
    connect(model(), &QAbstractItemModel::modelReset, this, &FrozenColumnView::showOnlyFirstColumn);
    connect(model(), &QAbstractItemModel::columnsInserted, this, &FrozenColumnView::showOnlyFirstColumn);
    showOnlyFirstColumn();
    m_frozen->show();
    updateFrozenColumnGeometry();
}

void FrozenColumnView::showOnlyFirstColumn()
{
    for (int c = 1; c < model()->columnCount(); ++c)
        m_frozen->setColumnHidden(c, true);
    m_frozen->setColumnWidth(0, columnWidth(0));
    updateFrozenColumnGeometry();
}

void FrozenColumnView::setDefaultRowHeight(int pixels)
{
    verticalHeader()->setDefaultSectionSize(pixels);
    if (m_frozen)
        m_frozen->verticalHeader()->setDefaultSectionSize(pixels);
}

void FrozenColumnView::setGridFont(const QFont &gridFont)
{
    setFont(gridFont);
    horizontalHeader()->setFont(gridFont);
    if (m_frozen) {
        m_frozen->setFont(gridFont);
        m_frozen->horizontalHeader()->setFont(gridFont);
    }
}

void FrozenColumnView::updateSectionWidth(int logicalIndex, int, int newSize)
{
    if (logicalIndex != 0)
        return;
    m_frozen->setColumnWidth(0, newSize);
    updateFrozenColumnGeometry();
}

void FrozenColumnView::updateSectionHeight(int logicalIndex, int, int newSize)
{
    // A new default height resizes every row at once: take it whole rather than row by row.
    QHeaderView *rows = m_frozen->verticalHeader();
    if (rows->defaultSectionSize() != verticalHeader()->defaultSectionSize())
        rows->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    if (m_frozen->rowHeight(logicalIndex) != newSize)
        m_frozen->setRowHeight(logicalIndex, newSize);
}

void FrozenColumnView::updateFrozenColumnGeometry()
{
    if (m_frozen) {
        const int left = frameWidth() + (verticalHeader()->isHidden() ? 0 : verticalHeader()->width());
        m_frozen->setGeometry(left, frameWidth(), columnWidth(0), viewport()->height() + horizontalHeader()->height());
    }
    placeOverlays();
}

void FrozenColumnView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    updateFrozenColumnGeometry();
}

void FrozenColumnView::updateGeometries()
{
    QTableView::updateGeometries();
    updateFrozenColumnGeometry();
}

void FrozenColumnView::doItemsLayout()
{
    QTableView::doItemsLayout();
    if (m_frozen)
        m_frozen->doItemsLayout();
}

QModelIndex FrozenColumnView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // Moving left onto a cell hidden under the frozen column scrolls it out from under it.
    if (m_frozen && cursorAction == MoveLeft && current.column() > 0
        && visualRect(current).topLeft().x() < m_frozen->columnWidth(0)) {
        const int value = horizontalScrollBar()->value() + visualRect(current).topLeft().x() - m_frozen->columnWidth(0);
        horizontalScrollBar()->setValue(value);
    }
    return current;
}

void FrozenColumnView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!m_frozen) {
        QTableView::scrollTo(index, hint);
        return;
    }
    if (index.column() > 0) {
        // A cell scrolled in from the left would stop at the viewport's edge, under the frozen column.
        QTableView::scrollTo(index, hint);
        const int hidden = m_frozen->columnWidth(0) - visualRect(index).left();
        if (hidden > 0)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
        return;
    }
    // Column 0 is always in sight: scroll up or down to it, never sideways.
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(sideways);
}

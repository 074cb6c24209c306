#include "ui/bets/FilterScrollArea.h"

#include <QLayout>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

FilterScrollArea::FilterScrollArea(QWidget *column, QWidget *below, QWidget *parent)
    : QScrollArea(parent), m_below(below)
{
    setObjectName(QStringLiteral("filterScrollArea"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false); // sized in resizeEvent
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setWidget(column);
}

int FilterScrollArea::scrollBarWidth() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
}

// Wide enough for the column and a vertical scroll bar, so the bar never covers a control.
QSize FilterScrollArea::sizeHint() const
{
    return widget()->sizeHint() + QSize(scrollBarWidth(), 0);
}

int FilterScrollArea::belowHeight() const
{
    const int spacing = widget()->layout() ? widget()->layout()->spacing() : 0;
    return m_below->sizeHint().height() + spacing;
}

QSize FilterScrollArea::minimumSizeHint() const
{
    const QSize column = widget()->minimumSizeHint();
    return {column.width() + scrollBarWidth(), column.height() - belowHeight()};
}

void FilterScrollArea::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    // Short of room, the part above the number groups gets the viewport's height, as it got the
    // tab's before; the number groups below it are scrolled to.
    QWidget *column = widget();
    const int room = viewport()->height();
    const int preferred = column->sizeHint().height();
    const int height = room >= preferred ? room : std::min(preferred, room + belowHeight());
    column->resize(column->sizeHint().width(), height);
}

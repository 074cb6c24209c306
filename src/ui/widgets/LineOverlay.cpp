#include "ui/widgets/LineOverlay.h"
#include "ui/widgets/Colours.h"

#include <QPainter>

LineOverlay::LineOverlay(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void LineOverlay::addPoint(const QPoint &p)
{
    if (m_haveStart) {
        m_segments.append({m_pen, p});
        update();
    }
    m_pen = p;
    m_haveStart = true;
}

void LineOverlay::addSegment(const QPoint &from, const QPoint &to)
{
    m_segments.append({from, to});
    update();
}

void LineOverlay::clear()
{
    m_segments.clear();
    m_haveStart = false;
    update();
}

void LineOverlay::paintEvent(QPaintEvent *)
{
    if (m_segments.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Colours::red, 2));
    for (const Segment &s : m_segments)
        p.drawLine(s.from, s.to);
}

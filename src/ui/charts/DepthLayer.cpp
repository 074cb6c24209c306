#include "ui/charts/DepthLayer.h"
#include "ui/widgets/Colours.h"

#include <QChart>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

namespace {

constexpr int kSmoothFaces = 200;  // draws up to which the faces are antialiased
constexpr qreal kMarkerClearance = 5;  // from a point to the foot of its mark

QPolygonF quad(const QPointF &a, const QPointF &b, const QPointF &offset)
{
    return QPolygonF({a, b, b + offset, a + offset});
}

// The value marks: over each point of the line, a little clear of its round marker,
// and in 3D over the top face of each bar.
class ValueMarks : public QGraphicsItem {
public:
    explicit ValueMarks(DepthLayer *layer) : QGraphicsItem(layer->chart()), m_layer(layer)
    {
        setZValue(4.5);  // over the series
    }
    QRectF boundingRect() const override { return m_layer->chart()->rect(); }
    void paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        const bool bars = m_layer->barsShown();
        if (!m_layer->marksShown() || (bars && m_layer->offset().isNull()))
            return;
        p->setPen(Colours::chartMarkText);
        p->setFont(m_layer->markFont());
        const QFontMetricsF metrics(p->font());
        const QPointF depth = m_layer->offset();
        for (const QPointF &v : m_layer->values()->points()) {
            const QString text = QString::number(v.y());
            QPointF at;
            if (bars) {
                const QPointF left = m_layer->barTopLeft(v);
                const QPointF right = m_layer->barBottomRight(v);
                at = QPointF((left.x() + right.x() + depth.x()) / 2, left.y() + depth.y() - 2);
            } else {
                at = m_layer->chart()->mapToPosition(v, m_layer->values()) - QPointF(0, kMarkerClearance);
            }
            p->drawText(QPointF(at.x() - metrics.horizontalAdvance(text) / 2, at.y() - metrics.descent()), text);
        }
    }

private:
    DepthLayer *m_layer;
};
} // namespace

DepthLayer::DepthLayer(QChart *chart, QLineSeries *line, QValueAxis *valueAxis)
    : QGraphicsItem(chart), m_chart(chart), m_line(line), m_valueAxis(valueAxis)
{
    // Above the plot area and its grid, under the axes and the series.
    setZValue(2.5);
    setFlag(ItemHasNoContents, true);
    m_marks = new ValueMarks(this);
}

void DepthLayer::setOffset(const QPointF &offset)
{
    m_offset = offset;
    setFlag(ItemHasNoContents, offset.isNull());
    update();
    m_marks->update();
}

void DepthLayer::setBarsShown(bool bars)
{
    m_bars = bars;
    update();
    m_marks->update();
}

void DepthLayer::refresh()
{
    update();
    m_marks->update();
}

void DepthLayer::setMarksShown(bool shown)
{
    m_marksShown = shown;
    m_marks->update();
}

QPointF DepthLayer::barTopLeft(const QPointF &value) const
{
    return m_chart->mapToPosition(QPointF(value.x() - m_barWidth / 2, value.y()), m_line);
}

QPointF DepthLayer::barBottomRight(const QPointF &value) const
{
    return m_chart->mapToPosition(QPointF(value.x() + m_barWidth / 2, 0), m_line);
}

QRectF DepthLayer::boundingRect() const
{
    return m_chart->rect();
}

void DepthLayer::paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (m_offset.isNull())
        return;
    const QRectF front = m_chart->plotArea();
    p->setRenderHint(QPainter::Antialiasing, true);
    paintWalls(p, front);
    p->save();
    // Nothing reaches past the back wall or below the floor.
    p->setClipRect(front.united(front.translated(m_offset)));
    // Smooth edges cost several times the plain fill of these large overlapping faces;
    // with hundreds of draws the faces are a few pixels wide and nobody sees the edges.
    p->setRenderHint(QPainter::Antialiasing, m_line->count() <= kSmoothFaces);
    if (m_bars)
        paintBoxes(p);
    else
        paintRibbon(p);
    p->restore();
}

void DepthLayer::paintWalls(QPainter *p, const QRectF &front) const
{
    const QRectF back = front.translated(m_offset);
    p->setPen(QPen(Colours::depthWallEdge, 1));
    p->setBrush(Colours::chartPage);
    p->drawRect(back);
    p->setBrush(Colours::depthWall);
    p->drawPolygon(quad(front.bottomLeft(), front.bottomRight(), m_offset));  // floor
    p->drawPolygon(quad(front.topLeft(), front.bottomLeft(), m_offset));      // left wall

    // The value grid runs along the left wall and across the back wall.
    p->setPen(QPen(Colours::depthGrid, 1));
    const int ticks = m_valueAxis->tickCount();
    for (int i = 1; i + 1 < ticks; ++i) {
        const qreal y = front.bottom() - front.height() * i / (ticks - 1);
        const QPointF left(front.left(), y);
        p->drawLine(left, left + m_offset);
        p->drawLine(left + m_offset, QPointF(back.right(), y + m_offset.y()));
    }
}

void DepthLayer::paintRibbon(QPainter *p) const
{
    const QList<QPointF> points = m_line->points();
    if (points.size() < 2)
        return;
    QVector<QPointF> at;
    at.reserve(points.size());
    for (const QPointF &v : points)
        at.append(m_chart->mapToPosition(v, m_line));
    p->setPen(QPen(Colours::depthRibbonEdge, 1));
    for (int i = 0; i + 1 < at.size(); ++i) {
        // A segment rising more steeply than the slant shows the ribbon's underside.
        const QPointF d = at[i + 1] - at[i];
        const bool under = d.x() * m_offset.y() - d.y() * m_offset.x() > 0;
        p->setBrush(under ? Colours::depthRibbonUnder : Colours::depthRibbonTop);
        p->drawPolygon(quad(at[i], at[i + 1], m_offset));
    }
}

void DepthLayer::paintBoxes(QPainter *p) const
{
    const QList<QPointF> points = m_line->points();
    p->setPen(Qt::NoPen);
    for (const QPointF &v : points) {
        const QPointF topLeft = barTopLeft(v);
        const QPointF bottomRight = barBottomRight(v);
        const QPointF topRight(bottomRight.x(), topLeft.y());
        p->setBrush(Colours::depthBarSide);
        p->drawPolygon(quad(topRight, bottomRight, m_offset));
        p->setBrush(Colours::depthBarTop);
        p->drawPolygon(quad(topLeft, topRight, m_offset));
    }
}

#pragma once
// The 3D look of a trend chart. Qt Charts draws flat series only, so in 3D the chart
// leaves room above and to the right of its plot area and this item, lying between
// the chart's grid and its series, paints what an oblique projection shows behind
// the flat series: the floor, the left wall and the back wall with its grid, the
// ribbon behind the line, or the top and right side of each bar. The series themselves
// stay the front face. A second item above the series writes the value marks: over
// the points of the line (flat or not), and in 3D over the top face of each bar, where
// the bar series would put them under the next box.
#include <QFont>
#include <QGraphicsItem>

class QBarSeries;
class QChart;
class QLineSeries;
class QValueAxis;

class DepthLayer : public QGraphicsItem {
public:
    DepthLayer(QChart *chart, QLineSeries *line, QValueAxis *valueAxis);

    // The shift from the front plane to the back plane; a null offset paints nothing.
    void setOffset(const QPointF &offset);
    QPointF offset() const { return m_offset; }
    void setBarsShown(bool bars);
    void setBarWidth(qreal width) { m_barWidth = width; }
    void setMarkFont(const QFont &font) { m_markFont = font; }
    QFont markFont() const { return m_markFont; }
    void setMarksShown(bool shown);
    // The values or the plot area changed: paint again.
    void refresh();
    bool marksShown() const { return m_marksShown; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // The front top corners of each bar, from its value; used by the marks.
    QPointF barTopLeft(const QPointF &value) const;
    QPointF barBottomRight(const QPointF &value) const;
    QChart *chart() const { return m_chart; }
    QLineSeries *values() const { return m_line; }
    bool barsShown() const { return m_bars; }

private:
    void paintWalls(QPainter *p, const QRectF &front) const;
    void paintRibbon(QPainter *p) const;
    void paintBoxes(QPainter *p) const;

    QChart *m_chart;
    QLineSeries *m_line;  // its points are the values of both series
    QValueAxis *m_valueAxis;
    QPointF m_offset;
    bool m_bars = false;
    qreal m_barWidth = 0.5;
    QFont m_markFont;
    bool m_marksShown = true;
    QGraphicsItem *m_marks;
};

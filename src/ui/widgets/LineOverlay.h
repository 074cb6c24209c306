#pragma once
// Straight red segments drawn over a view from one release point to the next, or
// added whole. It lets the mouse through; the lines stay until clear().
#include <QPoint>
#include <QVector>
#include <QWidget>

class LineOverlay : public QWidget {
    Q_OBJECT
public:
    explicit LineOverlay(QWidget *parent = nullptr);

    // A release at p: the first point of a new line, or the end of the next segment.
    void addPoint(const QPoint &p);
    // A segment on its own, not joined to the points of addPoint().
    void addSegment(const QPoint &from, const QPoint &to);
    // The next point starts a new line; drawn segments stay.
    void startNewLine() { m_haveStart = false; }
    void clear();

    struct Segment { QPoint from, to; };
    const QVector<Segment> &segments() const { return m_segments; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<Segment> m_segments;
    QPoint m_pen;
    bool m_haveStart = false;
};

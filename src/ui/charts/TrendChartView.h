#pragma once
// The chart of a trend tab: a red line series and a teal bar series over the same
// values, one shown at a time, the draw numbers along the bottom, an optional 3D look
// (DepthLayer), and full-width red lines that a mouse press draws over it until the
// chart is next repainted.
#include <QChartView>
#include <QStringList>
#include <QVector>

class QBarSeries;
class QBarSet;
class QCategoryAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;
class DepthLayer;
class LineOverlay;

class TrendChartView : public QChartView {
    Q_OBJECT
public:
    explicit TrendChartView(const QString &title, QWidget *parent = nullptr);

    // Both series get one point per value, at positions 0, 1, ...; labels are the draw numbers.
    void setSeries(const QVector<int> &values, const QStringList &labels);
    void clearSeries();
    const QVector<int> &values() const { return m_values; }
    const QStringList &labels() const { return m_labels; }
    // Whether the value marks are written (they are while each draw has room for one).
    bool marksShown() const { return m_marksFit; }

    // "直线图": the line series shown and the bars hidden, or the reverse.
    void setLineShown(bool line);
    bool lineShown() const { return m_lineShown; }
    // "3D显示" and its depth in percent (1..100).
    void set3D(bool on);
    bool is3D() const { return m_3d; }
    void setDepthPercent(int percent);
    int depthPercent() const { return m_depthPercent; }

    QLineSeries *lineSeries() const { return m_line; }
    QBarSeries *barSeries() const { return m_bars; }
    QBarSet *barSet() const { return m_set; }
    QCategoryAxis *drawAxis() const { return m_drawAxis; }
    QValueAxis *valueAxis() const { return m_valueAxis; }
    DepthLayer *depthLayer() const { return m_depth; }
    LineOverlay *drawnLines() const { return m_lines; }
    QPushButton *deleteLinesButton() const { return m_deleteLines; }

    // A repaint of the chart: every drawn line goes, the button stays as it is.
    void clearLines();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyDepth();
    void fitValueAxis();
    void placeDrawLabels();
    void showMarks();
    void smoothEdges();

    QChart *m_chart;
    QLineSeries *m_line;
    QBarSeries *m_bars;
    QBarSet *m_set;
    QCategoryAxis *m_drawAxis;
    QValueAxis *m_valueAxis;
    DepthLayer *m_depth;
    LineOverlay *m_lines;
    QLabel *m_hint;
    QPushButton *m_deleteLines;

    QVector<int> m_values;
    QStringList m_labels;
    int m_labelStep = 0;  // every how many draws a number is written on the axis
    bool m_marksFit = true;
    bool m_lineShown = true;
    bool m_3d = false;
    int m_depthPercent = 15;
};

#include "ui/charts/TrendChartView.h"

#include "ui/charts/DepthLayer.h"
#include "ui/widgets/LineOverlay.h"
#include "ui/widgets/Colours.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QValueAxis>
#include <cmath>

namespace {
constexpr qreal kBarWidth = 0.5;  // of one draw's slot
constexpr int kMargin = 5;
constexpr int kSmoothBars = 200;

// A step of 1, 2 or 5 times a power of ten giving at most about ten ticks up to top.
int niceStep(int top)
{
    for (int scale = 1;; scale *= 10)
        for (int m : {1, 2, 5})
            if (top / (m * scale) <= 10)
                return m * scale;
}
} // namespace

TrendChartView::TrendChartView(const QString &title, QWidget *parent)
    // The view takes the chart at construction: QChartView(parent) would make a default chart
    // of its own, and setChart() gives up that one without deleting it.
    : QChartView(new QChart, parent),
      m_chart(chart()),
      m_line(new QLineSeries),
      m_bars(new QBarSeries),
      m_set(new QBarSet(QString())),
      m_drawAxis(new QCategoryAxis),
      m_valueAxis(new QValueAxis)
{
    setFrameShape(QFrame::NoFrame);

    m_chart->setTitle(title);
    QFont titleFont = m_chart->titleFont();
    titleFont.setPointSize(titleFont.pointSize() + 3);
    titleFont.setBold(true);
    m_chart->setTitleFont(titleFont);
    m_chart->legend()->hide();
    m_chart->setMargins(QMargins(kMargin, kMargin, kMargin, kMargin));
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_chart->setBackgroundRoundness(0);
    m_chart->setDropShadowEnabled(false);
    m_chart->setBackgroundBrush(Colours::chartPage);
    // The back wall.
    m_chart->setPlotAreaBackgroundVisible(true);
    m_chart->setPlotAreaBackgroundBrush(Colours::chartPage);
    m_chart->setPlotAreaBackgroundPen(QPen(Colours::chartFrame, 1));

    m_line->setColor(Colours::red);
    m_line->setPen(QPen(Colours::red, 1.5));
    m_line->setPointsVisible(true);
    m_line->setMarkerSize(5);

    m_set->setColor(Colours::chartBar);
    m_set->setBorderColor(Colours::chartBar);
    m_set->setLabelColor(Colours::chartMarkText);
    m_bars->append(m_set);
    m_bars->setBarWidth(kBarWidth);
    m_bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);

    m_chart->addSeries(m_bars);
    m_chart->addSeries(m_line);
    m_drawAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_drawAxis->setLabelsAngle(-90);
    m_drawAxis->setGridLineColor(Colours::chartGridLine);
    m_valueAxis->setLabelFormat(QStringLiteral("%d"));
    m_valueAxis->setGridLineColor(Colours::chartGridLine);
    m_chart->addAxis(m_drawAxis, Qt::AlignBottom);
    m_chart->addAxis(m_valueAxis, Qt::AlignLeft);
    for (QAbstractSeries *s : {static_cast<QAbstractSeries *>(m_bars), static_cast<QAbstractSeries *>(m_line)}) {
        s->attachAxis(m_drawAxis);
        s->attachAxis(m_valueAxis);
    }
    m_depth = new DepthLayer(m_chart, m_line, m_valueAxis);
    m_depth->setBarWidth(kBarWidth);
    m_depth->setMarkFont(m_set->labelFont());
    connect(m_chart, &QChart::plotAreaChanged, this, &TrendChartView::placeDrawLabels);

    m_lines = new LineOverlay(viewport());
    m_lines->setObjectName(QStringLiteral("drawnLines"));

    m_hint = new QLabel(QStringLiteral("鼠标点击可以画线"), viewport());
    m_hint->setObjectName(QStringLiteral("drawHintLabel"));
    m_hint->setStyleSheet(Colours::textStyle(Colours::red));
    m_hint->adjustSize();
    m_hint->move(8, 8);
    m_deleteLines = new QPushButton(QStringLiteral("删除所有画线"), viewport());
    m_deleteLines->setObjectName(QStringLiteral("deleteLinesButton"));
    m_deleteLines->setStyleSheet(Colours::textStyle(Colours::blue));
    m_deleteLines->setCursor(Qt::ArrowCursor);
    m_deleteLines->adjustSize();
    m_deleteLines->move(m_hint->geometry().right() + 8, 8 + (m_hint->height() - m_deleteLines->height()) / 2);
    m_deleteLines->hide();
    connect(m_deleteLines, &QPushButton::clicked, this, [this] {
        clearLines();
        m_deleteLines->hide();
    });

    setLineShown(true);
    clearSeries();
    showMarks();
}

void TrendChartView::setSeries(const QVector<int> &values, const QStringList &labels)
{
    m_values = values;
    m_labels = labels;
    QList<QPointF> points;
    QList<qreal> bars;
    points.reserve(values.size());
    bars.reserve(values.size());
    for (int i = 0; i < values.size(); ++i) {
        points.append(QPointF(i, values[i]));
        bars.append(values[i]);
    }
    m_line->replace(points);
    m_set->remove(0, m_set->count());
    m_set->append(bars);
    m_drawAxis->setRange(-0.5, std::max<qsizetype>(values.size(), 1) - 0.5);
    m_labelStep = 0;
    placeDrawLabels();
    fitValueAxis();
    smoothEdges();
    m_depth->refresh();
    if (m_3d)
        applyDepth();  // the value labels may have changed width
    clearLines();
}

void TrendChartView::clearSeries()
{
    setSeries({}, {});
}

void TrendChartView::setLineShown(bool line)
{
    m_lineShown = line;
    m_line->setVisible(line);
    m_bars->setVisible(!line);
    m_depth->setBarsShown(!line);
    smoothEdges();
    clearLines();
}

// Hundreds of bars a pixel or two wide gain nothing from smooth edges but cost twice the
// time to paint; lines and marks keep them.
void TrendChartView::smoothEdges()
{
    setRenderHint(QPainter::Antialiasing, m_lineShown || m_values.size() <= kSmoothBars);
}

void TrendChartView::set3D(bool on)
{
    m_3d = on;
    applyDepth();
    clearLines();
}

void TrendChartView::setDepthPercent(int percent)
{
    m_depthPercent = std::clamp(percent, 1, 100);
    applyDepth();
    clearLines();
}

void TrendChartView::clearLines()
{
    m_lines->clear();
    viewport()->update();
}

// The depth at 100 % is a third of the chart's smaller side, going up and to the right
// (a 4:3 slant). The plot area gives up that much room above and to the right, under
// the title and beside the value marks, so the back wall fits.
void TrendChartView::applyDepth()
{
    QPointF offset;
    if (m_3d) {
        const QSizeF size = m_chart->size();
        const qreal depth = std::min(size.width(), size.height()) / 3 * m_depthPercent / 100.0;
        offset = QPointF(std::round(depth * 0.8), -std::round(depth * 0.6));
    }
    m_chart->setPlotArea(QRectF());  // back to the chart's own layout
    m_chart->layout()->invalidate();
    m_chart->layout()->activate();
    if (m_3d) {
        m_chart->setPlotArea(m_chart->plotArea().adjusted(0, -offset.y(), -offset.x(), 0));
        m_chart->layout()->invalidate();
        m_chart->layout()->activate();
    }
    m_chart->setPlotAreaBackgroundVisible(!m_3d);
    m_drawAxis->setGridLineVisible(!m_3d);
    m_valueAxis->setGridLineVisible(!m_3d);
    showMarks();
    m_depth->setOffset(offset);
}

// Values start at 0 (bars stand on it) and leave a little room above the highest
// value for its mark.
void TrendChartView::fitValueAxis()
{
    int highest = 0;
    for (int v : m_values)
        highest = std::max(highest, v);
    const int wanted = std::max(1, highest + std::max(1, highest / 10));
    const int step = niceStep(wanted);
    const int top = (wanted + step - 1) / step * step;
    m_valueAxis->setRange(0, top);
    m_valueAxis->setTickCount(top / step + 1);
}

// Writes every draw number that fits: with more draws than the axis has room for,
// every second, fifth, ... one, so the numbers never run into each other. The value
// marks stay while each draw has room for its mark; packed tighter they would only
// smear into one another.
void TrendChartView::placeDrawLabels()
{
    m_depth->refresh();
    const int n = int(m_labels.size());
    const qreal width = std::max<qreal>(1, m_chart->plotArea().width());
    int widest = 0;
    for (int v : m_values)
        widest = std::max(widest, v);
    const qreal markWidth = QFontMetricsF(m_set->labelFont()).horizontalAdvance(QString::number(widest));
    const bool marksFit = n == 0 || width / n >= markWidth;
    if (marksFit != m_marksFit) {
        m_marksFit = marksFit;
        showMarks();
    }

    // The axis cuts a turned label short unless it has well over a line height to itself.
    const qreal room = QFontMetricsF(m_drawAxis->labelsFont()).height() * 1.8;
    const int step = n == 0 ? 1 : std::max(1, int(std::ceil(n * room / width)));
    if (step == m_labelStep)
        return;
    m_labelStep = step;
    for (const QString &label : m_drawAxis->categoriesLabels())
        m_drawAxis->remove(label);
    for (int i = 0; i < n; i += step)
        m_drawAxis->append(m_labels[i], i);
    m_drawAxis->setStartValue(-0.5);
    m_drawAxis->setRange(-0.5, std::max(n, 1) - 0.5);
}

// The depth layer writes the line's marks (Qt sets them on the marker) and in 3D the
// bars' marks over the boxes; flat bars have their own.
void TrendChartView::showMarks()
{
    m_bars->setLabelsVisible(m_marksFit && !m_3d);
    m_depth->setMarksShown(m_marksFit);
}

void TrendChartView::mousePressEvent(QMouseEvent *event)
{
    m_deleteLines->show();
    const int y = int(event->position().y());
    m_lines->addSegment(QPoint(0, y), QPoint(viewport()->width(), y));
    QChartView::mousePressEvent(event);
}

void TrendChartView::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    m_lines->setGeometry(viewport()->rect());
    applyDepth();
    clearLines();
}

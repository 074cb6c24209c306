#include "ui/prize/BacktestChart.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>

namespace {
constexpr int kAxisMarks = 8; // draw numbers under the chart, at most about this many
}

BacktestChart::BacktestChart(QWidget *parent)
    // The chart is handed over at construction: QChartView(parent) would make one of its own
    // that setChart() would never delete.
    : QChartView(new QChart, parent),
      m_chart(chart()),
      m_bars(new QBarSeries),
      m_won(new QBarSet(QStringLiteral("奖金"))),
      m_cost(new QLineSeries),
      m_drawAxis(new QCategoryAxis),
      m_yuanAxis(new QValueAxis)
{
    setObjectName(QStringLiteral("backtestChart"));
    setRenderHint(QPainter::Antialiasing);
    m_chart->setTitle(QStringLiteral("每期奖金与投注（元）"));
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    m_won->setColor(QColor(220, 50, 50));
    m_won->setBorderColor(QColor(220, 50, 50));
    m_bars->append(m_won);
    m_bars->setBarWidth(0.8);
    m_cost->setName(QStringLiteral("投注"));
    QPen pen(QColor(0, 90, 200));
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    m_cost->setPen(pen);
    m_chart->addSeries(m_bars);
    m_chart->addSeries(m_cost);
    m_drawAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_drawAxis->setGridLineVisible(false);
    m_yuanAxis->setLabelFormat(QStringLiteral("%d"));
    m_yuanAxis->setMin(0);
    m_chart->addAxis(m_drawAxis, Qt::AlignBottom);
    m_chart->addAxis(m_yuanAxis, Qt::AlignLeft);
    for (QAbstractSeries *s : {static_cast<QAbstractSeries *>(m_bars), static_cast<QAbstractSeries *>(m_cost)}) {
        s->attachAxis(m_drawAxis);
        s->attachAxis(m_yuanAxis);
    }
    m_chart->legend()->setAlignment(Qt::AlignRight);
}

void BacktestChart::showReport(const Backtest::Report &report)
{
    const int n = int(report.rows.size());
    m_won->remove(0, m_won->count());
    QList<qreal> won;
    won.reserve(n);
    qint64 highest = 0;
    for (const Backtest::PlayedRow &row : report.rows) {
        won << qreal(row.money.wonYuan);
        highest = std::max({highest, row.money.wonYuan, row.money.costYuan});
    }
    m_won->append(won);
    const qreal cost = n > 0 ? qreal(report.rows.front().money.costYuan) : 0;
    m_cost->replace(QList<QPointF>{{-0.5, cost}, {n - 0.5, cost}});

    for (const QString &label : m_drawAxis->categoriesLabels())
        m_drawAxis->remove(label);
    m_drawAxis->setRange(-0.5, std::max(0.5, n - 0.5));
    const int step = std::max(1, (n + kAxisMarks - 1) / kAxisMarks);
    for (int i = 0; i < n; i += step)
        m_drawAxis->append(report.rows[std::size_t(i)].draw.qishu, i);
    m_yuanAxis->setRange(0, std::max<qint64>(10, highest + highest / 10));
    m_yuanAxis->applyNiceNumbers();
}

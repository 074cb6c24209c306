#pragma once
// The small chart of "历史回测": the yuan won in each draw of the range as bars, and what the
// list cost per draw as a line across them. Under a dozen draw numbers mark the axis.
#include "core/prize/Backtest.h"

#include <QChartView>

class QBarSeries;
class QBarSet;
class QCategoryAxis;
class QLineSeries;
class QValueAxis;

class BacktestChart : public QChartView {
    Q_OBJECT
public:
    explicit BacktestChart(QWidget *parent = nullptr);

    void showReport(const Backtest::Report &report);

    QBarSet *wonSet() const { return m_won; }
    QLineSeries *costLine() const { return m_cost; }

private:
    QChart *m_chart;
    QBarSeries *m_bars;
    QBarSet *m_won;
    QLineSeries *m_cost;
    QCategoryAxis *m_drawAxis;
    QValueAxis *m_yuanAxis;
};

#pragma once
// A trend tab ("红色球走势图分析", "蓝色球走势图分析"): the tool row with the range, "确定",
// "直线图", "3D显示" and the depth slider; the column of choices "请选择分析要素"; the chart.
// The values come from core (TrendQuery); the tab reads its controls and maps them on.
#include "core/history/TrendSeries.h"

#include <QSqlDatabase>
#include <QVector>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QSlider;
class Messages;
class TrendChartView;

class TrendChartTab : public QWidget {
    Q_OBJECT
public:
    struct Choice {
        QString caption;
        TrendChoice value;
    };
    struct Setup {
        QString fromName, toName;  // objectNames of the range lists
        QString title;
        QVector<Choice> choices;   // the first is selected at start
    };
    static Setup redBalls();
    static Setup blueBalls();

    TrendChartTab(QSqlDatabase db, Messages &messages, const Setup &setup, QWidget *parent = nullptr);

    QComboBox *from() const { return m_from; }
    QComboBox *to() const { return m_to; }
    TrendChartView *chart() const { return m_chart; }
    TrendChoice currentChoice() const;

    // "确定", or a choice clicked: the chart of the chosen element over the range.
    void loadChart();

private:
    QSqlDatabase m_db;
    Messages &m_messages;
    QVector<Choice> m_choices;
    QComboBox *m_from = nullptr;
    QComboBox *m_to = nullptr;
    QCheckBox *m_lineChart = nullptr;
    QCheckBox *m_3d = nullptr;
    QSlider *m_depth = nullptr;
    QButtonGroup *m_choiceGroup = nullptr;
    TrendChartView *m_chart = nullptr;
};

#include "ui/charts/TrendChartTab.h"

#include "ui/charts/TrendChartView.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/RangeStrip.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

TrendChartTab::Setup TrendChartTab::redBalls()
{
    return {QStringLiteral("redRangeStartBox"),
            QStringLiteral("redRangeEndBox"),
            QStringLiteral("红色球走势图分析"),
            {{QStringLiteral("和值走势图"), TrendChoice::redSum},
             {QStringLiteral("AC值走势图"), TrendChoice::Ac},
             {QStringLiteral("偶数个数走势图"), TrendChoice::EvenCount},
             {QStringLiteral("奇数个数走势图"), TrendChoice::OddCount},
             {QStringLiteral("质数个数走势图"), TrendChoice::CompositeCount},
             {QStringLiteral("尾数和走势图"), TrendChoice::TailSum},
             {QStringLiteral("极号和走势图"), TrendChoice::ExtremeSum},
             {QStringLiteral("极号差走势图"), TrendChoice::ExtremeGap},
             {QStringLiteral("大数个数走势图"), TrendChoice::BigCount},
             {QStringLiteral("中数个数走势图"), TrendChoice::MiddleCount},
             {QStringLiteral("小数个数走势图"), TrendChoice::SmallCount}}};
}

TrendChartTab::Setup TrendChartTab::blueBalls()
{
    return {QStringLiteral("blueRangeStartBox"),
            QStringLiteral("blueRangeEndBox"),
            QStringLiteral("蓝色球走势图分析"),
            {{QStringLiteral("基本走势图"), TrendChoice::Blue}}};
}

TrendChartTab::TrendChartTab(QSqlDatabase db, Messages &messages, const Setup &setup, QWidget *parent)
    : QWidget(parent), m_db(db), m_messages(messages), m_choices(setup.choices)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    auto *toolRow = new QWidget(this);
    toolRow->setFixedHeight(32);
    auto *tools = new QHBoxLayout(toolRow);
    tools->setContentsMargins(0, 0, 0, 0);
    auto *range = new RangeStrip(setup.fromName, setup.toName, toolRow);
    m_from = range->from();
    m_to = range->to();
    tools->addWidget(range);
    auto *apply = new QPushButton(QStringLiteral("确定"), toolRow);
    apply->setObjectName(QStringLiteral("applyButton"));
    tools->addWidget(apply);
    m_lineChart = new QCheckBox(QStringLiteral("直线图"), toolRow);
    m_lineChart->setObjectName(QStringLiteral("lineChartBox"));
    m_lineChart->setChecked(true);
    tools->addWidget(m_lineChart);
    m_3d = new QCheckBox(QStringLiteral("3D显示"), toolRow);
    m_3d->setObjectName(QStringLiteral("threeDBox"));
    tools->addWidget(m_3d);
    m_depth = new QSlider(Qt::Horizontal, toolRow);
    m_depth->setObjectName(QStringLiteral("depthSlider"));
    m_depth->setRange(1, 100);
    m_depth->setFixedWidth(160);
    m_depth->hide();
    tools->addWidget(m_depth);
    tools->addStretch(1);
    layout->addWidget(toolRow);

    auto *body = new QHBoxLayout;
    body->setSpacing(2);
    auto *group = new QGroupBox(QStringLiteral("请选择分析要素"), this);
    group->setObjectName(QStringLiteral("elementsGroup"));
    group->setFixedWidth(145);
    auto *choiceLayout = new QVBoxLayout(group);
    m_choiceGroup = new QButtonGroup(this);
    for (int i = 0; i < m_choices.size(); ++i) {
        auto *b = new QRadioButton(m_choices[i].caption, group);
        m_choiceGroup->addButton(b, i);
        choiceLayout->addWidget(b);
    }
    choiceLayout->addStretch(1);
    if (QAbstractButton *first = m_choiceGroup->button(0))
        first->setChecked(true);
    body->addWidget(group);
    m_chart = new TrendChartView(setup.title, this);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_depth->setValue(m_chart->depthPercent());
    body->addWidget(m_chart, 1);
    layout->addLayout(body, 1);

    connect(apply, &QPushButton::clicked, this, &TrendChartTab::loadChart);
    connect(m_choiceGroup, &QButtonGroup::idClicked, this, &TrendChartTab::loadChart);
    connect(m_lineChart, &QCheckBox::toggled, m_chart, &TrendChartView::setLineShown);
    connect(m_3d, &QCheckBox::toggled, this, [this](bool on) {
        m_depth->setVisible(on);
        m_chart->set3D(on);
    });
    connect(m_depth, &QSlider::valueChanged, m_chart, &TrendChartView::setDepthPercent);
}

TrendChoice TrendChartTab::currentChoice() const
{
    const int id = m_choiceGroup->checkedId();
    return m_choices.value(std::max(0, id)).value;
}

void TrendChartTab::loadChart()
{
    const TrendSeries series = TrendQuery::load(m_db, m_from->currentText(), m_to->currentText(), currentChoice());
    m_chart->setSeries(series.values, series.labels);
    m_chart->setLineShown(m_lineChart->isChecked());
    m_messages.show(this, series.outcome);
}

#include "ui/stats/BlueDistributionDialog.h"

#include "core/stats/BlueDistribution.h"
#include "ui/stats/StatsGridView.h"
#include "ui/stats/StatsTableModel.h"
#include "ui/widgets/Colours.h"
#include "ui/widgets/FooterRow.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

BlueDistributionDialog::BlueDistributionDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent)
    : StatsDialog(db, messages, drawCount,
                  {QStringLiteral("BlueDistributionDialog"), QStringLiteral("蓝球分布"), &BlueDistribution::table,
                   DefaultStart::RecentDraws, true, QStringLiteral("切换至主界面")},
                  parent)
{
    QPushButton *frequency = addStripButton(QStringLiteral("频率统计"), QStringLiteral("frequencyButton"));
    connect(frequency, &QPushButton::clicked, this, &BlueDistributionDialog::countFrequencies);

    // Column looks: the distribution columns pale with white text (a drawn ball on red);
    // every other class column in the light blue text.
    QVector<StatsTableModel::ColumnLook> looks{{50, {}, {}, true}, {25, {}, Colours::blue, false}};
    for (int i = 0; i < 16; ++i)
        looks.append({16, Colours::blueDistributionBackground, Colours::textOnBall, false});
    for (int c = 18; c <= 30; ++c)
        looks.append({28, c == 18 ? Colours::oddColumnBackground : QColor(), c % 2 == 0 ? Colours::blueClassText : QColor(), false});
    model()->setColumnLooks(looks);
    // A drawn ball's number sits on the same line as every other cell's text.
    const QPoint textOffset(-1, 2);
    model()->setMarkLook(CellMark::Present, {Colours::red, Colours::textOnBall, false, textOffset});
    model()->setMarkLook(CellMark::Plain, {QColor(), QColor(), false, textOffset});
    m_footer = new FooterRow(addRecordGrid(2, BlueDistribution::columns()), 0, this);
    m_footer->setObjectName(QStringLiteral("footerRow"));
    m_footer->setBackground(palette().color(QPalette::Window));
    body()->addWidget(m_footer);
    resize(960, 600);
}

void BlueDistributionDialog::countFrequencies()
{
    const BlueDistribution::Frequency f = BlueDistribution::frequency(database(), fromBox->currentText(), toBox->currentText());
    if (!f.outcome.ok()) {
        showOutcome(f.outcome);
        return;
    }
    for (int c = 0; c < f.footer.size(); ++c)
        m_footer->setText(c, f.footer[c]);
    run();
}

#include "ui/stats/BlueDistributionDialog.h"

#include "core/stats/BlueDistribution.h"
#include "ui/stats/StatsGridView.h"
#include "ui/stats/StatsTableModel.h"
#include "ui/widgets/FooterRow.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

BlueDistributionDialog::BlueDistributionDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent)
    : StatsDialog(db, messages, drawCount,
                  {QStringLiteral("蓝球分布"), DefaultStart::RecentDraws, true, QStringLiteral("切换至主界面")}, parent),
      m_model(new StatsTableModel(this))
{
    setObjectName(QStringLiteral("BlueDistributionDialog"));
    QPushButton *frequency = addStripButton(QStringLiteral("频率统计"), QStringLiteral("frequencyButton"));
    connect(frequency, &QPushButton::clicked, this, &BlueDistributionDialog::countFrequencies);

    // Column looks: the distribution columns pale with white text (a drawn ball on red);
    // every other class column in the light blue text.
    const QColor accent(0, 128, 255);
    QVector<StatsTableModel::ColumnLook> looks{{50, {}, {}, true}, {25, {}, QColor(0, 0, 255), false}};
    for (int i = 0; i < 16; ++i)
        looks.append({16, QColor(238, 238, 255), Qt::white, false});
    for (int c = 18; c <= 30; ++c)
        looks.append({28, c == 18 ? QColor(Qt::white) : QColor(), c % 2 == 0 ? accent : QColor(), false});
    m_model->setColumnLooks(looks);
    m_model->setMarkLook(CellMark::Present, {QColor(255, 0, 0), Qt::white});
    m_model->setMarkLook(CellMark::Plain, {QColor(), QColor(), false, QPoint(-1, 2)});
    StatsTable empty;
    for (const auto &c : BlueDistribution::columns())
        empty.titles.append(c.title);
    m_model->setTable(empty);

    m_grid = addRecordGrid(m_model, 2);
    m_footer = new FooterRow(m_grid, 0, this);
    m_footer->setObjectName(QStringLiteral("footerRow"));
    m_footer->setBackground(palette().color(QPalette::Window));
    body()->addWidget(m_footer);
    resize(960, 600);
}

void BlueDistributionDialog::runRange(const QString &from, const QString &to)
{
    const StatsResult result = BlueDistribution::table(database(), from, to);
    if (!result.outcome.ok())
        showOutcome(result.outcome);
    m_model->setTable(result.table);
}

void BlueDistributionDialog::countFrequencies()
{
    const BlueDistribution::Frequency f = BlueDistribution::frequency(database(), cmb1->currentText(), cmb2->currentText());
    if (!f.outcome.ok()) {
        showOutcome(f.outcome);
        return;
    }
    for (int c = 0; c < f.footer.size(); ++c)
        m_footer->setText(c, f.footer[c]);
    run();
}

#include "ui/stats/OmissionDialog.h"

#include "core/Game.h"
#include "core/stats/Omission.h"
#include "ui/stats/StatsGridView.h"
#include "ui/stats/StatsTableModel.h"
#include "ui/widgets/Colours.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

StatsTable withoutRows(StatsTable table)
{
    table.rows.clear();
    table.marks.clear();
    return table;
}

OmissionDialog::Chart omissionChart(const QString &name, const QString &caption, OmissionDialog::Compute compute,
                                    int balls, int width, int rowHeight)
{
    return {name, caption, compute, withoutRows(Omission::omissionTable({}, balls)), width, {60}, rowHeight, true,
            CellMark::Drawn};
}

} // namespace

OmissionDialog::Chart OmissionDialog::redOmission()
{
    return omissionChart(QStringLiteral("redOmissionDialog"), QStringLiteral("红球遗漏分析"), &Omission::redOmission,
                         Game::kRedBalls, 21, 0);
}

OmissionDialog::Chart OmissionDialog::blueOmission()
{
    return omissionChart(QStringLiteral("blueOmissionDialog"), QStringLiteral("篮球遗漏分析"), &Omission::blueOmission,
                         Game::kBlueBalls, 40, 24);
}

OmissionDialog::Chart OmissionDialog::sumIntervals()
{
    return {QStringLiteral("sumIntervalDialog"), QStringLiteral("和值区间分布情况"), &Omission::sumIntervals,
            withoutRows(Omission::intervalTable({})), 64, {60, 40}, 24, false, CellMark::Hit};
}

OmissionDialog::OmissionDialog(QSqlDatabase db, Messages &messages, int drawCount, const Chart &chart, QWidget *parent)
    : StatsDialog(db, messages, drawCount, {chart.objectName, chart.caption, chart.compute, DefaultStart::RecentDraws, false, QString()},
                  parent)
{
    if (chart.countLine) {
        auto *line = new QHBoxLayout;
        line->addWidget(new QLabel(QStringLiteral("您选择的开奖号码有："), this));
        m_count = new QLabel(QStringLiteral("0"), this);
        m_count->setObjectName(QStringLiteral("countLabel"));
        m_count->setStyleSheet(Colours::textStyle(Colours::red));
        line->addWidget(m_count);
        line->addWidget(new QLabel(QStringLiteral("期"), this));
        line->addStretch(1);
        body()->addLayout(line);
    }

    // Text centred, 5 pixels below the top; drawn balls and hit intervals on red.
    using Look = StatsTableModel::Look;
    model()->setMarkLook(CellMark::Drawn, Look{Colours::red, Colours::textOnLightBackground});
    model()->setMarkLook(CellMark::Hit, Look{Colours::red, Colours::textOnLightBackground});
    model()->setMarkLook(CellMark::Count, Look{QColor(), Colours::red, true});
    model()->setMarkLook(CellMark::Omission, Look{QColor(), Colours::omissionText});
    model()->setEditable(true, chart.hitMark);
    QVector<StatsTableModel::ColumnLook> looks;
    for (int c = 0; c < chart.emptyTable.columnCount(); ++c)
        looks.append({c < chart.leadingWidths.size() ? chart.leadingWidths[c] : chart.columnWidth, {}, {}, false});
    model()->setColumnLooks(looks);
    StatsGridView *grid = addChartGrid(chart.emptyTable);
    if (chart.rowHeight > 0)
        grid->setDefaultRowHeight(chart.rowHeight);

    int width = 40;
    for (const auto &look : looks)
        width += look.width;
    resize(std::max(width, 760), 600);
}

int OmissionDialog::gridRowCount() const
{
    return model()->rowCount() + 1;
}

void OmissionDialog::runRange(const QString &from, const QString &to)
{
    StatsDialog::runRange(from, to);
    if (m_count)
        m_count->setText(QString::number(model()->table().drawCount));
}

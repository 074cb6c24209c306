#include "ui/stats/OmissionDialog.h"

#include "core/Game.h"
#include "core/stats/Omission.h"
#include "ui/stats/StatsGridView.h"
#include "ui/stats/StatsTableModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QColor kRed(255, 0, 0);
const QColor kOmission(177, 173, 254);

} // namespace

OmissionDialog::OmissionDialog(QSqlDatabase db, Messages &messages, int drawCount, const Chart &chart, QWidget *parent)
    : StatsDialog(db, messages, drawCount, {chart.caption, DefaultStart::RecentDraws, false, QString()}, parent),
      m_chart(chart), m_model(new StatsTableModel(this))
{
    if (chart.countLine) {
        auto *line = new QHBoxLayout;
        line->addWidget(new QLabel(QStringLiteral("您选择的开奖号码有："), this));
        m_count = new QLabel(QStringLiteral("0"), this);
        m_count->setObjectName(QStringLiteral("countLabel"));
        m_count->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
        line->addWidget(m_count);
        line->addWidget(new QLabel(QStringLiteral("期"), this));
        line->addStretch(1);
        body()->addLayout(line);
    }

    // Text centred, 5 pixels below the top; drawn balls and hit intervals on red.
    using Look = StatsTableModel::Look;
    m_model->setMarkLook(CellMark::Drawn, Look{kRed, Qt::black});
    m_model->setMarkLook(CellMark::Hit, Look{kRed, Qt::black});
    m_model->setMarkLook(CellMark::Label, Look{QColor(), Qt::black});
    m_model->setMarkLook(CellMark::Maximum, Look{QColor(), Qt::black});
    m_model->setMarkLook(CellMark::Count, Look{QColor(), kRed, true});
    m_model->setMarkLook(CellMark::Omission, Look{QColor(), kOmission});
    m_model->setEditable(true, chart.compute == &Omission::sumIntervals ? CellMark::Hit : CellMark::Drawn);
    QVector<StatsTableModel::ColumnLook> looks;
    for (int c = 0; c < chart.emptyTable.columnCount(); ++c)
        looks.append({c < chart.leadingWidths.size() ? chart.leadingWidths[c] : chart.columnWidth, {}, {}, false});
    m_model->setColumnLooks(looks);
    m_model->setTable(chart.emptyTable);

    m_grid = new StatsGridView(m_model, 1, true, this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    if (chart.rowHeight > 0)
        m_grid->setRowHeight(chart.rowHeight);
    body()->addWidget(m_grid, 1);
    m_grid->applyColumnWidths();

    int width = 40;
    for (const auto &look : looks)
        width += look.width;
    resize(std::max(width, 760), 600);
}

int OmissionDialog::gridRowCount() const
{
    return m_model->rowCount() + 1;
}

void OmissionDialog::runRange(const QString &from, const QString &to)
{
    const StatsResult result = m_chart.compute(database(), from, to);
    if (!result.outcome.ok())
        showOutcome(result.outcome);
    if (m_count)
        m_count->setText(QString::number(result.table.drawCount));
    m_model->setTable(result.table);
}

namespace {

OmissionDialog::Chart omissionChart(const QString &caption, OmissionDialog::Compute compute, int balls, int width,
                                    int rowHeight)
{
    StatsTable empty = Omission::omissionTable({}, balls);
    empty.rows.clear();
    empty.marks.clear();
    return {caption, compute, empty, width, {60}, rowHeight, true};
}

} // namespace

TFrm_HongqiuYilou::TFrm_HongqiuYilou(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent)
    : OmissionDialog(db, messages, drawCount,
                     omissionChart(QStringLiteral("红球遗漏分析"), &Omission::redOmission, Game::kRedBalls, 21, 0),
                     parent)
{
    setObjectName(QStringLiteral("TFrm_HongqiuYilou"));
}

TFrm_LanqiuYilou::TFrm_LanqiuYilou(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent)
    : OmissionDialog(db, messages, drawCount,
                     omissionChart(QStringLiteral("篮球遗漏分析"), &Omission::blueOmission, Game::kBlueBalls, 40, 24),
                     parent)
{
    setObjectName(QStringLiteral("TFrm_LanqiuYilou"));
}

namespace {

OmissionDialog::Chart intervalChart()
{
    StatsTable empty = Omission::intervalTable({});
    empty.rows.clear();
    empty.marks.clear();
    return {QStringLiteral("和值区间分布情况"), &Omission::sumIntervals, empty, 64, {60, 40}, 24, false};
}

} // namespace

TFrm_qujian::TFrm_qujian(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent)
    : OmissionDialog(db, messages, drawCount, intervalChart(), parent)
{
    setObjectName(QStringLiteral("TFrm_qujian"));
}

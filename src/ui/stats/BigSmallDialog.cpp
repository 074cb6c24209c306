#include "ui/stats/BigSmallDialog.h"

#include "core/stats/BigSmall.h"
#include "ui/stats/StatsGridView.h"
#include "ui/stats/StatsTableModel.h"

BigSmallDialog::BigSmallDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent)
    : StatsDialog(db, messages, drawCount,
                  {QStringLiteral("红球奇偶大小分析"), DefaultStart::RecentDraws, true, QStringLiteral("切换至主界面")},
                  parent),
      m_model(new StatsTableModel(this))
{
    setObjectName(QStringLiteral("BigSmallDialog"));
    const QColor bigSmall(225, 240, 255), oddEven(255, 238, 238);
    QVector<StatsTableModel::ColumnLook> looks{{55, {}, {}, true}};
    for (int i = 0; i < 6; ++i)
        looks.append({20, {}, QColor(255, 0, 0), false});
    looks.append({20, {}, QColor(40, 40, 255), false});
    looks.append({30, {}, Qt::black, false});
    for (const QColor &group : {bigSmall, oddEven}) {
        looks.append({55, group, {}, false});
        looks.append({40, group, {}, false});
        for (int i = 0; i < 7; ++i)
            looks.append({i < 6 ? 23 : 25, group, {}, false});
    }
    m_model->setColumnLooks(looks);
    // Marks are drawn in red from the left edge: 5 pixels for "小" and "奇", 10 for a ratio.
    m_model->setMarkLook(CellMark::Plain, {QColor(), QColor(), false, QPoint(-1, 2)});
    m_model->setMarkLook(CellMark::Highlight, {QColor(), QColor(255, 0, 0), false, QPoint(5, 2)});
    m_model->setMarkLook(CellMark::Extreme, {QColor(), QColor(255, 0, 0), false, QPoint(10, 2)});
    StatsTable empty;
    for (const auto &c : BigSmall::columns())
        empty.titles.append(c.title);
    m_model->setTable(empty);

    m_grid = addRecordGrid(m_model, 3);
    resize(1000, 600);
}

void BigSmallDialog::runRange(const QString &from, const QString &to)
{
    const StatsResult result = BigSmall::table(database(), from, to);
    if (!result.outcome.ok())
        showOutcome(result.outcome);
    m_model->setTable(result.table);
}

#include "ui/stats/BigSmallDialog.h"

#include "core/stats/BigSmall.h"
#include "ui/stats/StatsGridView.h"
#include "ui/stats/StatsTableModel.h"
#include "ui/widgets/Colours.h"

BigSmallDialog::BigSmallDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent)
    : StatsDialog(db, messages, drawCount,
                  {QStringLiteral("BigSmallDialog"), QStringLiteral("红球奇偶大小分析"), &BigSmall::table,
                   DefaultStart::RecentDraws, true, QStringLiteral("切换至主界面")},
                  parent)
{
    QVector<StatsTableModel::ColumnLook> looks{{55, {}, {}, true}};
    for (int i = 0; i < 6; ++i)
        looks.append({20, {}, Colours::red, false});
    looks.append({20, {}, Colours::bigSmallBlueText, false});
    looks.append({30, {}, {}, false});
    for (const QColor &group : {Colours::bigSmallBackground, Colours::oddEvenBackground}) {
        looks.append({55, group, {}, false});
        looks.append({40, group, {}, false});
        for (int i = 0; i < 7; ++i)
            looks.append({i < 6 ? 23 : 25, group, {}, false});
    }
    model()->setColumnLooks(looks);
    // Marks are drawn in red from the left edge: 5 pixels for "小" and "奇", 10 for a ratio.
    model()->setMarkLook(CellMark::Plain, {QColor(), QColor(), false, QPoint(-1, 2)});
    model()->setMarkLook(CellMark::Highlight, {QColor(), Colours::red, false, QPoint(5, 2)});
    model()->setMarkLook(CellMark::Extreme, {QColor(), Colours::red, false, QPoint(10, 2)});
    addRecordGrid(3, BigSmall::columns());
    resize(1000, 600);
}

#pragma once
// The big/small and odd/even list: the stored attributes of each draw of a range, with every
// "小" and "奇" and every extreme ratio marked.
#include "core/stats/StatsQuery.h"

namespace BigSmall {

QVector<StatsQuery::FieldColumn> columns();
// Highlight for "小" and "奇", Extreme for "1 : 5", "5 : 1", "0 : 6", "6 : 0", else Plain.
CellMark markFor(const QString &text);
StatsResult table(QSqlDatabase db, const QString &from, const QString &to);

} // namespace BigSmall

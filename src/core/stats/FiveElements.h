#pragma once
// The five elements: every ball number belongs to one of 金, 木, 水, 火, 土. A run rebuilds the
// work table wuxing from the draws of a range and the window shows that table.
#include "core/stats/StatsQuery.h"

namespace FiveElements {

// The element of ball n, the same rule for reds and blues; any number not listed is 土.
QString element(int n);
bool isElement(const QString &text);

// Empties wuxing and refills it with the draws from..to and their elements, in one
// transaction: a failure leaves the table as it was and says why.
Outcome rebuild(QSqlDatabase db, const QString &from, const QString &to);

QVector<StatsQuery::FieldColumn> columns();
// "select * from Wuxing order by qishu"; element cells are marked Element.
StatsResult table(QSqlDatabase db);

} // namespace FiveElements

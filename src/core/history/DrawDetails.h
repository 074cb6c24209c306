#pragma once
// What the lottery's draw notice adds to a draw: the day it was drawn, the sales, the prize
// pool and each grade's winners and money per bet. Kept in the table gonggao, one row per
// draw beside its data and append rows; a draw typed by hand has none.
#include "core/Outcome.h"
#include "core/prize/PrizeRules.h"

#include <QSqlDatabase>
#include <QString>
#include <array>

struct PrizeGrade {
    qint64 winners = -1;  // bets that won this grade; -1 when the notice does not say
    qint64 money = -1;    // yuan per winning bet; -1 when the notice does not say
};

struct DrawDetails {
    QString qishu;
    QString date;         // "2026-08-20"
    qint64 sales = -1;    // yuan; -1 when unknown
    qint64 pool = -1;     // the prize pool after the draw, yuan; -1 when unknown
    // First to sixth prize, then 福运奖: listed empty (not awarded in the draw) it holds 0 bets
    // at 0 yuan, so its -1 still means the notice did not list it.
    std::array<PrizeGrade, PrizeRules::kGrades> grades;

    bool operator==(const DrawDetails &o) const;
    bool operator!=(const DrawDetails &o) const { return !(*this == o); }
};

namespace DrawDetailsStore {
// Writes the row of details.qishu, replacing one a deleted draw may have left behind.
Outcome store(QSqlDatabase db, const DrawDetails &details);
// The details of a draw; ok with an empty qishu when the draw has none.
Result<DrawDetails> read(QSqlDatabase db, const QString &qishu);
} // namespace DrawDetailsStore

// The lines of the history grid's tooltip on a draw number.
QString drawDetailsText(const DrawDetails &details);

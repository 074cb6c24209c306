#pragma once
// The 58 columns of the history grid: field, title levels, width, zone colour.
#include <QColor>
#include <QStringList>
#include <QVector>

struct HistoryColumn {
    enum Kind { DrawNumber, RedBall, BlueBall, Attribute };
    QString field;       // column of table data (names match without regard to case)
    QStringList titles;  // title levels, top first
    Kind kind;
    int width;           // pixels; ball columns take theirs from the settings
    QColor background;   // invalid: the grid's plain colour
};

const QVector<HistoryColumn> &historyColumns();
// The grid column of red ball n (1..33) or blue ball n (1..16).
int historyBallColumn(HistoryColumn::Kind zone, int n);
inline bool isBallColumn(const HistoryColumn &c) { return c.kind == HistoryColumn::RedBall || c.kind == HistoryColumn::BlueBall; }

#pragma once
// The derived values of a draw, computed once when the draw is stored and never
// again. Each row is a list of (column, value) in the order the columns are set.
#include <QString>
#include <QVariant>
#include <QVector>
#include <array>

struct ColumnValue {
    QString column;
    QVariant value; // QString for text columns, int for whole-number columns
};

struct DrawAttributes {
    QVector<ColumnValue> dataRow;
    QVector<ColumnValue> appendRow;

    // Looks a column up in either row (data first); an invalid QVariant when not set.
    QVariant value(const QString &column) const;
};

// reds: six distinct balls 1..33 in ascending order; blue 1..16; extraText the
// "快乐星期天" number as entered (stored only when its value is 1..16).
DrawAttributes computeDrawAttributes(const QString &qishu, const std::array<int, 6> &reds, int blue,
                                     const QString &extraText = QString());

// Number of distinct absolute differences among the 15 pairs of six distinct reds, minus 5.
int acValue(const int *reds);
inline int acValue(const std::array<int, 6> &reds) { return acValue(reds.data()); }

// Trial division from 2 to n div 2: 1, 2, 3 and the primes are not composite.
bool isComposite(int n);

// "07", "33": a ball as two digits.
QString ballText(int n);

#include "core/stats/StatsTable.h"

int StatsTable::addRow()
{
    rows.append(QStringList(QVector<QString>(columnCount())));
    marks.append(QVector<CellMark>(columnCount(), CellMark::Plain));
    return rowCount() - 1;
}

void StatsTable::set(int row, int column, const QString &cellText, CellMark cellMark)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    rows[row][column] = cellText;
    marks[row][column] = cellMark;
}

QStringList StatsTable::columnTitles() const
{
    QStringList out;
    for (const QStringList &levels : titles)
        out << (levels.isEmpty() ? QString() : levels.last());
    return out;
}

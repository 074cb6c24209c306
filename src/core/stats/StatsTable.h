#pragma once
// What every statistics computation hands back: a plain table of texts with the titles of
// its columns and a mark per cell saying what the cell is, so one model can show any of
// them and each window only chooses colours for the marks.
#include <QStringList>
#include <QVector>
#include <cstdint>

enum class CellMark : std::uint8_t {
    Plain,      // drawn in its column's own look
    Label,      // draw number, sum, a summary row's caption: black
    Drawn,      // the ball was drawn here: red, showing the column's title instead of "中"
    Hit,        // the interval was hit here: red, showing "中"
    Omission,   // draws since the last hit
    Maximum,    // a "最大遗漏" summary cell
    Count,      // a "出现次数" summary cell
    Present,    // a presence column that holds a value (blue distribution)
    Highlight,  // "小", "奇": drawn red, left-aligned
    Extreme,    // an extreme ratio "1 : 5", "5 : 1", "0 : 6", "6 : 0": drawn red, left-aligned
    Element,    // one of the five element characters
};

struct StatsTable {
    // One entry per column: its title levels, the top group first ("开奖号码", "红球", "01").
    QVector<QStringList> titles;
    // Body rows, each with titles.size() cells; the title row is not among them.
    QVector<QStringList> rows;
    QVector<QVector<CellMark>> marks;
    // How many of the last rows are summary rows (they follow any empty separator row).
    int summaryRows = 0;
    // Draws the table was made from (rows may hold more: the separator and summaries).
    int drawCount = 0;

    int columnCount() const { return int(titles.size()); }
    int rowCount() const { return int(rows.size()); }
    QString text(int row, int column) const { return rows.value(row).value(column); }
    CellMark mark(int row, int column) const { return marks.value(row).value(column, CellMark::Plain); }

    // Appends a row of empty Plain cells and returns its index.
    int addRow();
    void set(int row, int column, const QString &text, CellMark mark);
    // The column titles' last level, one per column ("期数", "01", ...).
    QStringList columnTitles() const;
};

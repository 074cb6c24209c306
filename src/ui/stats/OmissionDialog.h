#pragma once
// The chart windows over a string grid, one class made three ways: the red and blue omission
// charts (with the count line "您选择的开奖号码有：" N "期") and the sum intervals. The chart
// comes from core; this only shows it in the grid's colours.
#include "core/stats/StatsQuery.h"
#include "ui/stats/StatsDialog.h"

class QLabel;

class OmissionDialog : public StatsDialog {
    Q_OBJECT
public:
    // What one chart window is: its name and caption, its computation and its grid.
    struct Chart {
        QString objectName;
        QString caption;
        Compute compute;
        StatsTable emptyTable; // the titles shown before the first run
        int columnWidth;       // the chart columns; the first ones are set below
        QVector<int> leadingWidths;
        int rowHeight;         // 0: the font's
        bool countLine;
        CellMark hitMark;      // the mark a typed "中" gets
    };
    // "红球遗漏分析", "篮球遗漏分析" and "和值区间分布情况".
    static Chart redOmission();
    static Chart blueOmission();
    static Chart sumIntervals();

    OmissionDialog(QSqlDatabase db, Messages &messages, int drawCount, const Chart &chart, QWidget *parent = nullptr);

    // The number shown in the count line ("0" before the first run).
    QLabel *countLabel() const { return m_count; }
    // Grid rows as the string grid counts them: the title row included.
    int gridRowCount() const;

protected:
    void runRange(const QString &from, const QString &to) override;

private:
    QLabel *m_count = nullptr;
};

#pragma once
// The chart windows over a string grid: the red and blue omission charts (with the count
// line "您选择的开奖号码有：" N "期") and the sum intervals. The chart comes from core;
// this only shows it in the grid's colours.
#include "core/stats/StatsQuery.h"
#include "ui/stats/StatsDialog.h"

class QLabel;
class StatsGridView;
class StatsTableModel;

class OmissionDialog : public StatsDialog {
    Q_OBJECT
public:
    using Compute = StatsResult (*)(QSqlDatabase, const QString &, const QString &);
    struct Chart {
        QString caption;
        Compute compute;
        StatsTable emptyTable; // the titles shown before the first run
        int columnWidth;       // the chart columns; the first ones are set below
        QVector<int> leadingWidths;
        int rowHeight;         // 0: the font's
        bool countLine;
    };
    OmissionDialog(QSqlDatabase db, Messages &messages, int drawCount, const Chart &chart, QWidget *parent);

    StatsGridView *grid() const { return m_grid; }
    StatsTableModel *model() const { return m_model; }
    // The number shown in the count line ("0" before the first run).
    QLabel *countLabel() const { return m_count; }
    // Grid rows as the string grid counts them: the title row included.
    int gridRowCount() const;

protected:
    void runRange(const QString &from, const QString &to) override;

private:
    Chart m_chart;
    StatsTableModel *m_model;
    StatsGridView *m_grid;
    QLabel *m_count = nullptr;
};

class TFrm_HongqiuYilou : public OmissionDialog {
    Q_OBJECT
public:
    TFrm_HongqiuYilou(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent = nullptr);
};

class TFrm_LanqiuYilou : public OmissionDialog {
    Q_OBJECT
public:
    TFrm_LanqiuYilou(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent = nullptr);
};

class TFrm_qujian : public OmissionDialog {
    Q_OBJECT
public:
    TFrm_qujian(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent = nullptr);
};

#pragma once
// "蓝球分布": the draws of a range with the blue ball spread over sixteen columns and its
// stored classes; "频率统计" puts the class counts into the footer row.
#include "ui/stats/StatsDialog.h"

class FooterRow;
class StatsGridView;
class StatsTableModel;

class BlueDistributionDialog : public StatsDialog {
    Q_OBJECT
public:
    BlueDistributionDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent = nullptr);

    StatsGridView *grid() const { return m_grid; }
    StatsTableModel *model() const { return m_model; }
    FooterRow *footer() const { return m_footer; }

    // "频率统计": the counts over the range in the boxes, then the range again.
    void countFrequencies();

protected:
    void runRange(const QString &from, const QString &to) override;

private:
    StatsTableModel *m_model;
    StatsGridView *m_grid;
    FooterRow *m_footer;
};

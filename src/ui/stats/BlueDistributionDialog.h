#pragma once
// "蓝球分布": the draws of a range with the blue ball spread over sixteen columns and its
// stored classes; "频率统计" puts the class counts into the footer row.
#include "ui/stats/StatsDialog.h"

class FooterRow;

class BlueDistributionDialog : public StatsDialog {
    Q_OBJECT
public:
    BlueDistributionDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent = nullptr);

    FooterRow *footer() const { return m_footer; }

    // "频率统计": the counts over the range in the boxes, then the range again.
    void countFrequencies();

private:
    FooterRow *m_footer;
};

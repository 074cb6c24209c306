#pragma once
// "红球奇偶大小分析": the stored big/small and odd/even attributes of a range, with every
// "小" and "奇" and every extreme ratio in red.
#include "ui/stats/StatsDialog.h"

class StatsGridView;
class StatsTableModel;

class BigSmallDialog : public StatsDialog {
    Q_OBJECT
public:
    BigSmallDialog(QSqlDatabase db, Messages &messages, int drawCount, QWidget *parent = nullptr);

    StatsGridView *grid() const { return m_grid; }
    StatsTableModel *model() const { return m_model; }

protected:
    void runRange(const QString &from, const QString &to) override;

private:
    StatsTableModel *m_model;
    StatsGridView *m_grid;
};

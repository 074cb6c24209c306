#pragma once
// The grid of "历史回测": one row per draw of the range (期数, 开奖号码, the bets winning each
// grade first to 福运奖, 奖金, 投注) and the totals row "合计". A money cell of a draw that won a
// first or second prize whose money per bet is not known, or whose three reds without the
// blue may have won 福运奖, is marked "*" and says so in its tool tip; the legend under the
// grid says it too.
#include "core/prize/Backtest.h"

#include <QAbstractTableModel>

class BacktestTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { DrawColumn, BallsColumn, FirstPrizeColumn, MoneyColumn = FirstPrizeColumn + PrizeRules::kGrades, CostColumn,
                  ColumnCount };

    explicit BacktestTableModel(QObject *parent = nullptr);

    void setReport(const Backtest::Report &report);
    const Backtest::Report &report() const { return m_report; }
    // The row of the totals, after the draws.
    int totalsRow() const { return int(m_report.rows.size()); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // What the "*" of MONEY stands for, a line per reason; empty when it has none.
    static QString unknownMoneyText(const Backtest::DrawReturn &money);

private:
    Backtest::Report m_report;
    bool m_shown = false; // a report was set: the totals row stands
};

#pragma once
// The bet grid's rows: one page of the current list, formatted in data() as the view asks,
// so showing a page of a 17,721,088-bet list costs a thousand small texts at most.
#include "core/bets/Bet.h"
#include "core/bets/Paging.h"

#include <QAbstractTableModel>
#include <memory>

class BetPageModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit BetPageModel(QObject *parent = nullptr);

    // Shows bets range.first..range.last of list (1-based; clipped to the list).
    void setPage(std::shared_ptr<const BetList> list, PageRange range);
    PageRange page() const { return m_range; }
    // The bet's number in the list of grid row `row` (0-based), or 0.
    qint64 betNumber(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const BetList> m_list;
    PageRange m_range;
    int m_rows = 0;
};

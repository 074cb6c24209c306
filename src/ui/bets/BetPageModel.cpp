#include "ui/bets/BetPageModel.h"

#include "core/bets/BetText.h"
#include "ui/widgets/Colours.h"

#include <QBrush>
#include <QColor>

BetPageModel::BetPageModel(QObject *parent) : QAbstractTableModel(parent) {}

void BetPageModel::setPage(std::shared_ptr<const BetList> list, PageRange range)
{
    const qint64 count = list ? qint64(list->size()) : 0;
    const qint64 last = qMin(range.last, count);
    const int rows = range.first >= 1 && last >= range.first ? int(last - range.first + 1) : 0;
    if (rows == m_rows && rows > 0) {
        // A page of the same size (any full page): new texts in the same rows, so the view
        // keeps its layout and only repaints what it shows.
        m_list = std::move(list);
        m_range = range;
        emit dataChanged(index(0, 0), index(rows - 1, 3));
        return;
    }
    beginResetModel();
    m_list = std::move(list);
    m_range = range;
    m_rows = rows;
    endResetModel();
}

qint64 BetPageModel::betNumber(int row) const
{
    return row >= 0 && row < m_rows ? m_range.first + row : 0;
}

int BetPageModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int BetPageModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant BetPageModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || index.column() >= 4)
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const qint64 b = betNumber(index.row());
        const Bet &bet = (*m_list)[std::size_t(b - 1)];
        switch (index.column()) {
        case 0:
            return QString::number(b);
        case 1:
            return redPart(bet);
        case 2:
            return bluePart(bet);
        default:
            return QString::number(redSum(bet));
        }
    }
    case Qt::ForegroundRole:
        if (index.column() == 1)
            return QBrush(Colours::red);
        if (index.column() == 2)
            return QBrush(Colours::blue);
        return {};
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant BetPageModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= 4)
        return {};
    if (role == Qt::DisplayRole) {
        static const char *const headers[] = {"注数", "红球", "蓝球", "和值"};
        return QString::fromUtf8(headers[section]);
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

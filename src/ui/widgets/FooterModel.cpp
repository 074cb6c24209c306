#include "ui/widgets/FooterModel.h"

FooterModel::FooterModel(QAbstractItemModel *grid, QObject *parent)
    : QAbstractTableModel(parent), m_grid(grid), m_columns(grid->columnCount())
{
    connect(grid, &QAbstractItemModel::modelReset, this, &FooterModel::followColumnCount);
    connect(grid, &QAbstractItemModel::columnsInserted, this, &FooterModel::followColumnCount);
    connect(grid, &QAbstractItemModel::columnsRemoved, this, &FooterModel::followColumnCount);
    connect(grid, &QAbstractItemModel::layoutChanged, this, &FooterModel::followColumnCount);
    connect(grid, &QAbstractItemModel::headerDataChanged, this, &FooterModel::followHeaderData);
}

void FooterModel::followColumnCount()
{
    const int columns = m_grid->columnCount();
    if (columns == m_columns)
        return;
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void FooterModel::followHeaderData(Qt::Orientation orientation, int first, int last)
{
    if (orientation != Qt::Horizontal || m_columns == 0)
        return;
    first = std::max(first, 0);
    last = std::min(last, m_columns - 1);
    if (first <= last)
        emit headerDataChanged(Qt::Horizontal, first, last);
}

void FooterModel::setText(int column, const QString &text)
{
    if (column < 0)
        return;
    if (m_texts.size() <= column)
        m_texts.resize(column + 1);
    m_texts[column] = text;
    if (column < m_columns)
        emit dataChanged(index(0, column), index(0, column), {Qt::DisplayRole});
}

void FooterModel::setBackground(const QColor &colour)
{
    m_background = colour;
    if (m_columns > 0)
        emit dataChanged(index(0, 0), index(0, m_columns - 1), {Qt::BackgroundRole});
}

int FooterModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

int FooterModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant FooterModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() != 0 || index.column() >= m_columns)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_texts.value(index.column());
    case Qt::BackgroundRole:
        return m_background.isValid() ? QVariant(m_background) : QVariant();
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant FooterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The columns are the grid's: every title role is the grid model's own.
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns ? m_grid->headerData(section, orientation, role) : QVariant();
    return {};
}

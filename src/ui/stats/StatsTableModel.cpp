#include "ui/stats/StatsTableModel.h"

#include <QFont>

StatsTableModel::StatsTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void StatsTableModel::setTable(const StatsTable &table)
{
    const bool columnsChange = table.columnCount() != m_table.columnCount();
    beginResetModel();
    m_table = table;
    endResetModel();
    if (!columnsChange)
        emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
}

void StatsTableModel::setEditable(bool editable, CellMark hitMark)
{
    m_editable = editable;
    m_hitMark = hitMark;
}

int StatsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount();
}

int StatsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.columnCount();
}

const StatsTableModel::Look *StatsTableModel::lookFor(const QModelIndex &index) const
{
    const auto it = m_marks.constFind(int(m_table.mark(index.row(), index.column())));
    return it == m_marks.constEnd() ? nullptr : &it.value();
}

QVariant StatsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int r = index.row(), c = index.column();
    const CellMark mark = m_table.mark(r, c);
    const Look *look = lookFor(index);
    const ColumnLook column = m_columns.value(c);
    switch (role) {
    case Qt::DisplayRole:
        // A drawn ball shows its number, the column's title, rather than "中".
        if (mark == CellMark::Drawn)
            return m_table.titles.value(c).value(0);
        return m_table.text(r, c);
    case Qt::EditRole:
    case CellTextRole:
        return m_table.text(r, c);
    case MarkRole:
        return int(mark);
    case Qt::BackgroundRole:
        if (look && look->background.isValid())
            return look->background;
        return column.background.isValid() ? QVariant(column.background) : QVariant();
    case Qt::ForegroundRole: {
        const QColor byText = m_textColours.value(m_table.text(r, c));
        if (byText.isValid() && mark == CellMark::Element)
            return byText;
        if (look && look->text.isValid())
            return look->text;
        return column.text.isValid() ? QVariant(column.text) : QVariant();
    }
    case Qt::FontRole: {
        if (!(look && look->bold) && !column.underline)
            return {};
        QFont font;
        font.setBold(look && look->bold);
        font.setUnderline(column.underline);
        return font;
    }
    case TextOffsetRole:
        return look ? look->offset : QPoint(-1, 5);
    default:
        return {};
    }
}

bool StatsTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_editable || role != Qt::EditRole || !index.isValid())
        return false;
    const QString text = value.toString();
    CellMark mark = m_table.mark(index.row(), index.column());
    if (text == QStringLiteral("中"))
        mark = m_hitMark;
    else if (mark == m_hitMark)
        mark = CellMark::Omission;
    m_table.set(index.row(), index.column(), text, mark);
    emit dataChanged(index, index);
    return true;
}

QVariant StatsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == TitleLevelsRole)
        return m_table.titles.at(section);
    if (role == Qt::DisplayRole)
        return m_table.titles.at(section).join(QLatin1Char('|'));
    return {};
}

Qt::ItemFlags StatsTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

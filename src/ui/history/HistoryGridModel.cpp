#include "ui/history/HistoryGridModel.h"

#include "core/history/DrawDetails.h"
#include "ui/history/HistoryColumns.h"
#include "ui/widgets/Colours.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QSqlQueryModel>
#include <QSqlRecord>

HistoryGridModel::HistoryGridModel(QSqlQueryModel *source, QObject *parent)
    : QAbstractTableModel(parent), m_source(source)
{
    resolveFields();
    m_rows = m_source->rowCount();
    connect(m_source, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (m_rows > 0) {
            beginRemoveRows(QModelIndex(), 0, m_rows - 1);
            m_rows = 0;
            endRemoveRows();
        }
    });
    connect(m_source, &QAbstractItemModel::modelReset, this, [this] {
        resolveFields();
        const int rows = m_source->rowCount();
        if (rows > 0) {
            beginInsertRows(QModelIndex(), 0, rows - 1);
            m_rows = rows;
            endInsertRows();
        }
    });
    // The query model reads SQLite results in pieces as the grid scrolls.
    connect(m_source, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &, int first, int last) { beginInsertRows(QModelIndex(), first, last); });
    connect(m_source, &QAbstractItemModel::rowsInserted, this, [this] {
        m_rows = m_source->rowCount();
        endInsertRows();
    });
}

void HistoryGridModel::resolveFields()
{
    const QSqlRecord record = m_source->record();
    const QVector<HistoryColumn> &columns = historyColumns();
    m_sourceColumn.resize(columns.size());
    for (int i = 0; i < columns.size(); ++i)
        m_sourceColumn[i] = record.indexOf(columns[i].field);
}

int HistoryGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int HistoryGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(historyColumns().size());
}

QVariant HistoryGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || index.column() >= columnCount())
        return QVariant();
    const HistoryColumn &column = historyColumns().at(index.column());
    switch (role) {
    case Qt::DisplayRole: {
        const int source = m_sourceColumn.at(index.column());
        if (source < 0)
            return QString();
        const QVariant v = m_source->data(m_source->index(index.row(), source));
        return v.isNull() ? QString() : v.toString();
    }
    case Qt::ToolTipRole: {
        // Read when the pointer rests on the cell; a draw without a notice has no tooltip.
        if (column.kind != HistoryColumn::DrawNumber || !m_details.isValid())
            return QVariant();
        const Result<DrawDetails> details = DrawDetailsStore::read(m_details, data(index, Qt::DisplayRole).toString());
        return details.ok() && !details.value.qishu.isEmpty() ? QVariant(drawDetailsText(details.value)) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (column.kind == HistoryColumn::DrawNumber)
            return QGuiApplication::palette().color(QPalette::HighlightedText);
        return column.background.isValid() ? QVariant(column.background) : QVariant();
    case Qt::ForegroundRole:
        return isBallColumn(column) ? QVariant(Colours::textOnBall) : QVariant();
    case Qt::FontRole: {
        if (isBallColumn(column))
            return QVariant();
        QFont font;
        font.setUnderline(true);
        font.setBold(column.kind == HistoryColumn::Attribute);
        return font;
    }
    default:
        return QVariant();
    }
}

QVariant HistoryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    if (section < 0 || section >= columnCount())
        return QVariant();
    const QStringList &titles = historyColumns().at(section).titles;
    if (role == TitleLevelsRole)
        return titles;
    if (role == Qt::DisplayRole)
        return titles.join(QLatin1Char('|'));
    return QVariant();
}

bool HistoryGridModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_source->canFetchMore();
}

void HistoryGridModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        m_source->fetchMore();
}

#pragma once
// Shows the history query's rows as the 58 grid columns, with the zone colours and fonts.
// A new query arrives as rows removed and inserted, never as a reset, so the
// grid keeps its column widths and its frozen first column.
#include <QAbstractTableModel>
#include <QSqlDatabase>
#include <QVector>

class QSqlQueryModel;

class HistoryGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum { TitleLevelsRole = Qt::UserRole + 1 };

    explicit HistoryGridModel(QSqlQueryModel *source, QObject *parent = nullptr);
    // Where the draw-number cells read their tooltip: the draw notice's date, sales and prizes.
    void setDetailsSource(QSqlDatabase db) { m_details = db; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    void resolveFields();

    QSqlQueryModel *m_source;
    QVector<int> m_sourceColumn;  // per grid column; -1 when the query lacks the field
    int m_rows = 0;
    QSqlDatabase m_details;
};

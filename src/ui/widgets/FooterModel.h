#pragma once
// The model of a footer row: one row of texts with the columns of the grid above it. Its column
// count and titles are the grid model's, kept in line as that model changes, so the row's
// cells carry the same column headers as the grid's.
#include <QAbstractTableModel>
#include <QColor>
#include <QVector>

class FooterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FooterModel(QAbstractItemModel *grid, QObject *parent = nullptr);

    void setText(int column, const QString &text);
    QString text(int column) const { return m_texts.value(column); }
    void setBackground(const QColor &colour);
    QColor background() const { return m_background; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void followColumnCount();
    void followHeaderData(Qt::Orientation orientation, int first, int last);

    QAbstractItemModel *m_grid;
    int m_columns = 0;
    QVector<QString> m_texts;  // may hold more texts than there are columns; they show once the columns come
    QColor m_background;
};

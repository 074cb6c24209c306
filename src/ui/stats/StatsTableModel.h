#pragma once
// Shows any table the statistics core hands back: its title levels (for GroupedHeaderView),
// its rows and summary rows, and a look per cell chosen from the cell's mark and column.
// The windows only say which colours their marks and columns have.
#include "core/stats/StatsTable.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QPoint>

class StatsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum {
        TitleLevelsRole = Qt::UserRole + 1, // QStringList, top level first
        CellTextRole,                       // the cell's own text ("中" where a ball shows its number)
        MarkRole,                           // int(CellMark)
        TextOffsetRole,                     // QPoint from the cell's top left; x < 0 centres the text
    };

    // How one kind of cell looks; an invalid colour leaves the column's own.
    struct Look {
        QColor background;
        QColor text;
        bool bold = false;
        QPoint offset{-1, 5};
    };
    struct ColumnLook {
        int width = 40;
        QColor background;
        QColor text;
        bool underline = false;
    };

    explicit StatsTableModel(QObject *parent = nullptr);

    void setTable(const StatsTable &table);
    const StatsTable &table() const { return m_table; }
    void setMarkLook(CellMark mark, const Look &look) { m_marks.insert(int(mark), look); }
    // Text colours by cell text, for marks whose colour depends on what they say (the elements).
    void setTextColour(const QString &text, const QColor &colour) { m_textColours.insert(text, colour); }
    void setColumnLooks(const QVector<ColumnLook> &looks) { m_columns = looks; }
    const QVector<ColumnLook> &columnLooks() const { return m_columns; }
    // Cells may be typed over; the typed text is only shown. hitMark is the mark a typed "中" gets.
    void setEditable(bool editable, CellMark hitMark = CellMark::Drawn);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    const Look *lookFor(const QModelIndex &index) const;

    StatsTable m_table;
    QHash<int, Look> m_marks;
    QHash<QString, QColor> m_textColours;
    QVector<ColumnLook> m_columns;
    bool m_editable = false;
    CellMark m_hitMark = CellMark::Drawn;
};

#pragma once
// One row of texts under a grid's columns. It is a one-row table whose columns are the grid's
// own (the same titles, widths and hidden columns), so a screen reader or UI automation reads
// each text as a table cell under its column's header. The row's header is not shown; the row
// sits exactly under the grid's cells and scrolls sideways with the grid. Columns up to
// frozenCount stay put, as they do in the grid.
#include <QColor>
#include <QVector>
#include <QHeaderView>
#include <QPointer>
#include <QWidget>

class QAbstractItemModel;
class QHBoxLayout;
class QTableView;
class FooterModel;

class FooterRow : public QWidget {
    Q_OBJECT
public:
    FooterRow(QTableView *grid, int frozenCount, QWidget *parent = nullptr);

    void setBackground(const QColor &colour);
    void setText(int column, const QString &text);
    QString text(int column) const;
    // The one-row table that shows the texts.
    QTableView *table() const { return m_table; }

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Takes the grid's column widths and hidden columns.
    void followColumns();
    // Puts the row's cells under the grid's viewport: the same left edge and width.
    void followViewport();

    // Guarded: the grid may go first, and its viewport still sends events while the grid is
    // half destroyed, when the grid itself must not be called.
    QPointer<QHeaderView> m_gridHeader;
    QPointer<QWidget> m_gridViewport;
    FooterModel *m_model;
    QTableView *m_table;
    QHBoxLayout *m_layout;
};

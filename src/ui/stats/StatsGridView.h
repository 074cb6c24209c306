#pragma once
// The grid of a statistics window over a StatsTableModel: grouped titles, cells painted
// from the model's looks with their text placed where the window says, and optionally the
// first column frozen while the grid scrolls sideways (the string grids' fixed column).
#include <QTableView>

class StatsTableModel;

class StatsGridView : public QTableView {
    Q_OBJECT
public:
    StatsGridView(StatsTableModel *model, int titleLevels, bool frozenFirstColumn, QWidget *parent = nullptr);

    StatsTableModel *statsModel() const { return m_model; }
    // Widths from the model's column looks; call after the table has its columns.
    void applyColumnWidths();
    void setRowHeight(int pixels);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

private:
    void placeFrozen();

    StatsTableModel *m_model;
    QTableView *m_frozen = nullptr;
};

#pragma once
// The grid of a statistics window over a StatsTableModel: grouped titles, cells painted
// from the model's looks with their text placed where the window says, and optionally the
// first column frozen while the grid scrolls sideways (the string grids' fixed column).
#include "ui/widgets/FrozenColumnView.h"

class StatsTableModel;

class StatsGridView : public FrozenColumnView {
    Q_OBJECT
public:
    StatsGridView(StatsTableModel *model, int titleLevels, bool frozenFirstColumn, QWidget *parent = nullptr);

    StatsTableModel *statsModel() const { return m_model; }
    // Widths from the model's column looks; they are applied again after every new table.
    void applyColumnWidths();

private:
    StatsTableModel *m_model;
};

#pragma once
// The history grid: 58 columns with grouped titles, the first column frozen while
// the grid scrolls sideways, ball cells painted red, and lines drawn over it.
#include "ui/widgets/FrozenColumnView.h"

class HistoryGridModel;
class LineOverlay;

class HistoryGridView : public FrozenColumnView {
    Q_OBJECT
public:
    explicit HistoryGridView(HistoryGridModel *model, QWidget *parent = nullptr);

    void setBallColumnWidths(int redWidth, int blueWidth);
    LineOverlay *lines() const { return m_lines; }

    // Drawing mode: each mouse release over the grid adds a point of the line.
    void setDrawingMode(bool on);
    // Shows the last row at the bottom of the view (after a draw is added).
    void scrollToLastRow();
    bool drawingMode() const { return m_drawing; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void placeOverlays() override;

private:

    LineOverlay *m_lines;
    bool m_drawing = false;
};

#pragma once
// The betting tab's left column (the method group and the filter groups) in a scroll area
// without a frame. It asks for the column's whole size, but at least only for the part above
// the group "号码组过滤": a window no taller than before still shows the original groups
// whole, and the number groups are scrolled to. The column keeps its own width whether the
// scroll bar shows or not, so the groups stand where they stood without the scroll area.
#include <QScrollArea>

class FilterScrollArea : public QScrollArea {
    Q_OBJECT
public:
    // column holds the groups; below is its last part, the one that may be scrolled to.
    FilterScrollArea(QWidget *column, QWidget *below, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int scrollBarWidth() const;
    int belowHeight() const; // the number groups and the spacing above them
    QWidget *m_below;
};

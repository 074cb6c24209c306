#pragma once
// A table view whose first column stays put while the rest scrolls sideways (the shape of
// Qt's itemviews/frozencolumn example): a second view over the same model, delegate and
// selection is laid over column 0 and kept in step with this one, its width through
// sectionResized, its place through updateGeometries and resizeEvent, its rows through the
// vertical scroll bars, and moveCursor never leaves the current cell under it.
// Both views get grouped titles of titleLevels levels read from levelsRole.
#include <QTableView>

class FrozenColumnView : public QTableView {
    Q_OBJECT
public:
    FrozenColumnView(int levelsRole, int titleLevels, QWidget *parent = nullptr);

    // Lays the frozen column over this view. It takes the model, delegate, font, selection
    // behaviour and mode and row height as they are now, so call it once the view is set up.
    // A view that never calls it is a plain table with grouped titles.
    void freezeFirstColumn();
    // Null until freezeFirstColumn().
    QTableView *frozenColumn() const { return m_frozen; }

    // The row height of both views.
    void setDefaultRowHeight(int pixels);
    // The font of both views and their titles.
    void setGridFont(const QFont &font);

    void doItemsLayout() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    // Called each time the frozen column is placed again (the view resized or laid out): a
    // subclass places here whatever else it lays over the viewport.
    virtual void placeOverlays() {}

private:
    void updateSectionWidth(int logicalIndex, int oldSize, int newSize);
    void updateSectionHeight(int logicalIndex, int oldSize, int newSize);
    void updateFrozenColumnGeometry();
    // After a reset the frozen view shows every column again: only column 0 stays.
    void showOnlyFirstColumn();

    int m_levelsRole;
    int m_titleLevels;
    QTableView *m_frozen = nullptr;
};

#pragma once
// What the six statistics windows share, so that each is built the same way: the range strip
// at the top ("选择显示期数：" fromBox "至" toBox, "确    定", "退    出", and where a window
// has one the button that brings the main window to the front), filled with every draw number
// each time the window is shown; the table model and the grid below it; and the run, which
// computes the window's table over the range and shows it (or the failure).
#include "core/stats/StatsQuery.h"

#include <QDialog>
#include <QSqlDatabase>

class QComboBox;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;
class Messages;
class StatsGridView;
class StatsTableModel;
struct Outcome;

class StatsDialog : public QDialog {
    Q_OBJECT
public:
    using Compute = StatsResult (*)(QSqlDatabase, const QString &from, const QString &to);
    enum class DefaultStart { RecentDraws, FirstDraw };
    struct Options {
        QString objectName;
        QString caption;
        Compute compute = nullptr; // the table a run shows
        DefaultStart start = DefaultStart::RecentDraws;
        bool runOnShow = false;
        QString mainWindowButton; // empty: none
    };

    // drawCount is the default range length D: the range starts D + 1 draws back.
    StatsDialog(QSqlDatabase db, Messages &messages, int drawCount, const Options &options, QWidget *parent);

    // The range: "选择显示期数：" from "至" to.
    QComboBox *fromBox = nullptr;
    QComboBox *toBox = nullptr;
    QPushButton *runButton() const { return m_run; }
    StatsTableModel *model() const { return m_model; }
    StatsGridView *grid() const { return m_grid; }

    // "确    定": the window's statistics over the range in the boxes.
    void run();

protected:
    // Shows the window's table over the range (after showing a failure, the table that came with it).
    virtual void runRange(const QString &from, const QString &to);
    // Called after the boxes are filled on every show, before a run on show.
    virtual void prepare() {}

    void showEvent(QShowEvent *event) override;
    // The strip, for windows that add a button or a line to it, and the area below it.
    QHBoxLayout *strip() const { return m_strip; }
    QVBoxLayout *body() const { return m_body; }
    // A button placed in the strip's right part, before the main-window button and "退    出".
    QPushButton *addStripButton(const QString &text, const QString &name);
    // The read-only "recordGrid" below the strip, whole rows selected one at a time, its widths
    // taken from the model's column looks (set them first); it shows the columns' titles until
    // the first run.
    StatsGridView *addRecordGrid(int titleLevels, const QVector<StatsQuery::FieldColumn> &columns);
    // The "chartGrid" below the strip, its first column frozen, showing the empty table's
    // titles until the first run.
    StatsGridView *addChartGrid(const StatsTable &emptyTable);
    // A table with the columns' titles and no rows.
    static StatsTable titledTable(const QVector<StatsQuery::FieldColumn> &columns);
    QSqlDatabase database() const { return m_db; }
    Messages &messages() const { return m_messages; }
    bool showOutcome(const Outcome &outcome);

private:
    void fillRanges();
    void bringMainWindowToFront();

    QSqlDatabase m_db;
    Messages &m_messages;
    int m_drawCount;
    Options m_options;
    StatsTableModel *m_model;
    StatsGridView *m_grid = nullptr;
    QHBoxLayout *m_strip = nullptr;
    QVBoxLayout *m_body = nullptr;
    QPushButton *m_run = nullptr;
    int m_rightButtons = 0; // where the next added button goes
};

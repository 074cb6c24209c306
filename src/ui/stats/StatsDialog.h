#pragma once
// What the six statistics windows share: the range strip at the top ("选择显示期数：" cmb1
// "至" cmb2, "确    定", "退    出", and where a window has one the button that brings the
// main window to the front), filled with every draw number each time the window is shown.
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
    enum class DefaultStart { RecentDraws, FirstDraw };
    struct Options {
        QString caption;
        DefaultStart start = DefaultStart::RecentDraws;
        bool runOnShow = false;
        QString mainWindowButton; // empty: none
    };

    // drawCount is the default range length D: the range starts D + 1 draws back.
    StatsDialog(QSqlDatabase db, Messages &messages, int drawCount, const Options &options, QWidget *parent);

    QComboBox *cmb1 = nullptr;
    QComboBox *cmb2 = nullptr;
    QPushButton *runButton() const { return m_run; }

    // "确    定": the window's statistics over the range in the boxes.
    void run();

protected:
    virtual void runRange(const QString &from, const QString &to) = 0;
    // Called after the boxes are filled on every show, before a run on show.
    virtual void prepare() {}

    void showEvent(QShowEvent *event) override;
    // The strip, for windows that add a button or a line to it, and the area below it.
    QHBoxLayout *strip() const { return m_strip; }
    QVBoxLayout *body() const { return m_body; }
    // A button placed in the strip's right part, before the main-window button and "退    出".
    QPushButton *addStripButton(const QString &text, const QString &name);
    // The read-only "DBGridEh1" grid below the strip, whole rows selected one at a time,
    // its widths taken from the model's column looks (set them first).
    StatsGridView *addRecordGrid(StatsTableModel *model, int titleLevels);
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
    QHBoxLayout *m_strip = nullptr;
    QVBoxLayout *m_body = nullptr;
    QPushButton *m_run = nullptr;
    int m_rightButtons = 0; // where the next added button goes
};

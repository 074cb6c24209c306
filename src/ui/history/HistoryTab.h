#pragma once
// The tab "历史数据分析": the tool row, the history grid over the shown rows and its footer.
#include "core/history/HistoryQuery.h"

#include <QSqlDatabase>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSqlQueryModel;
class FooterRow;
class HistoryGridModel;
class HistoryGridView;
class Messages;

class HistoryTab : public QWidget {
    Q_OBJECT
public:
    HistoryTab(QSqlDatabase db, Messages &messages, QWidget *parent = nullptr);

    FooterRow *footer() const { return m_footer; }
    HistoryGridModel *gridModel() const { return m_gridModel; }

    void setBallColumnWidths(int redWidth, int blueWidth);
    // Fills the range lists with every draw number and preselects the latest n.
    void fillRanges(const QStringList &numbers, int n);
    // "确定": shows the draws from the range start to the range end.
    void applyRange();
    // "降序排列": every draw, in the order the box says.
    void listWholeHistory();
    // "删除选中行" / "删除选中数据...": asks, then deletes the draw of the current row.
    void deleteCurrentDraw();
    // "全部数据清空...": asks, then deletes every draw.
    void clearAllDraws();
    // "频率统计": counts of each ball over the range into the footer.
    void countFrequencies();
    // "画线" / "取消画线".
    void toggleDrawing();
    // Draws were stored: their numbers go to the end of the range end list, the last is selected, and the
    // range is shown.
    void drawsAdded(const QStringList &qishus);

private:
    bool showStatement(const HistoryStatement &statement);

    QComboBox *m_rangeStart = nullptr;
    QComboBox *m_rangeEnd = nullptr;
    HistoryGridView *m_grid = nullptr;
    QSqlQueryModel *m_rowsModel = nullptr;  // the draws the grid shows
    QSqlDatabase m_db;
    Messages &m_messages;
    HistoryStatement m_current;  // the statement the grid shows, re-run after a delete
    HistoryGridModel *m_gridModel = nullptr;
    FooterRow *m_footer = nullptr;
    QCheckBox *m_descending = nullptr;
    QPushButton *m_drawButton = nullptr;
};

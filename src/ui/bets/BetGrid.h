#pragma once
// The bet grid: the table of one page of bets, its pager ("共P页", "共N注", the page box,
// "上一页", "下一页") and its context menu. It shows the list it is given; changing the list
// is the tab's work, asked for through the signals.
#include "core/bets/Bet.h"

#include <QWidget>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class BetPageModel;
class PageNumberModel;

class BetGrid : public QWidget {
    Q_OBJECT
public:
    explicit BetGrid(QWidget *parent = nullptr);

    QTableView *betTable = nullptr;
    QLabel *pageCountLabel = nullptr;          // 共P页
    QLabel *betCountLabel = nullptr;           // 共N注
    QComboBox *pageBox = nullptr;              // 第 [page] 页, editable
    QPushButton *previousPageButton = nullptr; // 上一页
    QPushButton *nextPageButton = nullptr;     // 下一页
    QMenu *contextMenu = nullptr;
    QAction *deleteAction = nullptr;    // 删除选中行
    QAction *reduceBy5Action = nullptr; // 保5号缩水
    QAction *reduceBy4Action = nullptr; // 保4号缩水
    QAction *reduceBy3Action = nullptr; // 保3号缩水

    BetPageModel *model() const { return m_model; }

    // Page 1 of list, the labels and the page box refilled, the page selector armed.
    void showFirstPage(std::shared_ptr<const BetList> list);
    // Changes of the page box do nothing until the next showFirstPage.
    void disarmPageSelector() { m_armed = false; }
    bool pageSelectorArmed() const { return m_armed; }
    // The bet number in column 0 of the selected row, or 0 when no row is selected.
    qint64 selectedBet() const;

    void showChosenPage(); // the page the box names
    void showPreviousPage();
    void showNextPage();

signals:
    void deleteRequested();       // 删除选中行
    void reduceRequested(int n);  // 保N号缩水

private:
    void showPage(qint64 page);

    BetPageModel *m_model;
    PageNumberModel *m_pages;
    std::shared_ptr<const BetList> m_list;
    bool m_armed = false;
};

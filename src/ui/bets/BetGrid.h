#pragma once
// The bet grid SeSkinStringGrid1 with its pager ("共P页", "共N注", the page box, "上一页",
// "下一页") and its context menu PopupMenu1. It shows the list it is given; changing the
// list is the tab's work, asked for through the signals.
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

    QTableView *SeSkinStringGrid1 = nullptr;
    QLabel *SeSkinLabel7 = nullptr;     // 共P页
    QLabel *SeSkinLabel23 = nullptr;    // 共N注
    QComboBox *SeSkinComboBox1 = nullptr;
    QPushButton *SeSkinButton8 = nullptr; // 上一页
    QPushButton *SeSkinButton9 = nullptr; // 下一页
    QMenu *PopupMenu1 = nullptr;
    QAction *N27 = nullptr, *N51 = nullptr, *N41 = nullptr, *N31 = nullptr;

    BetPageModel *model() const { return m_model; }

    // Page 1 of list, the labels and the page box refilled, the page selector armed.
    void ShowFirstBetPage(std::shared_ptr<const BetList> list);
    // Changes of the page box do nothing until the next ShowFirstBetPage.
    void disarmPageSelector() { m_armed = false; }
    bool pageSelectorArmed() const { return m_armed; }
    // The bet number in column 0 of the selected row, or 0 when no row is selected.
    qint64 selectedBet() const;

    void SeSkinComboBox1Change(); // shows the page the box names
    void SeSkinButton8Click();
    void SeSkinButton9Click();

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

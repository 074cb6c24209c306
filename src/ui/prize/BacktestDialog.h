#pragma once
// "历史回测": the betting tab's current list and its filter settings played against the stored
// draws of a range (by default the latest 100). The range strip stands above two tabs:
// "历史回测" plays the list in every draw, off the UI thread behind a progress dialog whose
// "取消" leaves the previous result shown, and shows a row per draw, the totals, a chart of the
// yuan won against the cost, and the return over the range; "过滤回测" counts for each ticked
// condition, and for all of them together at the tolerance of "容错", the draws whose winning
// reds it would have kept.
#include "core/bets/Bet.h"
#include "core/bets/Filters.h"
#include "core/prize/PrizeRules.h"

#include <QDialog>
#include <QPointer>
#include <QSqlDatabase>
#include <memory>

class BackgroundTask;
class BacktestChart;
class BacktestTableModel;
class Messages;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;
class QTabWidget;
namespace Backtest {
struct Report;
}

class BacktestDialog : public QDialog {
    Q_OBJECT
public:
    // The latest this many draws make the range at first.
    static constexpr int kDefaultDraws = 100;

    // periods: the shipped table of 福运奖 periods, which tells the draws the history does not.
    BacktestDialog(QSqlDatabase db, std::shared_ptr<const BetList> bets, const FilterSettings &filters,
                   const PrizeRules::FortunePeriods &periods, Messages &messages, QWidget *parent = nullptr);
    ~BacktestDialog() override;

    QComboBox *fromBox = nullptr;
    QComboBox *toBox = nullptr;
    QTabWidget *tabs = nullptr;
    QPushButton *runButton = nullptr;       // "开始回测" of "历史回测"
    QPushButton *filterRunButton = nullptr; // "开始回测" of "过滤回测"
    QTableView *grid = nullptr;
    QLabel *returnLabel = nullptr;
    QLabel *unknownMoneyLabel = nullptr;
    QTableWidget *filterTable = nullptr;

    BacktestTableModel *model() const { return m_model; }
    BacktestChart *chart() const { return m_chart; }
    // The run going on, or null.
    BackgroundTask *task() const;

    // "开始回测" of each tab over the range in the boxes.
    void runBacktest();
    void runFilterBacktest();

signals:
    // A run of "历史回测" has ended; applied: its result is shown (not cancelled).
    void backtestEnded(bool applied);

private:
    QWidget *buildBetTab();
    QWidget *buildFilterTab();
    void showReport(const Backtest::Report &report);
    void fitColumns();

    QSqlDatabase m_db;
    std::shared_ptr<const BetList> m_bets;
    FilterSettings m_filters;
    PrizeRules::FortunePeriods m_fortunePeriods;
    Messages &m_messages;
    BacktestTableModel *m_model = nullptr;
    BacktestChart *m_chart = nullptr;
    QPointer<BackgroundTask> m_task;
};

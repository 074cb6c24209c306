#pragma once
// The tab "缩水过滤选号". It owns the two bet lists of the run: the generated list (what the
// last generation made; the filter always starts from it) and the current list (what the grid
// shows, exports, prints and hands to the prize check). Both are shared, immutable lists:
// every operation builds a new list off the UI thread and swaps it in when it finishes, so a
// cancelled operation leaves both lists and the grid as they were.
#include "core/Outcome.h"
#include "core/bets/Bet.h"
#include "core/bets/BetEngine.h"
#include "core/bets/Filters.h"
#include "ui/bets/SaveName.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QPushButton;
class BetGrid;
class FilterRows;
class Messages;
class MethodGroup;
class PickerStrip;
class PrintDialog;
class BankerPicker;

class BettingTab : public QWidget {
    Q_OBJECT
public:
    // picker is the strip "开始选号" the generation reads its balls from.
    BettingTab(const QString &programDir, PickerStrip *picker, Messages &messages, QWidget *parent = nullptr);
    ~BettingTab() override;

    std::shared_ptr<const BetList> generatedList() const { return m_engine.lists().generated; }
    std::shared_ptr<const BetList> currentList() const { return m_engine.lists().current; }
    // The current list as output lines "01 02 03 04 05 06 12", in list order.
    QStringList currentOutputLines() const;

    MethodGroup *methods() const { return m_methods; }
    FilterRows *filters() const { return m_filters; }
    BetGrid *grid() const { return m_grid; }
    BankerPicker *bankerPicker() const { return m_bankerPicker; }
    PrintDialog *printDialog() const { return m_print; }
    void setSaveNameAsker(SaveNameFn asker);
    // A long operation runs; its result is applied when it ends. Meanwhile the buttons and
    // context-menu items that start another one are disabled, and say why.
    bool isBusy() const { return m_busy; }

    QPushButton *generateButton = nullptr;   // 开始投注
    QPushButton *filterButton = nullptr;     // 条件过滤
    QPushButton *exportButton = nullptr;     // 导出号码
    QPushButton *prizeCheckButton = nullptr; // 中奖查询
    QPushButton *backtestButton = nullptr;   // 历史回测

    void generate();
    void filter();
    void exportCurrentList();
    void requestPrizeCheck();
    void requestBacktest();
    void deleteSelectedBet();      // 删除选中行
    void reduceByGuarantee(int n); // 保N号缩水 on the current list

    // Lists above this many bets are exported straight to a file instead of the text box.
    static constexpr std::size_t kDirectExportLimit = 100000;

signals:
    // "中奖查询" was clicked; current is the current bet list.
    void prizeCheckRequested(std::shared_ptr<const BetList> current);
    // "历史回测" was clicked: the current list and the filter rows as they stand.
    void backtestRequested(std::shared_ptr<const BetList> current, const FilterSettings &filters);
    // A long operation ended and its result, if any, is applied (tests and the benchmark wait on it).
    void operationFinished();

private:
    // Runs compute on a worker behind the progress dialog; apply gets its result on the UI
    // thread unless the user cancelled.
    template <class Result, class Compute, class Apply>
    void runLong(const QString &label, Compute compute, Apply apply);
    // Installs a list operation's result and shows page 1 when it made new lists.
    void applyListResult(const EngineResult &r);
    // Installs the lists of r, if it made any, keeping the replaced ones to be let go later.
    void install(const EngineResult &r);
    void releaseRetiredLists();
    // The controls that start a long operation ("中奖查询" only once a generation succeeded).
    void setJobControlsEnabled(bool enabled);
    void showFirstPage();

    QString m_programDir;
    PickerStrip *m_picker;
    Messages &m_messages;
    SaveNameFn m_askName;
    BetEngine m_engine;
    std::vector<BetLists> m_retired;
    bool m_busy = false;
    bool m_prizeCheckReady = false; // a generation ran to a list: "中奖查询" may be used

    MethodGroup *m_methods = nullptr;
    FilterRows *m_filters = nullptr;
    BetGrid *m_grid = nullptr;
    BankerPicker *m_bankerPicker = nullptr;
    PrintDialog *m_print = nullptr;
};

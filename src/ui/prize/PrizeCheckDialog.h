#pragma once
// "中奖查询": checks one ticket ("单注查询") or a list of ticket lines ("批量查询") against a
// stored draw. One instance lives for the whole run; the betting tab hands its current
// list over before showing it. A list longer than the hand-over limit is kept as the bets
// themselves, not as millions of lines of text, and checked as such.
#include "core/bets/Bet.h"
#include "core/prize/PrizeRules.h"

#include <QDialog>
#include <QSqlDatabase>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class Messages;

class PrizeCheckDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr std::size_t kDefaultHandOverLimit = 100000;

    // periods: the shipped table of 福运奖 periods, which tells the draws the history does not.
    PrizeCheckDialog(QSqlDatabase db, const PrizeRules::FortunePeriods &periods, Messages &messages,
                     QWidget *parent = nullptr, std::size_t handOverLimit = kDefaultHandOverLimit);

    // The hand-over: empties the list box and fills it with the list, one output line per
    // bet ("01 02 03 04 05 06 12"); above the limit the bets are kept and the box says how many.
    void setBets(std::shared_ptr<const BetList> bets);
    // The same for lines already made.
    void setBetLines(const QStringList &lines);
    // Bets held for the list check instead of lines; null when the box holds typed text.
    std::shared_ptr<const BetList> heldBets() const { return m_heldBets; }

    // "查询" of each tab.
    void checkSingle();
    void checkList();

    QTabWidget *tabs = nullptr;
    QComboBox *singleDraw = nullptr;
    QComboBox *listDraw = nullptr;
    QLineEdit *redFields[6] = {};
    QLineEdit *blueField = nullptr;
    QLabel *singleResult = nullptr;
    QLabel *listResult = nullptr;
    QPlainTextEdit *betListBox = nullptr;
    QPushButton *singleCheckButton = nullptr;
    QPushButton *listCheckButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What one tab's builder hands back for the tab to add its numbers in row 1, column 1.
    struct CheckTab;
    // A tab's frame, draw list, result line and buttons, named name + "Draw", "Result",
    // "CheckButton" and "CloseButton"; "查询" calls check.
    CheckTab buildCheckTab(const QString &name, void (PrizeCheckDialog::*check)());
    QWidget *buildSingleTab();
    QWidget *buildListTab();
    void prepare();
    void releaseHeldBets();

    QSqlDatabase m_db;
    PrizeRules::FortunePeriods m_fortunePeriods;
    Messages &m_messages;
    std::size_t m_handOverLimit;
    std::shared_ptr<const BetList> m_heldBets;
};

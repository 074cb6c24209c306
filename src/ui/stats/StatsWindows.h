#pragma once
// Opens the statistics windows for the main window: a fresh window per menu click (modal
// for the charts, modeless for the lists), the one five-elements window and the one prize
// check dialog. The modeless windows close when the main window closes.
#include "core/bets/Bet.h"
#include "core/prize/PrizeRules.h"
#include "core/settings/DisplaySettings.h"

#include <QObject>
#include <QPointer>
#include <QSqlDatabase>
#include <memory>

class QDialog;
class QWidget;
class Messages;
class PrizeCheckDialog;
class FiveElementsDialog;

class StatsWindows : public QObject {
    Q_OBJECT
public:
    // settings is read when a window opens, so the range length read at first show applies;
    // periods is the shipped table of 福运奖 periods, for the prize check.
    StatsWindows(QSqlDatabase db, Messages &messages, const DisplaySettings &settings, QWidget *mainWindow,
                 const PrizeRules::FortunePeriods &periods, std::size_t handOverLimit = 100000);

    void openRedOmission();
    void openBlueOmission();
    void openSumIntervals();
    void openBlueDistribution();
    void openBigSmallOddEven();
    void openFiveElements();
    void openPrizeCheck();
    // The betting tab's "中奖查询": the current list into the list box, then the dialog.
    void checkBets(std::shared_ptr<const BetList> bets);

    PrizeCheckDialog *prizeCheck() const { return m_prizeCheck; }
    FiveElementsDialog *fiveElements() const { return m_fiveElements; }
    // The modeless windows now open.
    QList<QDialog *> openWindows() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openModal(QDialog *dialog);
    void openModeless(QDialog *dialog);

    QSqlDatabase m_db;
    Messages &m_messages;
    const DisplaySettings &m_settings;
    QWidget *m_main;
    PrizeCheckDialog *m_prizeCheck;
    FiveElementsDialog *m_fiveElements = nullptr; // made at the first click, then shown again and again
    QList<QPointer<QDialog>> m_modeless;
};

#include "ui/stats/StatsWindows.h"

#include "ui/stats/OmissionDialog.h"
#include "ui/stats/BlueDistributionDialog.h"
#include "ui/prize/PrizeCheckDialog.h"
#include "ui/stats/BigSmallDialog.h"
#include "ui/stats/FiveElementsDialog.h"

#include <QEvent>

StatsWindows::StatsWindows(QSqlDatabase db, Messages &messages, const DisplaySettings &settings, QWidget *mainWindow,
                           const PrizeRules::FortunePeriods &periods, std::size_t handOverLimit)
    : QObject(mainWindow), m_db(db), m_messages(messages), m_settings(settings), m_main(mainWindow),
      m_prizeCheck(new PrizeCheckDialog(db, periods, messages, mainWindow, handOverLimit))
{
    mainWindow->installEventFilter(this);
}

void StatsWindows::openModal(QDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
}

void StatsWindows::openModeless(QDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(false);
    m_modeless.removeAll(nullptr);
    m_modeless.append(dialog);
    dialog->show();
}

void StatsWindows::openRedOmission()
{
    openModal(new OmissionDialog(m_db, m_messages, m_settings.drawCount, OmissionDialog::redOmission(), m_main));
}

void StatsWindows::openBlueOmission()
{
    openModal(new OmissionDialog(m_db, m_messages, m_settings.drawCount, OmissionDialog::blueOmission(), m_main));
}

void StatsWindows::openSumIntervals()
{
    openModal(new OmissionDialog(m_db, m_messages, m_settings.drawCount, OmissionDialog::sumIntervals(), m_main));
}

void StatsWindows::openBlueDistribution()
{
    openModeless(new BlueDistributionDialog(m_db, m_messages, m_settings.drawCount, m_main));
}

void StatsWindows::openBigSmallOddEven()
{
    openModeless(new BigSmallDialog(m_db, m_messages, m_settings.drawCount, m_main));
}

void StatsWindows::openFiveElements()
{
    if (!m_fiveElements) {
        m_fiveElements = new FiveElementsDialog(m_db, m_messages, m_settings.drawCount, m_main);
        m_fiveElements->setModal(false);
        m_modeless.append(m_fiveElements);
    }
    m_fiveElements->show();
    m_fiveElements->raise();
    m_fiveElements->activateWindow();
}

void StatsWindows::openPrizeCheck()
{
    m_prizeCheck->show();
    m_prizeCheck->raise();
}

void StatsWindows::checkBets(std::shared_ptr<const BetList> bets)
{
    m_prizeCheck->setBets(std::move(bets));
    openPrizeCheck();
}

QList<QDialog *> StatsWindows::openWindows() const
{
    QList<QDialog *> open;
    for (const QPointer<QDialog> &d : m_modeless)
        if (d && d->isVisible())
            open << d.data();
    return open;
}

bool StatsWindows::eventFilter(QObject *watched, QEvent *event)
{
    // The main window hides only once its close was accepted; a minimise is spontaneous.
    if (watched == m_main && event->type() == QEvent::Hide && !event->spontaneous())
        for (QDialog *d : openWindows())
            d->close();
    return QObject::eventFilter(watched, event);
}

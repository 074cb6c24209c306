#include "ui/widgets/BackgroundTask.h"

#include <QProgressDialog>

BackgroundTask::BackgroundTask(QWidget *parent, const QString &label) : QObject(parent)
{
    m_dialog = new QProgressDialog(label, QStringLiteral("取消"), 0, kSteps, parent);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    // The task closes the dialog itself; the bar reaching its end is not the end of the work.
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0); // starts the clock of kShowAfterMs
}

BackgroundTask::~BackgroundTask()
{
    if (m_watcher && !m_done) {
        m_watcher->cancel();
        m_watcher->waitForFinished();
    }
    delete m_dialog;
}

void BackgroundTask::watch(QFutureWatcherBase *watcher)
{
    m_watcher = watcher;
    connect(watcher, &QFutureWatcherBase::progressValueChanged, m_dialog, &QProgressDialog::setValue);
    connect(m_dialog, &QProgressDialog::canceled, this, &BackgroundTask::cancel);
}

void BackgroundTask::cancel()
{
    if (m_watcher && !m_done)
        m_watcher->cancel();
}

void BackgroundTask::done(bool applied)
{
    m_done = true;
    if (m_dialog)
        m_dialog->hide();
    emit finished(applied);
    deleteLater();
}

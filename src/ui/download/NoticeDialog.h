#pragma once
// "从开奖公告更新": reads the lottery's draw notice (the address in user/Notice.txt) page by
// page, newest first, or saved notice files, and stores the new draws through the batch rules
// of the draw entry. The job of core/download runs on a worker with its own connection, behind
// a progress dialog whose "取消" keeps the draws stored so far and says how many they are.
// The log list is the download dialog's: what the job says, and every refused entry.
#include <QDialog>
#include <QMutex>
#include <QPointer>
#include <QSqlDatabase>
#include <QStringList>

class BackgroundTask;
class Messages;
class QListWidget;
class QPushButton;
class QTimer;
struct DownloadSink;
struct NoticeResult;

class NoticeDialog : public QDialog {
    Q_OBJECT
public:
    NoticeDialog(QSqlDatabase db, const QString &programDir, Messages &messages, QWidget *parent = nullptr);
    ~NoticeDialog() override;

    void startUpdate();                        // "开始更新": the pages of user/Notice.txt
    void importFiles(const QStringList &paths); // "导入开奖公告文件..."
    bool isRunning() const { return !m_task.isNull(); }
    BackgroundTask *task() const;

signals:
    // The job has ended (done, refused, failed or cancelled).
    void updateEnded();
    // Draws were stored, in this order; once at the end of each job, also a cancelled one.
    void drawsStored(const QStringList &qishus);

private:
    template <class Job>
    void run(const QString &label, Job job);
    DownloadSink workerSink();
    void drainLog();
    void ended(bool applied);
    void showResult(const NoticeResult &result);

    QListWidget *m_logList = nullptr;
    QPushButton *m_startButton = nullptr;   // "开始更新"
    QPushButton *m_quitButton = nullptr;    // "退出"
    QTimer *m_logTimer = nullptr;

    QSqlDatabase m_db;
    QString m_programDir;
    Messages &m_messages;
    QPointer<BackgroundTask> m_task;

    // Written by the worker, taken here.
    QMutex m_mutex;
    QStringList m_pendingLog;
    QStringList m_storedDraws;
};

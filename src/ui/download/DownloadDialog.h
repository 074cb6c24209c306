#pragma once
// "开奖数据自动更新": fetches the page of the latest draws (or of all draws) and runs the
// download job of core/download on it: the draws the history lacks are stored through the
// batch rules of the draw entry, on a worker with its own connection, behind a progress
// dialog whose "取消" keeps the draws stored so far. The log fills as the job reports.
#include "core/download/PageFetch.h"

#include <QDialog>
#include <QMutex>
#include <QPointer>
#include <QSqlDatabase>
#include <QStringList>

class BackgroundTask;
class Messages;
class QListWidget;
class QPushButton;
class QRadioButton;

class DownloadDialog : public QDialog {
    Q_OBJECT
public:
    DownloadDialog(QSqlDatabase db, const QString &programDir, Messages &messages, QWidget *parent = nullptr);
    ~DownloadDialog() override;

    // A draw the history lacked was found in the current download.
    bool foundNew() const;
    // A page is awaited: one that arrives now is analysed.
    bool awaitingPage() const { return m_awaitingPage; }
    // The draws of the current download are being stored.
    bool isStoring() const { return !m_storing.isNull(); }

    void startDownload();                    // "开始下载"
    void pageArrived(const FetchedPage &page);

signals:
    // The page of the current download has been analysed (and its draws stored, or their
    // storing cancelled), or could not be fetched.
    void downloadEnded();
    // Draws were stored, in this order: once at the end of a download, as the entry
    // dialog's batch reports them, so the history re-reads its grid once.
    void drawsStored(const QStringList &qishus);

protected:
    void showEvent(QShowEvent *event) override;

private:
    class Relay;

    void log(const QString &line);
    void appendLog(const QStringList &lines);
    void storeInBackground(const FetchedPage &page);
    void storingEnded(bool downloadEnds);
    void stopStoring();

    QRadioButton *m_latestChoice = nullptr;   // "最新开奖数据更新"
    QRadioButton *m_historyChoice = nullptr;  // "历史数据更新"
    QListWidget *m_logList = nullptr;
    QPushButton *m_startButton = nullptr;     // "开始下载"
    QPushButton *m_quitButton = nullptr;      // "退出"

    QSqlDatabase m_db;
    QString m_programDir;
    Messages &m_messages;
    PageFetch *m_fetch;
    bool m_awaitingPage = false;
    QPointer<BackgroundTask> m_storing;

    // Written by the storing's worker, read here once it has ended.
    mutable QMutex m_storedMutex;
    bool m_foundNew = false;
    QStringList m_storedDraws;
};

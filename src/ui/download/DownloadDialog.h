#pragma once
// "开奖数据自动更新": fetches the page of the latest draws (or of all draws), keeps
// the draws the history lacks and stores them through the entry dialog's batch, so a
// downloaded draw gets the same checks and rows as a typed one.
#include "core/download/DrawPage.h"
#include "core/download/PageFetch.h"

#include <QDialog>
#include <QSqlDatabase>

class QListWidget;
class QPushButton;
class QRadioButton;
class Messages;
class DrawEntryDialog;

class DownloadDialog : public QDialog {
    Q_OBJECT
public:
    DownloadDialog(QSqlDatabase db, DrawEntryDialog *entry, const QString &programDir, Messages &messages,
                QWidget *parent = nullptr);

    QRadioButton *latestChoice = nullptr;   // "最新开奖数据更新"
    QRadioButton *historyChoice = nullptr;  // "历史数据更新"
    QListWidget *ListBox1 = nullptr;        // the progress log
    QPushButton *startButton = nullptr;     // "开始下载"
    QPushButton *quitButton = nullptr;      // "退出"

    // A draw the history lacked was found in the current download.
    bool FoundNew = false;
    // No page is awaited: a page that arrives now is not analysed.
    bool IgnoreDownload = true;

    void startDownload();                    // "开始下载"
    void pageArrived(const FetchedPage &page);

signals:
    // The page of the current download has been analysed (and its draws stored), or
    // could not be fetched.
    void downloadEnded();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void log(const QString &line);
    void analyse(const QString &pageText);

    QSqlDatabase m_db;
    DrawEntryDialog *m_entry;
    QString m_programDir;
    Messages &m_messages;
    PageFetch *m_fetch;
};

#pragma once
// Bringing the history up to date from the lottery's draw notice, the same for the notice
// dialog and balvora-cli notice / import:
//   1. fetch the notice pages, newest first (pageNo 1, 2, ...), until a page holds no draw the
//      history lacks, the service has no more pages, or maxPages were read; or read saved
//      notice files;
//   2. read each (readDrawNotice): an entry that cannot be read is refused with its message,
//      a page that is no notice refuses the whole update and nothing is stored;
//   3. store the new draws oldest first through the batch rules of the draw entry, each draw's
//      data, append and gonggao rows in one transaction.
// Everything runs on the calling thread and may run on a worker; the fetch waits in a local
// event loop and asks progress whether to go on, so a cancel is heard during a fetch too.
// Cancelled after storing began, the draws stored so far stay (batch.inserted says how many).
#include "core/Outcome.h"
#include "core/bets/Progress.h"
#include "core/download/DrawDownload.h"
#include "core/download/DrawNotice.h"

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QUrl>

namespace NoticeUpdateTexts {
QString fetchingPage(int page);
QString pageRead(int page, int listed, int fresh);
QString fileRead(const QString &path, int listed);
QString fetchFailed(int page, const QString &error);
QString fileFailed(const QString &path, const QString &error);
QString stored(int count);
QString cancelled(int stored);
} // namespace NoticeUpdateTexts

// user/Notice.txt: its first line is the notice's address (the query with pageNo and pageSize).
struct NoticeAddress {
    Outcome outcome;
    QUrl address;
};
NoticeAddress readNoticeAddress(const QString &programDir);

// The address of page pageNo: the pageNo of the query set (or added).
QUrl noticePageUrl(const QUrl &address, int pageNo);
// What a browser sends when the service's own page asks for the notice.
QList<QPair<QByteArray, QByteArray>> noticeRequestHeaders(const QUrl &address);

struct NoticeResult {
    // Ok (with DrawPageTexts::nothingNew as its message when there was nothing new, else
    // NoticeUpdateTexts::stored); failed when a page or file could not be fetched, read or was
    // refused as a whole, or the history could not be read; cancelled when stopped.
    Outcome outcome;
    int pages = 0;          // pages (or files) read
    int newDraws = 0;       // draws handed to the batch
    int refusedEntries = 0; // entries refused before the batch, each with its message
    BatchReport batch;      // their storing
};

class NoticeUpdate {
public:
    static constexpr int kDefaultMaxPages = 200;

    explicit NoticeUpdate(DownloadSink sink);

    NoticeResult fetchAndStore(QSqlDatabase db, const QUrl &address, int maxPages,
                               const ProgressFn &progress = {}) const;
    // On a connection of its own to the history in historyDir (for a worker thread).
    NoticeResult fetchAndStoreAt(const QString &historyDir, const QUrl &address, int maxPages,
                                 const ProgressFn &progress = {}) const;

    // Saved notices: every entry goes to the batch as a typed line would, so a draw the
    // history holds brings the batch's "already exists" message.
    NoticeResult importFiles(QSqlDatabase db, const QStringList &paths, const ProgressFn &progress = {}) const;
    NoticeResult importFilesAt(const QString &historyDir, const QStringList &paths,
                               const ProgressFn &progress = {}) const;

    // Step 3 alone: entries in any order, stored oldest first.
    NoticeResult store(QSqlDatabase db, QVector<NoticeEntry> entries, const ProgressFn &progress = {}) const;

private:
    void refusals(const QStringList &messages) const;

    DownloadSink m_sink;
};

// Whether the first bytes of a file look like a saved notice (a JSON object naming "result"),
// so import reads it as one; any other file is read as lines of draws.
bool looksLikeNotice(const QByteArray &head);

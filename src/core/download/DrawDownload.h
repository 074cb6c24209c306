#pragma once
// One download of draws, the same for the download dialog and balvora-cli download:
//   1. fetch the page: the dialog through PageFetch while its window runs, run() waiting for it;
//   2. read its records and keep the draws the history lacks (analyseDrawPage);
//   3. store them through the batch rules of the draw entry, one transaction per draw, so a
//      downloaded draw gets the same checks and rows as a typed one.
// Steps 2 and 3 (storePage) touch no widget and may run on a worker thread; storePageAt opens
// a connection of its own there. Everything the job has to say goes to the sink as it happens.
#include "core/Outcome.h"
#include "core/bets/Progress.h"
#include "core/history/DrawEntry.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>

class QUrl;

// Called on the thread that runs the job, in the order things happen.
struct DownloadSink {
    // A line of the progress log.
    std::function<void(const QString &line)> log;
    // A message of the batch, in the order the batch says them: a refusal (the entry dialog
    // shows it as information) or a database failure (an error).
    std::function<void(const Outcome &message)> message;
    // Optional: the page holds draws the history lacks; storing them begins.
    std::function<void(int newDraws)> storing;
    // Optional: one draw is now in the history.
    std::function<void(const QString &drawNumber)> stored;
};

struct DownloadResult {
    // Ok, with DrawPageTexts::nothingNew as its notice when the page held no new draw (a batch
    // that stopped at a line is ok too: the batch has said why); failed when the page did not
    // come or the history could not be read; cancelled when the storing was stopped (the draws
    // stored before stay).
    Outcome outcome;
    bool foundNew = false;  // the page held draws the history lacked
    BatchReport batch;      // the storing of those draws
};

class DrawDownload {
public:
    explicit DrawDownload(DownloadSink sink);

    // Before the fetch: its log line.
    void fetching() const;
    // Steps 2 and 3 for a page that arrived, on db (a connection of the calling thread). The
    // batch asks progress before each draw; false stops it there.
    DownloadResult storePage(QSqlDatabase db, const QString &pageText, const ProgressFn &progress = {}) const;
    // storePage on a connection of its own to the history in historyDir, opened and closed on
    // the calling thread (the history is in WAL mode: the window's connection reads on).
    DownloadResult storePageAt(const QString &historyDir, const QString &pageText,
                               const ProgressFn &progress = {}) const;
    // All three steps, waiting for the page.
    DownloadResult run(QSqlDatabase db, const QUrl &address) const;

private:
    DownloadSink m_sink;
};

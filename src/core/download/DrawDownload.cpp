#include "core/download/DrawDownload.h"

#include "core/download/DrawPage.h"
#include "core/download/PageFetch.h"
#include "core/history/DrawDatabase.h"

#include <QUrl>

namespace T = DrawPageTexts;

DrawDownload::DrawDownload(DownloadSink sink) : m_sink(std::move(sink)) {}

void DrawDownload::fetching() const
{
    m_sink.log(T::downloading);
}

DownloadResult DrawDownload::storePage(QSqlDatabase db, const QString &pageText, const ProgressFn &progress) const
{
    DownloadResult result;
    m_sink.log(T::analysing);
    const PageAnalysis analysis = analyseDrawPage(db, pageText);
    if (!analysis.outcome.ok()) {
        result.outcome = analysis.outcome;
        return result;
    }
    for (const QString &line : analysis.logLines)
        m_sink.log(line);
    if (!analysis.foundNew()) {
        result.outcome = Outcome::success(T::nothingNew);
        return result;
    }
    result.foundNew = true;
    if (m_sink.storing)
        m_sink.storing(analysis.batchLines.size());

    // The batch as the entry dialog runs it for a download: its own messages and every draw
    // it could not store are said, a stored draw is not announced.
    BatchHooks hooks;
    hooks.message = [this](const QString &text) { m_sink.message(Outcome::refused(text)); };
    hooks.insert = [this, db](const EntryFields &fields) {
        const Result<QString> r = insertDraw(db, fields);
        if (r.ok()) {
            if (m_sink.stored)
                m_sink.stored(fields.qishu);
        } else {
            m_sink.message(r.outcome);
        }
        return r;
    };
    hooks.progress = progress;
    result.batch = insertDrawBatch(db, analysis.batchLines, hooks);
    if (result.batch.cancelled) {
        result.outcome = Outcome::cancelled();
        return result;
    }
    if (!result.batch.outcome.ok()) {
        result.outcome = result.batch.outcome;
        return result;
    }
    m_sink.log(T::updated);
    return result;
}

DownloadResult DrawDownload::storePageAt(const QString &historyDir, const QString &pageText,
                                         const ProgressFn &progress) const
{
    return onHistoryAt<DownloadResult>(historyDir, [&](QSqlDatabase db) { return storePage(db, pageText, progress); });
}

DownloadResult DrawDownload::run(QSqlDatabase db, const QUrl &address) const
{
    fetching();
    const FetchedPage page = PageFetch::fetchAndWait(address);
    if (!page.ok) {
        DownloadResult result;
        result.outcome = Outcome::failed(T::fetchFailed(page.error));
        return result;
    }
    return storePage(db, page.text());
}

#include "core/download/NoticeUpdate.h"

#include "core/download/DrawPage.h"
#include "core/download/PageFetch.h"
#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"
#include "core/history/DrawStore.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QTimer>
#include <QUrlQuery>
#include <algorithm>

namespace NoticeUpdateTexts {
QString fetchingPage(int page)
{
    return QStringLiteral("正在读取开奖公告第%1页，请稍等...").arg(page);
}
QString pageRead(int page, int listed, int fresh)
{
    return QStringLiteral("开奖公告第%1页：%2期，其中新开奖%3期").arg(page).arg(listed).arg(fresh);
}
QString fileRead(const QString &path, int listed)
{
    return QStringLiteral("开奖公告文件%1：%2期").arg(QDir::toNativeSeparators(path)).arg(listed);
}
QString fetchFailed(int page, const QString &error)
{
    return QStringLiteral("开奖公告第%1页读取失败，未保存任何数据：%2").arg(page).arg(error);
}
QString fileFailed(const QString &path, const QString &error)
{
    return QStringLiteral("开奖公告文件%1读取失败，未保存任何数据：%2").arg(QDir::toNativeSeparators(path), error);
}
QString stored(int count)
{
    return QStringLiteral("开奖公告更新完毕，新保存%1期开奖数据。").arg(count);
}
QString cancelled(int stored)
{
    return QStringLiteral("更新已取消，已保存%1期开奖数据。").arg(stored);
}
} // namespace NoticeUpdateTexts

namespace {
namespace T = NoticeUpdateTexts;

// One page, waiting in a local loop that asks progress every 50 ms whether to go on.
struct PageWait {
    FetchedPage page;
    bool cancelled = false;
};

PageWait fetchPage(const QUrl &url, const ProgressFn &progress)
{
    PageWait wait;
    PageFetch fetch;
    fetch.setRawHeaders(noticeRequestHeaders(url));
    QEventLoop loop;
    QObject::connect(&fetch, &PageFetch::finished, &loop, [&](const FetchedPage &page) {
        wait.page = page;
        loop.quit();
    });
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (progress && !progress(0, 0)) {
            wait.cancelled = true;
            fetch.abort();
            loop.quit();
        }
    });
    fetch.start(url);
    poll.start();
    if (fetch.running())
        loop.exec();
    return wait;
}

struct DrawLine {
    QString qishu;
    QString numbers;
};
DrawLine splitLine(const QString &batchLine)
{
    const int blank = batchLine.indexOf(QLatin1Char(' '));
    return {batchLine.left(blank), batchLine.mid(blank + 1)};
}
} // namespace

NoticeAddress readNoticeAddress(const QString &programDir)
{
    NoticeAddress result;
    const QString path = QDir(programDir).filePath(QStringLiteral("user/Notice.txt"));
    const Result<QStringList> read = readAddressLines(path);
    if (!read.ok()) {
        result.outcome = Outcome::failed(
            QStringLiteral("无法读取开奖公告地址文件 %1：%2").arg(QDir::toNativeSeparators(path), read.outcome.message));
        return result;
    }
    if (read.value.isEmpty() || read.value.first().isEmpty()) {
        result.outcome = Outcome::failed(
            QStringLiteral("开奖公告地址文件 %1 的第1行应为开奖公告的地址。").arg(QDir::toNativeSeparators(path)));
        return result;
    }
    result.address = resolvePageAddress(read.value.first(), programDir);
    return result;
}

QUrl noticePageUrl(const QUrl &address, int pageNo)
{
    QUrl url = address;
    QUrlQuery query(url);
    query.removeAllQueryItems(QStringLiteral("pageNo"));
    query.addQueryItem(QStringLiteral("pageNo"), QString::number(pageNo));
    url.setQuery(query);
    return url;
}

QList<QPair<QByteArray, QByteArray>> noticeRequestHeaders(const QUrl &address)
{
    QUrl site;
    site.setScheme(address.scheme());
    site.setHost(address.host());
    site.setPort(address.port());
    site.setPath(QStringLiteral("/"));
    return {
        {"Accept", "application/json, text/javascript, */*; q=0.01"},
        {"Accept-Language", "zh-CN,zh;q=0.9"},
        {"X-Requested-With", "XMLHttpRequest"},
        {"Referer", site.toEncoded()},
        {"User-Agent", "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/124.0 Safari/537.36"},
    };
}

bool looksLikeNotice(const QByteArray &head)
{
    QByteArray text = head;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    // The service's object names its list of draws near its start; other JSON is no notice.
    return text.trimmed().startsWith('{') && text.contains("\"result\"");
}

NoticeUpdate::NoticeUpdate(DownloadSink sink) : m_sink(std::move(sink)) {}

void NoticeUpdate::refusals(const QStringList &messages) const
{
    for (const QString &m : messages)
        m_sink.message(Outcome::refused(m));
}

NoticeResult NoticeUpdate::fetchAndStore(QSqlDatabase db, const QUrl &address, int maxPages,
                                         const ProgressFn &progress) const
{
    NoticeResult result;
    QVector<NoticeEntry> fresh;
    QHash<QString, NoticeEntry> taken; // every draw seen so far, new or stored, as first listed
    for (int page = 1; page <= std::max(1, maxPages); ++page) {
        m_sink.log(T::fetchingPage(page));
        const PageWait wait = fetchPage(noticePageUrl(address, page), progress);
        if (wait.cancelled) {
            result.outcome = Outcome::cancelled();
            return result;
        }
        if (!wait.page.ok) {
            result.outcome = Outcome::failed(T::fetchFailed(page, wait.page.error));
            m_sink.log(result.outcome.message);
            return result;
        }
        const NoticeReading reading = readDrawNotice(wait.page.body);
        if (!reading.outcome.ok()) {
            result.outcome = Outcome::failed(T::fetchFailed(page, reading.outcome.message));
            m_sink.log(result.outcome.message);
            return result;
        }
        ++result.pages;
        refusals(reading.refusals);
        result.refusedEntries += int(reading.refusals.size());
        int freshOnPage = 0;
        for (const NoticeEntry &entry : reading.entries) {
            const QString &qishu = entry.details.qishu;
            const auto seen = taken.constFind(qishu);
            if (seen != taken.constEnd()) {
                // A page repeating one of the page before (a new draw came out meanwhile) adds
                // nothing; another draw under a new draw's number goes to the batch, which skips it.
                if (seen->batchLine != entry.batchLine || seen->details != entry.details) {
                    if (std::any_of(fresh.cbegin(), fresh.cend(), [&](const NoticeEntry &f) { return f.details.qishu == qishu; }))
                        fresh << entry;
                }
                continue;
            }
            const Result<bool> exists = DrawStore::drawExists(db, qishu);
            if (!exists.ok()) {
                result.outcome = exists.outcome;
                return result;
            }
            taken.insert(qishu, entry);
            if (exists.value)
                continue;
            fresh << entry;
            ++freshOnPage;
        }
        m_sink.log(T::pageRead(page, reading.listed, freshOnPage));
        // Newest first: a page without a new draw means the rest are older still.
        if (freshOnPage == 0 || reading.listed == 0 || (reading.pages > 0 && page >= reading.pages))
            break;
    }
    const NoticeResult pagesRead = result;
    result = store(db, fresh, progress);
    result.pages = pagesRead.pages;
    result.refusedEntries = pagesRead.refusedEntries;
    return result;
}

NoticeResult NoticeUpdate::fetchAndStoreAt(const QString &historyDir, const QUrl &address, int maxPages,
                                           const ProgressFn &progress) const
{
    return onHistoryAt<NoticeResult>(historyDir, [&](QSqlDatabase db) { return fetchAndStore(db, address, maxPages, progress); });
}

NoticeResult NoticeUpdate::importFiles(QSqlDatabase db, const QStringList &paths, const ProgressFn &progress) const
{
    NoticeResult result;
    QVector<NoticeEntry> entries;
    for (const QString &path : paths) {
        QFile file(path);
        QString error;
        NoticeReading reading;
        if (!file.open(QIODevice::ReadOnly)) {
            error = file.errorString();
        } else {
            // One byte past the limit is enough to refuse it.
            reading = readDrawNotice(file.read(NoticeTexts::kMaxBytes + 1));
            if (!reading.outcome.ok())
                error = file.size() > NoticeTexts::kMaxBytes ? NoticeTexts::tooBig(file.size()) : reading.outcome.message;
        }
        if (!error.isEmpty()) {
            result.outcome = Outcome::failed(T::fileFailed(path, error));
            m_sink.log(result.outcome.message);
            return result;
        }
        ++result.pages;
        m_sink.log(T::fileRead(path, reading.listed));
        refusals(reading.refusals);
        result.refusedEntries += int(reading.refusals.size());
        entries += reading.entries;
    }
    const NoticeResult filesRead = result;
    result = store(db, entries, progress);
    result.pages = filesRead.pages;
    result.refusedEntries = filesRead.refusedEntries;
    return result;
}

NoticeResult NoticeUpdate::importFilesAt(const QString &historyDir, const QStringList &paths,
                                         const ProgressFn &progress) const
{
    return onHistoryAt<NoticeResult>(historyDir, [&](QSqlDatabase db) { return importFiles(db, paths, progress); });
}

NoticeResult NoticeUpdate::store(QSqlDatabase db, QVector<NoticeEntry> entries, const ProgressFn &progress) const
{
    NoticeResult result;
    // Oldest first, as the draws came out; a draw listed twice keeps the order it was listed in.
    std::stable_sort(entries.begin(), entries.end(), [](const NoticeEntry &a, const NoticeEntry &b) {
        return a.details.qishu < b.details.qishu;
    });
    // Several files may list one draw word for word: it is one draw.
    QStringList lines;
    QHash<QString, DrawDetails> details;
    for (int i = 0; i < entries.size(); ++i) {
        const NoticeEntry &e = entries.at(i);
        if (i > 0 && entries.at(i - 1).batchLine == e.batchLine && entries.at(i - 1).details == e.details)
            continue;
        lines << e.batchLine;
        if (!details.contains(e.details.qishu))
            details.insert(e.details.qishu, e.details);
        const DrawLine split = splitLine(e.batchLine);
        m_sink.log(DrawPageTexts::drawLog(split.qishu));
        m_sink.log(DrawPageTexts::numbersLog(split.numbers));
    }
    result.newDraws = int(lines.size());
    if (lines.isEmpty()) {
        m_sink.log(DrawPageTexts::nothingNew);
        result.outcome = Outcome::success(DrawPageTexts::nothingNew);
        return result;
    }
    if (m_sink.storing)
        m_sink.storing(int(lines.size()));

    BatchHooks hooks;
    hooks.message = [this](const QString &text) { m_sink.message(Outcome::refused(text)); };
    // The draw and its details together or not at all.
    hooks.insert = [this, db, &details](const EntryFields &fields) {
        Result<QString> r;
        Transaction transaction(db);
        if (!transaction.isActive()) {
            r.outcome = Outcome::failed(writeErrorText(db, db.lastError()));
        } else {
            r = insertDraw(db, fields);
            if (r.ok()) {
                const Outcome written = DrawDetailsStore::store(db, details.value(fields.qishu));
                const Outcome committed = written.ok() ? transaction.commit() : written;
                if (!committed.ok())
                    r.outcome = committed;
            }
        }
        if (r.ok()) {
            if (m_sink.stored)
                m_sink.stored(fields.qishu);
        } else {
            m_sink.message(r.outcome);
        }
        return r;
    };
    hooks.progress = progress;
    result.batch = insertDrawBatch(db, lines, hooks);
    if (result.batch.cancelled) {
        result.outcome = Outcome::cancelled();
        return result;
    }
    if (!result.batch.outcome.ok()) {
        result.outcome = result.batch.outcome;
        return result;
    }
    m_sink.log(DrawPageTexts::updated);
    result.outcome = Outcome::success(T::stored(result.batch.inserted));
    return result;
}

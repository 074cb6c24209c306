#include "Commands.h"

#include "core/download/DrawPage.h"
#include "core/download/NoticeUpdate.h"
#include "core/download/PageFetch.h"
#include "core/history/DrawDatabase.h"

#include <QDir>

namespace {
const QCommandLineOption kPages(QStringLiteral("pages"),
                                QStringLiteral("read at most N pages of the notice (default %1)").arg(NoticeUpdate::kDefaultMaxPages),
                                QStringLiteral("N"));
const QCommandLineOption kUrl(QStringLiteral("url"),
                              QStringLiteral("this notice address instead of user/Notice.txt (http, https, file:// or a path)"),
                              QStringLiteral("URL"));

// The batch's messages and every refused entry, where the window shows them in its log.
DownloadSink printedSink(const CliContext &ctx, bool withLog)
{
    DownloadSink sink;
    sink.log = [&ctx, withLog](const QString &line) {
        if (withLog)
            ctx.out << line << Qt::endl;
    };
    sink.message = [&ctx](const Outcome &message) { ctx.out << message.message << '\n'; };
    return sink;
}
} // namespace

void setupNotice(QCommandLineParser &parser)
{
    parser.addOption(kPages);
    parser.addOption(kUrl);
}

int runNotice(const CliContext &ctx, const QCommandLineParser &parser)
{
    int pages = NoticeUpdate::kDefaultMaxPages;
    if (parser.isSet(kPages)) {
        bool ok = false;
        pages = parser.value(kPages).toInt(&ok);
        if (!ok || pages < 1) {
            ctx.err << "balvora-cli notice: --pages takes a whole number from 1, not " << parser.value(kPages) << Qt::endl;
            return 2;
        }
    }
    QUrl address;
    if (parser.isSet(kUrl)) {
        address = resolvePageAddress(parser.value(kUrl), QDir::currentPath());
    } else {
        const NoticeAddress notice = readNoticeAddress(ctx.programDir);
        if (!notice.outcome.ok()) {
            ctx.err << "balvora-cli notice: " << notice.outcome.message << Qt::endl;
            return 2;
        }
        address = notice.address;
    }
    DrawDatabase data;
    const Outcome opened = openOrStartHistory(ctx, data);
    if (!opened.ok()) {
        ctx.err << opened.message << Qt::endl;
        return 2;
    }
    const NoticeResult result = NoticeUpdate(printedSink(ctx, true)).fetchAndStore(data.database(), address, pages);
    if (result.outcome.status == Outcome::Status::Failed) {
        ctx.err << "balvora-cli notice: " << result.outcome.message << Qt::endl;
        return 1;
    }
    if (result.newDraws > 0) {
        ctx.out << result.outcome.message << '\n';
        ctx.out << "inserted " << result.batch.inserted << ", skipped " << result.batch.skipped << Qt::endl;
    }
    return 0;
}

int runNoticeImport(const CliContext &ctx, const QStringList &paths)
{
    DrawDatabase data;
    const Outcome opened = openOrStartHistory(ctx, data);
    if (!opened.ok()) {
        ctx.err << opened.message << Qt::endl;
        return 2;
    }
    const NoticeResult result = NoticeUpdate(printedSink(ctx, false)).importFiles(data.database(), paths);
    if (result.outcome.status == Outcome::Status::Failed && result.newDraws == 0) {
        ctx.err << "balvora-cli import: " << result.outcome.message << Qt::endl;
        return 1;
    }
    if (result.newDraws == 0) {
        ctx.err << "balvora-cli: no draw could be read from " << paths.join(QStringLiteral(", ")) << Qt::endl;
        return 1;
    }
    // A refused entry counts as skipped, as a batch line that was not stored.
    ctx.out << "inserted " << result.batch.inserted << ", skipped " << result.batch.skipped + result.refusedEntries
            << Qt::endl;
    if (!result.outcome.ok())
        ctx.err << result.outcome.message << Qt::endl;
    return result.outcome.ok() && !result.batch.stopped ? 0 : 1;
}

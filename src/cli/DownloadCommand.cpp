#include "Commands.h"

#include "core/download/DrawDownload.h"
#include "core/download/DrawPage.h"
#include "core/download/PageFetch.h"
#include "core/history/DrawDatabase.h"

#include <QDir>

namespace {
const QCommandLineOption kHistory(QStringLiteral("history"),
                                  QStringLiteral("the page of all draws (line 2 of user/DownUpdate.txt)"));
const QCommandLineOption kUrl(QStringLiteral("url"),
                              QStringLiteral("this page instead (http, https, file:// or a path)"), QStringLiteral("URL"));
} // namespace

void setupDownload(QCommandLineParser &parser)
{
    parser.addOption(kHistory);
    parser.addOption(kUrl);
}

int runDownload(const CliContext &ctx, const QCommandLineParser &parser)
{
    QUrl address;
    if (parser.isSet(kUrl)) {
        address = resolvePageAddress(parser.value(kUrl), QDir::currentPath());
    } else {
        const DownloadAddresses addresses = readDownloadAddresses(ctx.programDir);
        if (!addresses.outcome.ok()) {
            ctx.err << "balvora-cli download: " << addresses.outcome.message << Qt::endl;
            return 2;
        }
        address = parser.isSet(kHistory) ? addresses.history : addresses.latest;
    }

    DrawDatabase data;
    const Outcome opened = openOrStartHistory(ctx, data);
    if (!opened.ok()) {
        ctx.err << opened.message << Qt::endl;
        return 2;
    }

    // The log lines as they come, and the batch's messages where the window shows a box.
    DownloadSink sink;
    sink.log = [&ctx](const QString &line) { ctx.out << line << Qt::endl; };
    sink.message = [&ctx](const Outcome &message) { ctx.out << message.message << '\n'; };
    const DownloadResult result = DrawDownload(sink).run(data.database(), address);
    if (result.outcome.status == Outcome::Status::Failed) {
        ctx.err << "balvora-cli download: " << result.outcome.message << Qt::endl;
        return 1;
    }
    if (!result.outcome.message.isEmpty())
        ctx.out << result.outcome.message << Qt::endl;
    if (result.foundNew)
        ctx.out << "inserted " << result.batch.inserted << ", skipped " << result.batch.skipped << Qt::endl;
    return 0;
}

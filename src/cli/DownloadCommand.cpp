#include "Commands.h"
#include "PrintedBatch.h"

#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"
#include "core/download/DrawPage.h"
#include "core/download/PageFetch.h"

#include <QDir>

namespace T = DrawPageTexts;

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

    ctx.out << T::downloading << Qt::endl;
    const FetchedPage page = PageFetch::fetchAndWait(address);
    if (!page.ok) {
        ctx.err << "balvora-cli download: " << T::fetchFailed(page.error) << Qt::endl;
        return 1;
    }
    ctx.out << T::analysing << '\n';
    const QSqlDatabase db = data.database();
    const PageAnalysis analysis = analyseDrawPage(db, page.text());
    if (!analysis.outcome.ok()) {
        ctx.err << "balvora-cli download: " << analysis.outcome.message << Qt::endl;
        return 1;
    }
    for (const QString &line : analysis.logLines)
        ctx.out << line << '\n';
    if (!analysis.foundNew()) {
        ctx.out << T::nothingNew << Qt::endl;
        return 0;
    }
    const BatchReport report = insertDrawBatch(db, analysis.batchLines, printedBatchHooks(ctx, db));
    ctx.out << T::updated << '\n';
    ctx.out << "inserted " << report.inserted << ", skipped " << report.skipped << Qt::endl;
    return 0;
}

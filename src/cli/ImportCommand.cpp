#include "Commands.h"
#include "PrintedBatch.h"

#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"
#include "core/download/ImportLayouts.h"
#include "core/download/HtmlText.h"

#include <QFile>

void setupImport(QCommandLineParser &parser)
{
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("one draw a line: 2007001 01 02 03 04 05 06 07 [extra], or 22135 01,02,03,04,05,06+07, "
                       "or CSV rows draw,six reds,blue[,...] after a header; - reads stdin"));
}

int runImport(const CliContext &ctx, const QCommandLineParser &parser)
{
    const QString path = parser.positionalArguments().first();
    QFile file;
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly | QIODevice::Text)
                                                   : (file.setFileName(path), file.open(QIODevice::ReadOnly | QIODevice::Text));
    if (!opened) {
        ctx.err << "balvora-cli: cannot read " << path << ": " << file.errorString() << Qt::endl;
        return 2;
    }
    // UTF-8, or GBK as spreadsheets on Chinese systems save it.
    QStringList lines = HtmlText::decode(file.readAll(), QByteArray()).split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    // The end of the file is not an empty line in the middle of a batch.
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();

    DrawDatabase data;
    const Outcome opened2 = openOrStartHistory(ctx, data);
    if (!opened2.ok()) {
        ctx.err << opened2.message << Qt::endl;
        return 2;
    }
    // Each line in the batch's own layout; the first line that fits no layout ends the
    // batch there, after the lines before it, as a wrong line of the batch would.
    QStringList batchLines;
    QVector<int> origin;  // the file line of each batch line
    int unreadable = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const ImportLine converted = toBatchLine(lines[i], i == 0);
        if (converted.kind == ImportLine::Header)
            continue;
        if (converted.kind == ImportLine::Unreadable) {
            unreadable = i;
            break;
        }
        batchLines << converted.text;
        origin << i;
    }

    const QSqlDatabase db = data.database();
    BatchReport report = insertDrawBatch(db, batchLines, printedBatchHooks(ctx, db));
    if (!report.outcome.ok())
        ctx.err << report.outcome.message << Qt::endl;
    int stopLine = report.stopped ? origin.value(report.stopLine) : -1;
    if (!report.stopped && unreadable >= 0) {
        ctx.out << unreadableLineMessage(unreadable + 1, lines[unreadable]) << '\n';
        report.stopped = true;
        stopLine = unreadable;
    }
    if (report.stopped)
        ctx.err << "stopped at line " << stopLine + 1 << Qt::endl;
    ctx.out << "inserted " << report.inserted << ", skipped " << report.skipped << Qt::endl;
    return report.stopped ? 1 : 0;
}

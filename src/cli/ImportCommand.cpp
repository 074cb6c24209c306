#include "Commands.h"
#include "PrintedBatch.h"

#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"
#include "core/download/ImportLayouts.h"
#include "core/download/NoticeUpdate.h"

#include <QFile>

void setupImport(QCommandLineParser &parser)
{
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("one draw a line: 2007001 01 02 03 04 05 06 07 [extra], or 22135 01,02,03,04,05,06+07, "
                       "or CSV rows draw,six reds,blue[,...] after a header; - reads stdin; "
                       "or one or more draw notices saved from the results service (JSON)"));
}

int runImport(const CliContext &ctx, const QCommandLineParser &parser)
{
    // Saved notices are told by their content: JSON, where a history file has lines of draws.
    const QStringList paths = parser.positionalArguments();
    int notices = 0;
    for (const QString &p : paths) {
        QFile f(p);
        if (p != QLatin1String("-") && f.open(QIODevice::ReadOnly) && looksLikeNotice(f.read(4096)))
            ++notices;
    }
    if (notices > 0 && notices == paths.size())
        return runNoticeImport(ctx, paths);
    if (paths.size() > 1) {
        ctx.err << "balvora-cli import: several files are read only when each is a saved draw notice (JSON)\n"
                   "usage: balvora-cli [--dir DIR] import FILE [FILE.json...]"
                << Qt::endl;
        return 2;
    }
    const QString path = paths.first();
    const bool fromStdin = path == QLatin1String("-");
    QFile file;
    const bool opened = fromStdin ? file.open(stdin, QIODevice::ReadOnly)
                                  : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        ctx.err << "balvora-cli: cannot read " << path << ": " << file.errorString() << Qt::endl;
        return 2;
    }
    const ImportText text = readImportText(file);
    const QStringList &lines = text.lines;

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
    bool header = false;
    for (int i = 0; i < lines.size(); ++i) {
        const bool tooLong = text.endsInLongLine && i == lines.size() - 1;
        const ImportLine converted = tooLong ? ImportLine{} : toBatchLine(lines[i], i == 0);
        if (converted.kind == ImportLine::Header) {
            header = true;
            continue;
        }
        if (converted.kind == ImportLine::Unreadable) {
            unreadable = i;
            break;
        }
        batchLines << converted.text;
        origin << i;
    }

    const QSqlDatabase db = data.database();
    // Every line the batch read as a draw is either skipped as stored already or handed to
    // the insert hook, whatever became of it there.
    BatchHooks hooks = printedBatchHooks(ctx, db);
    int drawsInserting = 0;
    hooks.insert = [insert = hooks.insert, &drawsInserting](const EntryFields &fields) {
        ++drawsInserting;
        return insert(fields);
    };
    BatchReport report = insertDrawBatch(db, batchLines, hooks);
    if (!report.outcome.ok())
        ctx.err << report.outcome.message << Qt::endl;
    int stopLine = report.stopped ? origin.value(report.stopLine) : -1;
    if (!report.stopped && unreadable >= 0) {
        const bool cut = text.endsInLongLine && unreadable == lines.size() - 1;
        ctx.out << unreadableLineMessage(unreadable + 1, lines[unreadable], cut) << '\n';
        report.stopped = true;
        stopLine = unreadable;
    }
    if (report.stopped)
        ctx.err << "stopped at line " << stopLine + 1 << Qt::endl;
    ctx.out << "inserted " << report.inserted << ", skipped " << report.skipped;
    if (header)
        ctx.out << ", header line 1 ignored";
    ctx.out << Qt::endl;
    // A file of which no line reads as a draw is no history, whatever the lines were.
    if (drawsInserting == 0 && report.skipped == 0) {
        ctx.err << "balvora-cli: no draw could be read from " << (fromStdin ? QStringLiteral("standard input") : path)
                << Qt::endl;
        return 1;
    }
    return report.stopped ? 1 : 0;
}

#include "Commands.h"

#include "core/draws/DataM.h"
#include "core/draws/DrawEntry.h"

#include <QFile>

int runImport(const CliContext &ctx, const QStringList &args)
{
    if (args.size() != 1) {
        ctx.err << "usage: balvora-cli [--dir DIR] import FILE" << Qt::endl;
        return 2;
    }
    QFile file;
    const bool opened = args.first() == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly | QIODevice::Text)
                                                           : (file.setFileName(args.first()),
                                                              file.open(QIODevice::ReadOnly | QIODevice::Text));
    if (!opened) {
        ctx.err << "balvora-cli: cannot read " << args.first() << ": " << file.errorString() << Qt::endl;
        return 2;
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    // The end of the file is not an empty line in the middle of a batch.
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();

    DataM data;
    const Outcome opened2 = data.open(ctx.programDir);
    if (!opened2.ok()) {
        ctx.err << opened2.message << Qt::endl;
        return 2;
    }
    const QSqlDatabase db = data.database();
    BatchHooks hooks;
    hooks.message = [&ctx](const QString &text) { ctx.out << text << '\n'; };
    // As the download does it: no message for each stored draw.
    hooks.insert = [&ctx, db](const EntryFields &fields) {
        const InsertResult r = InsertDraw(db, fields);
        if (r.status != InsertResult::Inserted)
            ctx.out << r.message << '\n';
        return r;
    };
    const BatchReport report = InsertDrawBatch(db, lines, hooks);
    if (report.stopped)
        ctx.err << "stopped at line " << report.stopLine + 1 << Qt::endl;
    ctx.out << "inserted " << report.inserted << ", skipped " << report.skipped << Qt::endl;
    return report.stopped ? 1 : 0;
}

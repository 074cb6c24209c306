#include "Commands.h"

#include "core/draws/DataM.h"
#include "core/draws/DrawEntry.h"

#include <QFile>

void setupImport(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("one draw a line: 2007001 01 02 03 04 05 06 07 [extra]; - reads stdin"));
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

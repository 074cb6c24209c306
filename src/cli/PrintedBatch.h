#pragma once
// The hooks balvora-cli gives a batch of draws: the batch's own messages go to the output as
// they come, and so does the message of every draw that was not stored; a stored draw is not
// announced (as in the download).
#include "Commands.h"
#include "core/history/DrawEntry.h"

#include <QSqlDatabase>

inline BatchHooks printedBatchHooks(const CliContext &ctx, QSqlDatabase db)
{
    BatchHooks hooks;
    hooks.message = [&ctx](const QString &text) { ctx.out << text << '\n'; };
    hooks.insert = [&ctx, db](const EntryFields &fields) {
        const Result<QString> r = insertDraw(db, fields);
        if (!r.ok())
            ctx.out << r.outcome.message << '\n';
        return r;
    };
    return hooks;
}

// The shipped table of 福运奖 periods, for the commands that count prizes.
#include "Commands.h"

#include "core/prize/PrizeRules.h"

#include <QDir>

PrizeRules::FortunePeriods fortunePeriods(const CliContext &ctx)
{
    const Result<PrizeRules::FortunePeriods> read =
        PrizeRules::readFortunePeriods(QDir(ctx.filesDir).filePath(PrizeRules::kFortunePeriodsFile));
    // Without the table the notices and pools in the history still tell; the rest is unknown.
    if (!read.ok())
        ctx.err << "balvora-cli: " << read.outcome.message << Qt::endl;
    return read.value;
}

#pragma once
// Writing bets as output lines "01 02 03 04 05 06 12", each ended by CR LF.
#include "core/Outcome.h"
#include "core/bets/Bet.h"
#include "core/bets/Progress.h"

#include <QIODevice>
#include <QString>

// The failure when the memory for writing is not there; the file is as it was.
inline const QString kExportOutOfMemoryMessage =
    QStringLiteral("内存不足，无法导出投注号码，原有的文件没有改变。请关闭其他程序后重试！");

// Writes to an open device in large blocks. Cancelled leaves what was written so far; a write
// error is a failure.
Outcome writeOutputLines(QIODevice &device, const BetList &list, const ProgressFn &progress = {});
// The failure of a text file that cannot be opened for writing (the export, a saved print).
QString cannotWriteText(const QString &path, const QString &error);
// Creates or replaces path; a cancelled or failed export leaves what was there before.
// Ok, failed with the file error, or cancelled.
Outcome exportBets(const QString &path, const BetList &list, const ProgressFn &progress = {});

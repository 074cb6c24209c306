#pragma once
// Prints lines of text on the system's default printer as one job, without a print dialog.
#include "core/Outcome.h"

#include <QStringList>

class BetPrinter {
public:
    // Fails with the message to show when there is no default printer or the job fails.
    static Outcome print(const QStringList &lines, const QString &jobTitle);
};

inline const QString kNoPrinterMessage = QStringLiteral("找不到打印机或者未安装正确！");

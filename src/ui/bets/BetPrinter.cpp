#include "ui/bets/BetPrinter.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

Outcome BetPrinter::print(const QStringList &lines, const QString &jobTitle)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return Outcome::failed(kNoPrinterMessage);
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(jobTitle);
    printer.setCreator(QStringLiteral("Balvora"));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&printer))
        return Outcome::failed(kNoPrinterMessage);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(11);
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), &printer);
    const int lineHeight = metrics.lineSpacing();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int perPage = qMax(1, page.height() / lineHeight);

    bool ok = true;
    for (int i = 0; i < lines.size() && ok; ++i) {
        if (i > 0 && i % perPage == 0)
            ok = printer.newPage();
        painter.drawText(0, (i % perPage) * lineHeight + metrics.ascent(), lines[i]);
    }
    ok = painter.end() && ok;
    if (!ok || printer.printerState() == QPrinter::Error)
        return Outcome::failed(kNoPrinterMessage);
    return Outcome::success();
}

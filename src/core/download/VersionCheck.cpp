#include "core/download/VersionCheck.h"

#include "core/download/DrawPage.h"
#include "core/download/PageFetch.h"

#include <QDir>
#include <QLocale>
#include <QtNumeric>

namespace VersionTexts {
QString newerFound(const QString &version)
{
    return QStringLiteral("发现最新版本") + version + QStringLiteral("，请到Varnelo或者Quindle下载！");
}
} // namespace VersionTexts

QString versionPanelText(const QString &pageText)
{
    const int at = pageText.indexOf(VersionTexts::marker);
    const QString version = at < 0 ? QString() : pageText.mid(at + VersionTexts::marker.size(), 3);
    double number = 0;
    if (at >= 0) {
        // The page writes its version with a point whatever the reader's locale is, and a
        // comma is no thousands separator here.
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        number = c.toDouble(version, &ok);
        // "inf" and "nan" are three characters too, but no version.
        if (!ok || !qIsFinite(number))
            number = 0;
    }
    const QString shortest = QString::number(number, 'g', 15);
    if (shortest.compare(VersionTexts::ownVersion) > 0)
        return VersionTexts::newerFound(version);
    return VersionTexts::noneFound;
}

QUrl versionPageAddress(const QString &programDir)
{
    const Result<QStringList> lines = readAddressLines(QDir(programDir).filePath(QStringLiteral("user/Version.txt")));
    if (!lines.ok() || lines.value.isEmpty())
        return QUrl();
    return resolvePageAddress(lines.value.first(), programDir);
}

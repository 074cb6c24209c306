#pragma once
// The new-version notice: the text of the version page decides what status panel 3 says.
#include "core/Version.h"

#include <QString>
#include <QUrl>

namespace VersionTexts {
inline const QString ownVersion = kVersionText;
inline const QString marker = QStringLiteral("最新版本：");
inline const QString noneFound = QStringLiteral("暂时未发现最新版本信息！");
QString newerFound(const QString &version);
} // namespace VersionTexts

// The three characters after the first "最新版本：" are the latest version. Read as a
// number (0 when they are none, or the marker is missing), written back in its shortest
// form (2.0 gives 2) and compared as text with ownVersion: after it means newer.
QString versionPanelText(const QString &pageText);

// The version page's address: line 1 of user/Version.txt. Empty when there is none.
QUrl versionPageAddress(const QString &programDir);

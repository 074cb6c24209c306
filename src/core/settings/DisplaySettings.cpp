#include "core/settings/DisplaySettings.h"

namespace {
int readInt(const IniFile &ini, const QString &section, const QString &key, int fallback)
{
    bool ok = false;
    const int v = ini.readString(section, key, QString::number(fallback)).toInt(&ok);
    return ok ? v : fallback;
}
} // namespace

QString settingsFilePath(const QString &programDir)
{
    return programDir + QStringLiteral("/user/DefaultSet.ini");
}

DisplaySettings readDisplaySettings(const QString &programDir)
{
    using namespace SettingsKeys;
    const IniFile ini(settingsFilePath(programDir));
    DisplaySettings s;
    s.drawCount = readInt(ini, startSection, drawCountKey, 40);
    s.redWidth = readInt(ini, redSection, widthKey, 16);
    s.blueWidth = readInt(ini, blueSection, widthKey, 16);
    return s;
}

#pragma once
// The three display settings kept in user/DefaultSet.ini of the program directory.
#include "core/Outcome.h"
#include "core/settings/IniFile.h"

struct DisplaySettings {
    int drawCount = 40;  // 启动设置/默认显示期数
    int redWidth = 16;   // 红球区列宽/宽度
    int blueWidth = 16;  // 蓝球区列宽/宽度
};

namespace SettingsKeys {
inline const QString startSection = QStringLiteral("启动设置");
inline const QString drawCountKey = QStringLiteral("默认显示期数");
inline const QString redSection = QStringLiteral("红球区列宽");
inline const QString blueSection = QStringLiteral("蓝球区列宽");
inline const QString widthKey = QStringLiteral("宽度");
} // namespace SettingsKeys

QString settingsFilePath(const QString &programDir);
// Reads the three values; an absent file or key, or a value that is not a whole
// number, gives the default.
DisplaySettings readDisplaySettings(const QString &programDir);

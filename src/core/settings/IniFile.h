#pragma once
// A plain INI file read and written one key at a time. Section and key names may be
// Chinese and are written as they are; every other line of the file is kept as it
// was. Files are written as UTF-8; older GBK-encoded copies are still read.
#include "core/Outcome.h"

#include <QString>

class IniFile {
public:
    explicit IniFile(QString path);

    QString path() const { return m_path; }
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Fails with "Unable to write to <path>" when the file cannot be written.
    Outcome writeString(const QString &section, const QString &key, const QString &value) const;

private:
    QString m_path;
};

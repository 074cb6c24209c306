#include "core/settings/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

namespace {

// Reads the whole file as lines. Valid UTF-8 is taken as such; anything else is
// the system code page of older copies, GBK.
bool readLines(const QString &path, QStringList *lines, bool *endsWithNewline)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QString text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder gbk("GBK");
        if (gbk.isValid())
            text = gbk.decode(bytes);
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    *endsWithNewline = text.endsWith(QLatin1Char('\n'));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    *lines = text.split(QLatin1Char('\n'));
    if (*endsWithNewline)
        lines->removeLast();
    return true;
}

QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return QString();
}

bool isSection(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'));
}

// The key of a key=value line, or an empty string for comments and other lines.
QString keyOf(const QString &line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return QString();
    const int eq = t.indexOf(QLatin1Char('='));
    return eq > 0 ? t.left(eq).trimmed() : QString();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    QStringList lines;
    bool newline = false;
    if (!readLines(m_path, &lines, &newline))
        return defaultValue;
    bool inSection = false;
    for (const QString &line : lines) {
        if (isSection(line)) {
            inSection = sameName(sectionName(line), section);
            continue;
        }
        if (inSection && sameName(keyOf(line), key)) {
            const int eq = line.indexOf(QLatin1Char('='));
            return line.mid(eq + 1).trimmed();
        }
    }
    return defaultValue;
}

Outcome IniFile::writeString(const QString &section, const QString &key, const QString &value) const
{
    QStringList lines;
    bool newline = true;
    if (!readLines(m_path, &lines, &newline)) {
        lines.clear();
        newline = true;
    }
    const QString entry = key + QLatin1Char('=') + value;
    int sectionLine = -1;
    int lastInSection = -1; // last non-blank line of the section, where a new key goes
    bool done = false;
    for (int i = 0; i < lines.size() && !done; ++i) {
        if (isSection(lines[i])) {
            if (sectionLine >= 0)
                break;
            if (sameName(sectionName(lines[i]), section)) {
                sectionLine = i;
                lastInSection = i;
            }
            continue;
        }
        if (sectionLine < 0)
            continue;
        if (sameName(keyOf(lines[i]), key)) {
            lines[i] = entry;
            done = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            lastInSection = i;
        }
    }
    if (!done) {
        if (sectionLine >= 0) {
            lines.insert(lastInSection + 1, entry);
        } else {
            lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
        }
    }

    QSaveFile file(m_path);
    const Outcome failed = Outcome::failed(QStringLiteral("Unable to write to %1").arg(m_path));
    if (!file.open(QIODevice::WriteOnly))
        return failed;
    QString text = lines.join(QLatin1String("\r\n"));
    if (newline)
        text += QLatin1String("\r\n");
    if (file.write(text.toUtf8()) < 0 || !file.commit())
        return failed;
    return Outcome::success();
}

#include "core/download/ImportLayouts.h"

#include "core/download/HtmlText.h"
#include "core/history/DrawEntry.h"

#include <QRegularExpression>

namespace {

bool allDigits(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// "22135" is draw 135 of 2022; every other length is the batch's to judge.
QString fullDrawNumber(const QString &qishu)
{
    return qishu.size() == 5 ? QStringLiteral("20") + qishu : qishu;
}

QString unquoted(QString field)
{
    field = field.trimmed();
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        field = field.mid(1, field.size() - 2).trimmed();
    return field;
}

ImportLine batch(const QString &text)
{
    return {ImportLine::Batch, text};
}

// A field that names a column: it holds a letter, and nothing that a number, JSON, markup or
// binary bytes bring (quotes inside, brackets, colons, control characters, undecodable bytes).
bool namesColumn(const QString &field)
{
    static const QString notInNames = QStringLiteral("\"[]{}<>:;=\\");
    bool letter = false;
    for (const QChar c : field) {
        if (c.isLetter())
            letter = true;
        else if (c.isSurrogate())
            continue; // a letter outside the first plane is still a letter of a name
        else if (!c.isPrint() || c == QChar::ReplacementCharacter || notInNames.contains(c))
            return false;
    }
    return letter;
}

// Column names separated by commas; empty fields (a spreadsheet's unused columns) aside,
// at least two of them.
bool isCsvHeader(const QString &line)
{
    int names = 0;
    for (const QString &field : line.split(QLatin1Char(','))) {
        const QString name = unquoted(field);
        if (name.isEmpty())
            continue;
        if (!namesColumn(name))
            return false;
        ++names;
    }
    return names >= 2;
}

// The first bytes of a line too long to read, cut where no UTF-8 character is split, so
// that they decode as the lines before them do.
QByteArray lineStart(QByteArrayView bytes)
{
    constexpr qsizetype kKept = 240; // well over the 60 characters a message quotes
    if (bytes.size() <= kKept)
        return bytes.toByteArray();
    qsizetype cut = kKept;
    qsizetype lead = cut - 1;
    while (lead > cut - 4 && (uchar(bytes[lead]) & 0xC0) == 0x80)
        --lead;
    const uchar first = uchar(bytes[lead]);
    const qsizetype length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    if (lead + length > cut)
        cut = lead;
    return bytes.first(cut).toByteArray();
}

} // namespace

ImportLine toBatchLine(const QString &rawLine, bool first)
{
    QString line = rawLine;
    if (first && line.startsWith(QChar(0xFEFF)))
        line.remove(0, 1);

    // The batch layout itself (digits and blanks), empty lines included: the batch's rules
    // apply to it unchanged; only a five-digit draw number is written out.
    static const QRegularExpression batchLayout(QStringLiteral("^( *)(\\d+)( [ 0-9]*)?$"));
    if (line.trimmed().isEmpty())
        return batch(line);
    if (const QRegularExpressionMatch m = batchLayout.match(line); m.hasMatch())
        return batch(m.captured(1) + fullDrawNumber(m.captured(2)) + m.captured(3));

    // CSV: the draw number followed by a comma.
    static const QRegularExpression csvRow(QStringLiteral("^\\s*\"?\\d+\"?\\s*,"));
    if (csvRow.match(line).hasMatch()) {
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() < 8)
            return {};
        QStringList out;
        for (int i = 0; i < 8; ++i) {
            const QString f = unquoted(fields[i]);
            if (!allDigits(f))
                return {};
            out << (i == 0 ? fullDrawNumber(f) : f);
        }
        return batch(out.join(QLatin1Char(' ')));
    }

    // Reds by blanks, commas or dots, all six the same way; the blue after a blank, '+',
    // '|' or ':'; an extra number after a blank.
    static const QList<QRegularExpression> layouts = [] {
        QList<QRegularExpression> list;
        for (const char *sep : {"\\s+", "\\s*,\\s*", "\\s*\\.\\s*"}) {
            QString pattern = QStringLiteral("^\\s*(\\d+)\\s+(\\d+)");
            for (int i = 0; i < 5; ++i)
                pattern += QStringLiteral("(?:%1)(\\d+)").arg(QLatin1String(sep));
            pattern += QStringLiteral("(?:\\s*[+|:]\\s*|\\s+)(\\d+)(?:\\s+(\\d+))?\\s*$");
            list << QRegularExpression(pattern);
        }
        return list;
    }();
    for (const QRegularExpression &layout : layouts) {
        const QRegularExpressionMatch m = layout.match(line);
        if (!m.hasMatch())
            continue;
        QStringList out{fullDrawNumber(m.captured(1))};
        for (int group = 2; group <= 9; ++group)
            if (!m.captured(group).isEmpty())
                out << m.captured(group);
        return batch(out.join(QLatin1Char(' ')));
    }
    // Only a line that is no draw in any layout may be the header.
    if (first && isCsvHeader(line))
        return {ImportLine::Header, QString()};
    return {};
}

ImportText readImportText(QIODevice &device)
{
    // The longest line, its CR LF, and the zero readLine() writes after what it read.
    constexpr qint64 kBufferSize = kLongestImportLine + 3;
    QByteArray buffer(kBufferSize, Qt::Uninitialized);
    QByteArray body;
    ImportText text;
    for (;;) {
        const qint64 n = device.readLine(buffer.data(), kBufferSize);
        if (n <= 0)
            break;
        const QByteArrayView read(buffer.constData(), n);
        QByteArrayView content = read;
        if (content.endsWith('\n'))
            content.chop(1);
        if (content.endsWith('\r'))
            content.chop(1);
        // A line that fills the buffer without ending is longer than any layout allows: the
        // import stops at it, so the rest of it is never read.
        if (content.size() > kLongestImportLine) {
            body += lineStart(read);
            text.endsInLongLine = true;
            break;
        }
        body += read;
    }

    text.lines = HtmlText::decode(body, QByteArray()).split(QLatin1Char('\n'));
    for (QString &line : text.lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    // The end of the file is not an empty line in the middle of a batch.
    if (!text.endsInLongLine)
        while (!text.lines.isEmpty() && text.lines.last().trimmed().isEmpty())
            text.lines.removeLast();
    return text;
}

QString unreadableLineMessage(int lineNumber, const QString &line, bool cut)
{
    constexpr int kQuoted = 60;
    QString quoted = line.trimmed();
    if (quoted.size() > kQuoted) {
        quoted.truncate(quoted.at(kQuoted - 1).isHighSurrogate() ? kQuoted - 1 : kQuoted);
        cut = true;
    }
    // What a binary file holds is not written to a terminal as it is.
    for (qsizetype i = 0; i < quoted.size(); ++i) {
        const QChar c = quoted.at(i);
        if (c.isHighSurrogate() && i + 1 < quoted.size() && quoted.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('\t'))
            quoted[i] = QLatin1Char(' ');
        else if (!c.isPrint())
            quoted[i] = QChar::ReplacementCharacter;
    }
    if (cut)
        quoted += QStringLiteral("...");
    return QStringLiteral("第%1行（%2）：").arg(lineNumber).arg(quoted) + EntryTexts::wrongCount;
}

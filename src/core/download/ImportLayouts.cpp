#include "core/download/ImportLayouts.h"

#include "core/history/DrawEntry.h"

#include <QRegularExpression>
#include <QStringList>

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
    if (first && line.contains(QLatin1Char(',')) && !line.trimmed().isEmpty()
        && !allDigits(unquoted(line.section(QLatin1Char(','), 0, 0))))
        return {ImportLine::Header, QString()};

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
    return {};
}

QString unreadableLineMessage(int lineNumber, const QString &line)
{
    return QStringLiteral("第%1行（%2）：").arg(lineNumber).arg(line.trimmed()) + EntryTexts::wrongCount;
}

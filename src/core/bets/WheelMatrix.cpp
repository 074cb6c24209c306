#include "core/bets/WheelMatrix.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

QString wrongWheelTypeText() { return QStringLiteral("您选择的旋转矩阵类型不正确,请重新选择!"); }

namespace {

QString noMatrixText() { return QStringLiteral("您选择的侯选号码数量无此类旋转矩阵,请重新选择!"); }

WheelMatrix refused(const QString &text) { return {Outcome::refused(text), {}}; }

WheelMatrix faultyLine(const QString &path, int line, const QString &what)
{
    return refused(QStringLiteral("旋转矩阵文件%1第%2行%3,请检查该文件!")
                       .arg(QFileInfo(path).fileName())
                       .arg(line)
                       .arg(what));
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

int wheelTypeIndex(const QString &captionOrCode)
{
    for (int i = 0; i < int(kWheelTypes.size()); ++i)
        if (captionOrCode == QString::fromUtf8(kWheelTypes[i].caption)
            || captionOrCode.compare(QLatin1String(kWheelTypes[i].code), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString wheelMatrixPath(const QString &programDir, int typeIndex, int candidateCount)
{
    return programDir + QStringLiteral("/Matrix/C%1%2.db").arg(candidateCount).arg(QLatin1String(kWheelTypes[typeIndex].code));
}

WheelMatrix readWheelMatrix(const QString &programDir, int typeIndex, int candidateCount)
{
    if (typeIndex < 0 || typeIndex >= int(kWheelTypes.size()))
        return refused(wrongWheelTypeText());
    return readWheelMatrixFile(wheelMatrixPath(programDir, typeIndex, candidateCount), candidateCount);
}

WheelMatrix readWheelMatrixFile(const QString &path, int candidateCount)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(noMatrixText());
    QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refused(noMatrixText());
    if (text.startsWith("\xEF\xBB\xBF")) // a BOM left by a Windows editor
        text.remove(0, 3);

    QList<QByteArray> lines = text.split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    // The newline after the last row (or a few blank lines) ends the file, not a row.
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return refused(QStringLiteral("旋转矩阵文件%1中没有号码行,请检查该文件!").arg(QFileInfo(path).fileName()));

    WheelMatrix matrix;
    matrix.rows.reserve(std::size_t(lines.size()));
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        const int lineNo = i + 1;
        if (line.size() < 12)
            return faultyLine(path, lineNo, QStringLiteral("不是六个两位数字"));
        WheelRow row{};
        bool seen[100] = {};
        for (int k = 0; k < 6; ++k) {
            const char hi = line.at(2 * k), lo = line.at(2 * k + 1);
            if (!isDigit(hi) || !isDigit(lo))
                return faultyLine(path, lineNo, QStringLiteral("不是六个两位数字"));
            const int position = (hi - '0') * 10 + (lo - '0');
            if (position < 1 || position > candidateCount)
                return faultyLine(path, lineNo, QStringLiteral("的位置%1超出了候选号码的个数%2").arg(position, 2, 10, QLatin1Char('0')).arg(candidateCount));
            if (seen[position])
                return faultyLine(path, lineNo, QStringLiteral("的位置%1重复").arg(position, 2, 10, QLatin1Char('0')));
            seen[position] = true;
            row[std::size_t(k)] = std::uint8_t(position);
        }
        matrix.rows.push_back(row);
    }
    matrix.outcome = Outcome::success();
    return matrix;
}

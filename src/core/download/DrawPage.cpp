#include "core/download/DrawPage.h"

#include "core/download/HtmlText.h"
#include "core/download/PageFetch.h"
#include "core/history/DrawStore.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace DrawPageTexts {
QString drawLog(const QString &qishu)
{
    return QStringLiteral("双色球期数:") + qishu;
}
QString numbersLog(const QString &numbers)
{
    return QStringLiteral("开奖号码:") + numbers;
}
QString fetchFailed(const QString &error)
{
    return QStringLiteral("开奖数据页面无法下载：") + error;
}
} // namespace DrawPageTexts

namespace {
constexpr int kRecordBytes = 24;
constexpr int kNumberBytes = 7;
constexpr int kMarkBytes = 2;
constexpr int kDigitBytes = 14;
} // namespace

QVector<PageRecord> readPageRecords(const QByteArray &gbkText)
{
    static const QByteArray marker = HtmlText::toGbk(DrawPageTexts::marker);
    static const QByteArray mark = HtmlText::toGbk(DrawPageTexts::periodMark);
    QVector<PageRecord> records;
    const int at = gbkText.indexOf(marker);
    if (at < 0)
        return records;
    for (qsizetype p = at + marker.size(); p + kNumberBytes + kMarkBytes <= gbkText.size(); p += kRecordBytes) {
        if (gbkText.mid(p + kNumberBytes, kMarkBytes) != mark)
            break;
        PageRecord r;
        r.qishu = HtmlText::fromGbk(gbkText.mid(p, kNumberBytes));
        // Short digits at the end of the text give short texts; the entry rules refuse them.
        const QByteArray digits = gbkText.mid(p + kNumberBytes + kMarkBytes, kDigitBytes);
        QStringList pairs;
        for (int k = 0; k < kDigitBytes; k += 2)
            pairs << HtmlText::fromGbk(digits.mid(k, 2));
        r.numbers = pairs.join(QLatin1Char(' '));
        records.append(r);
    }
    return records;
}

PageAnalysis analyseDrawPage(QSqlDatabase db, const QByteArray &gbkText)
{
    PageAnalysis analysis;
    const QVector<PageRecord> records = readPageRecords(gbkText);
    analysis.records = records.size();
    QSet<QString> taken;
    for (const PageRecord &r : records) {
        const Result<bool> stored = DrawStore::drawExists(db, r.qishu);
        if (!stored.ok()) {
            analysis.outcome = stored.outcome;
            analysis.batchLines.clear();
            analysis.logLines.clear();
            return analysis;
        }
        if (stored.value || taken.contains(r.qishu))
            continue;
        taken.insert(r.qishu);
        analysis.batchLines << r.qishu + QLatin1Char(' ') + r.numbers;
        analysis.logLines << DrawPageTexts::drawLog(r.qishu) << DrawPageTexts::numbersLog(r.numbers);
    }
    return analysis;
}

PageAnalysis analyseDrawPage(QSqlDatabase db, const QString &pageText)
{
    return analyseDrawPage(db, HtmlText::toGbk(pageText));
}

Result<QStringList> readAddressLines(const QString &path)
{
    Result<QStringList> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        lines.outcome = Outcome::failed(file.errorString());
        return lines;
    }
    const QString text = HtmlText::decode(file.readAll(), QByteArray());
    for (const QString &line : text.split(QLatin1Char('\n')))
        lines.value.append(line.trimmed());
    while (!lines.value.isEmpty() && lines.value.last().isEmpty())
        lines.value.removeLast();
    return lines;
}

DownloadAddresses readDownloadAddresses(const QString &programDir)
{
    DownloadAddresses result;
    const QString path = QDir(programDir).filePath(QStringLiteral("user/DownUpdate.txt"));
    const Result<QStringList> read = readAddressLines(path);
    if (!read.ok()) {
        result.outcome = Outcome::failed(
            QStringLiteral("无法读取下载地址文件 %1：%2").arg(QDir::toNativeSeparators(path), read.outcome.message));
        return result;
    }
    const QStringList &lines = read.value;
    if (lines.size() < 2 || lines[0].isEmpty() || lines[1].isEmpty()) {
        result.outcome = Outcome::failed(
            QStringLiteral("下载地址文件 %1 应有两行地址：第1行为最新开奖数据页面，第2行为历史开奖数据页面。")
                .arg(QDir::toNativeSeparators(path)));
        return result;
    }
    result.latest = resolvePageAddress(lines[0], programDir);
    result.history = resolvePageAddress(lines[1], programDir);
    return result;
}

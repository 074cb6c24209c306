#pragma once
// A page of draw results read by byte position: after the marker "双色球：" come
// records of 24 bytes in the GBK form of the page text (seven digits of the draw number,
// "期", fourteen digits of the six reds and the blue, one separator byte). The download
// dialog and balvora-cli turn the new records into batch lines for the entry rules.
#include "core/Outcome.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QStringList>
#include <QUrl>
#include <QVector>

namespace DrawPageTexts {
inline const QString marker = QStringLiteral("双色球：");
inline const QString periodMark = QStringLiteral("期");
inline const QString downloading = QStringLiteral("正在下载最新数据，请稍等...");
inline const QString analysing = QStringLiteral("最新数据下载完毕，正在分析，请稍等...");
inline const QString updated = QStringLiteral("最新数据更新完毕！");
inline const QString nothingNew = QStringLiteral("未发现更新开奖号码，请稍后再试！");
inline const QString historyQuestion = QStringLiteral("2003-2008年历史数据较多，更新耗时将会较长，继续更新吗？");
QString drawLog(const QString &qishu);          // "双色球期数:2007040"
QString numbersLog(const QString &numbers);     // "开奖号码:01 02 03 04 05 06 07"
QString fetchFailed(const QString &error);
} // namespace DrawPageTexts

struct PageRecord {
    QString qishu;    // the 7 bytes as they stand
    QString numbers;  // the 14 bytes as seven two-byte texts joined by blanks
};

// Every record of the list after the marker, up to the first without "期".
// No marker, no records.
QVector<PageRecord> readPageRecords(const QByteArray &gbkText);

struct PageAnalysis {
    Outcome outcome;          // failed only when the history could not be read
    int records = 0;          // records on the page
    QStringList batchLines;   // the new draws, "2007040 01 02 03 04 05 06 07", in page order
    QStringList logLines;     // two per new draw
    bool foundNew() const { return !batchLines.isEmpty(); }
};

// The records not yet in the history. A draw the page lists twice is taken once.
PageAnalysis analyseDrawPage(QSqlDatabase db, const QByteArray &gbkText);
PageAnalysis analyseDrawPage(QSqlDatabase db, const QString &pageText);

// user/DownUpdate.txt: line 1 the page of the latest draws, line 2 the page of all draws.
struct DownloadAddresses {
    Outcome outcome;
    QUrl latest;
    QUrl history;
};
DownloadAddresses readDownloadAddresses(const QString &programDir);

// The lines of a small text file the user may have edited (UTF-8 or GBK, LF or CR LF),
// trimmed, without the empty lines at its end. Failed with the file's error when it cannot be read.
Result<QStringList> readAddressLines(const QString &path);

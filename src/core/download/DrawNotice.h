#pragma once
// The lottery's draw notice: the JSON its results service answers and a browser saves,
//   {"state": 0, "message": "查询成功", "pageNum": 117, "result": [
//     {"name": "双色球", "code": "2026097", "date": "2026-08-20(四)", "red": "03,09,14,21,27,30",
//      "blue": "11", "sales": "352816594", "poolmoney": "2101745382",
//      "prizegrades": [{"type": 1, "typenum": "6", "typemoney": "6592751"}, ...]}, ...]}
// newest draw first. Each entry becomes a batch line for the entry rules and the draw's
// details; an entry that cannot be read is refused on its own, with a message naming it, and
// a body that is no notice at all is refused as a whole.
#include "core/Outcome.h"
#include "core/history/DrawDetails.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

struct NoticeEntry {
    QString batchLine;     // "2026097 03 09 14 21 27 30 11"
    DrawDetails details;
};

struct NoticeReading {
    Outcome outcome;                 // refused when the body is no notice; then nothing else is set
    QVector<NoticeEntry> entries;    // in the notice's order; an entry repeated as it was is kept once
    QStringList refusals;            // one message per entry that was refused
    int listed = 0;                  // entries in the notice
    int pages = 0;                   // "pageNum": how many pages the service has; 0 when not said
};

namespace NoticeTexts {
// Bodies bigger than this are refused unread; the whole history is about 4 MB.
constexpr qint64 kMaxBytes = 16 * 1024 * 1024;
QString tooBig(qint64 bytes);
QString htmlPage(const QString &title);
QString notJson(const QString &error);
QString noNotice();
QString stateNotZero(const QString &state, const QString &message);
QString entryNotADraw(int index);
QString entryWithoutCode(int index);
QString entryBadCode(int index, const QString &value);
QString missingField(const QString &qishu, const QString &field);
QString badField(const QString &qishu, const QString &field, const QString &value);
QString entryRefused(const QString &qishu, const QString &batchMessage);
QString notThisGame(const QString &qishu, const QString &name);
} // namespace NoticeTexts

NoticeReading readDrawNotice(const QByteArray &body);

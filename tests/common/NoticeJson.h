#pragma once
// Draw notices as the results service writes them, built from a few values, for the tests of
// the notice reader, the update job, balvora-cli notice/import and the notice dialog.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// One entry: draw number, reds "03,09,14,21,27,30", blue "11"; the date, sales, pool and
// grades follow from the draw number so that each draw's details differ.
inline QJsonObject noticeEntry(const QString &code, const QString &reds, const QString &blue)
{
    const int n = code.right(3).toInt();
    QJsonArray grades;
    for (int type = 1; type <= 6; ++type)
        grades.append(QJsonObject{{QStringLiteral("type"), type},
                                  {QStringLiteral("typenum"), QString::number(type * 10 + n)},
                                  {QStringLiteral("typemoney"), QString::number(n * 1000 + (7 - type) * 100)}});
    // 福运奖, listed empty as the notice lists it for a draw without it.
    grades.append(QJsonObject{{QStringLiteral("type"), 7}, {QStringLiteral("typenum"), QString()},
                              {QStringLiteral("typemoney"), QString()}});
    return QJsonObject{
        {QStringLiteral("name"), QStringLiteral("双色球")},
        {QStringLiteral("code"), code},
        {QStringLiteral("date"), QStringLiteral("2026-%1-%2(四)").arg(1 + n % 12, 2, 10, QLatin1Char('0')).arg(1 + n % 28, 2, 10, QLatin1Char('0'))},
        {QStringLiteral("week"), QStringLiteral("四")},
        {QStringLiteral("red"), reds},
        {QStringLiteral("blue"), blue},
        {QStringLiteral("sales"), QString::number(350000000 + n)},
        {QStringLiteral("poolmoney"), QString::number(2100000000 + n)},
        {QStringLiteral("content"), QStringLiteral("……")},
        {QStringLiteral("prizegrades"), grades},
    };
}

inline QByteArray noticeBody(const QJsonArray &entries, int pages = 0, int state = 0)
{
    QJsonObject notice{{QStringLiteral("state"), state},
                       {QStringLiteral("message"), state == 0 ? QStringLiteral("查询成功") : QStringLiteral("系统繁忙")},
                       {QStringLiteral("result"), entries}};
    if (pages > 0)
        notice.insert(QStringLiteral("pageNum"), pages);
    return QJsonDocument(notice).toJson(QJsonDocument::Compact);
}

// Entries from batch lines "2007001 01 02 03 04 05 06 07", in the order given.
inline QJsonArray noticeEntries(const QStringList &batchLines)
{
    QJsonArray entries;
    for (const QString &line : batchLines) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        entries.append(noticeEntry(f[0], f.mid(1, 6).join(QLatin1Char(',')), f[7]));
    }
    return entries;
}

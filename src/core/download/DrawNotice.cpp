#include "core/download/DrawNotice.h"

#include "core/download/HtmlText.h"
#include "core/history/DrawEntry.h"

#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>
#include <algorithm>

namespace NoticeTexts {
QString tooBig(qint64 bytes)
{
    return QStringLiteral("开奖公告读取失败：内容有%1字节，超过了%2字节的上限，未读取。").arg(bytes).arg(kMaxBytes);
}
QString htmlPage(const QString &title)
{
    return QStringLiteral("开奖公告读取失败：返回的是网页，不是开奖公告（JSON）：“%1”").arg(title);
}
QString notJson(const QString &error)
{
    return QStringLiteral("开奖公告读取失败：内容不是完整的JSON（%1）。").arg(error);
}
QString noNotice()
{
    return QStringLiteral("开奖公告读取失败：内容中没有开奖公告（缺少result列表）。");
}
QString stateNotZero(const QString &state, const QString &message)
{
    return QStringLiteral("开奖公告读取失败：服务返回状态%1（%2）。").arg(state, message);
}
QString entryNotADraw(int index)
{
    return QStringLiteral("开奖公告第%1条不是一期开奖数据，已跳过。").arg(index);
}
QString entryWithoutCode(int index)
{
    return QStringLiteral("开奖公告第%1条缺少期号（code），已跳过。").arg(index);
}
QString entryBadCode(int index, const QString &value)
{
    return QStringLiteral("开奖公告第%1条的期号“%2”不是以年份开头的七位数字，已跳过。").arg(index).arg(value);
}
QString missingField(const QString &qishu, const QString &field)
{
    return QStringLiteral("第%1期开奖公告缺少%2，已跳过。").arg(qishu, field);
}
QString badField(const QString &qishu, const QString &field, const QString &value)
{
    return QStringLiteral("第%1期开奖公告的%2“%3”无法识别，已跳过。").arg(qishu, field, value);
}
QString entryRefused(const QString &qishu, const QString &batchMessage)
{
    return QStringLiteral("第%1期：%2").arg(qishu, batchMessage);
}
QString notThisGame(const QString &qishu, const QString &name)
{
    return QStringLiteral("第%1期开奖公告是“%2”的，不是双色球，已跳过。").arg(qishu, name);
}
} // namespace NoticeTexts

namespace {
namespace T = NoticeTexts;

// A value the service writes as text or as a number, as text; empty for anything else.
QString scalarText(const QJsonValue &v)
{
    if (v.isString())
        return v.toString().trimmed();
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (d >= 0 && d < 9e15 && d == double(qint64(d)))
            return QString::number(qint64(d));
        return QString::number(d, 'g', 17);
    }
    return QString();
}

bool isDigits(const QString &s, int maxLength)
{
    if (s.isEmpty() || s.size() > maxLength)
        return false;
    for (QChar ch : s)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    return true;
}

// An amount: digits (group commas allowed), or nothing said ("", "-", "--", absent).
bool readAmount(const QJsonValue &v, qint64 *out)
{
    *out = -1;
    if (v.isUndefined() || v.isNull())
        return true;
    QString text = scalarText(v);
    if (!v.isString() && !v.isDouble())
        return false;
    text.remove(QLatin1Char(','));
    if (text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("--"))
        return true;
    if (!isDigits(text, 15))
        return false;
    *out = text.toLongLong();
    return true;
}

QString shown(const QJsonValue &v)
{
    const QString text = v.isString() || v.isDouble() ? scalarText(v)
                                                      : QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
    return text.size() > 60 ? text.left(60) + QStringLiteral("...") : text;
}

// One entry, or the message that refuses it.
struct EntryRead {
    NoticeEntry entry;
    QString refusal;
};

EntryRead readEntry(const QJsonValue &value, int index)
{
    EntryRead r;
    if (!value.isObject()) {
        r.refusal = T::entryNotADraw(index);
        return r;
    }
    const QJsonObject o = value.toObject();
    const QString qishu = scalarText(o.value(QLatin1String("code")));
    if (!o.contains(QLatin1String("code"))) {
        r.refusal = T::entryWithoutCode(index);
        return r;
    }
    // The draw number as the entry rules read it: a whole number of seven digits, the year
    // first. A leading zero would be stored without it, apart from the details kept under it.
    if (!isDigits(qishu, 7) || qishu.size() != 7 || qishu.startsWith(QLatin1Char('0'))) {
        r.refusal = T::entryBadCode(index, shown(o.value(QLatin1String("code"))));
        return r;
    }
    const QJsonValue name = o.value(QLatin1String("name"));
    if (!name.isUndefined() && scalarText(name) != QStringLiteral("双色球")) {
        r.refusal = T::notThisGame(qishu, shown(name));
        return r;
    }
    for (const char *field : {"red", "blue", "date"}) {
        const QJsonValue v = o.value(QLatin1String(field));
        if (v.isUndefined() || v.isNull()) {
            r.refusal = T::missingField(qishu, QString::fromLatin1(field));
            return r;
        }
        if (!v.isString() && !v.isDouble()) {
            r.refusal = T::badField(qishu, QString::fromLatin1(field), shown(v));
            return r;
        }
    }

    // Balls: each one or two digits; the entry rules then say what is wrong with their values.
    const QString redText = scalarText(o.value(QLatin1String("red")));
    const QStringList reds = redText.split(QLatin1Char(','));
    for (const QString &red : reds)
        if (!isDigits(red.trimmed(), 2)) {
            r.refusal = T::badField(qishu, QStringLiteral("红球"), shown(o.value(QLatin1String("red"))));
            return r;
        }
    const QString blue = scalarText(o.value(QLatin1String("blue")));
    if (!isDigits(blue, 2)) {
        r.refusal = T::badField(qishu, QStringLiteral("蓝球"), shown(o.value(QLatin1String("blue"))));
        return r;
    }
    if (reds.size() != 6) {
        r.refusal = T::entryRefused(qishu, EntryTexts::wrongCount);
        return r;
    }
    // Two digits a ball, as the batch lines of a typed history.
    auto ball = [](const QString &digits) -> QString { return digits.size() == 1 ? QStringLiteral("0") + digits : digits; };
    QStringList parts{qishu};
    for (const QString &red : reds)
        parts << ball(red.trimmed());
    parts << ball(blue);
    const QString line = parts.join(QLatin1Char(' '));
    const BatchLine batch = parseBatchLine(line);
    if (batch.kind != BatchLine::Draw) {
        r.refusal = T::entryRefused(qishu, batch.kind == BatchLine::Stop ? batch.message : EntryTexts::noDrawNumber);
        return r;
    }

    // "2026-08-20(四)": the day before the weekday.
    DrawDetails &d = r.entry.details;
    d.qishu = qishu;
    const QString dateText = scalarText(o.value(QLatin1String("date")));
    static const QRegularExpression datePattern(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})(\\s*[(（][^()（）]*[)）])?$"));
    const QRegularExpressionMatch m = datePattern.match(dateText);
    if (!m.hasMatch() || !QDate::fromString(m.captured(1), Qt::ISODate).isValid()) {
        r.refusal = T::badField(qishu, QStringLiteral("开奖日期"), shown(o.value(QLatin1String("date"))));
        return r;
    }
    d.date = m.captured(1);
    if (!readAmount(o.value(QLatin1String("sales")), &d.sales)) {
        r.refusal = T::badField(qishu, QStringLiteral("销售额"), shown(o.value(QLatin1String("sales"))));
        return r;
    }
    if (!readAmount(o.value(QLatin1String("poolmoney")), &d.pool)) {
        r.refusal = T::badField(qishu, QStringLiteral("奖池"), shown(o.value(QLatin1String("poolmoney"))));
        return r;
    }
    const QJsonValue grades = o.value(QLatin1String("prizegrades"));
    if (!grades.isUndefined() && !grades.isNull() && !grades.isArray()) {
        r.refusal = T::badField(qishu, QStringLiteral("奖级"), shown(grades));
        return r;
    }
    std::array<bool, PrizeRules::kGrades> seen{};
    for (const QJsonValue &g : grades.toArray()) {
        const QJsonObject grade = g.toObject();
        const QString type = scalarText(grade.value(QLatin1String("type")));
        // Grades past 福运奖, should a notice ever list one, are not kept.
        if (!g.isObject() || !isDigits(type, 3)) {
            r.refusal = T::badField(qishu, QStringLiteral("奖级"), shown(g));
            return r;
        }
        const int n = type.toInt();
        if (n < 1 || n > PrizeRules::kGrades)
            continue;
        if (seen[n - 1]) {
            r.refusal = T::badField(qishu, QStringLiteral("奖级"), shown(g));
            return r;
        }
        seen[n - 1] = true;
        PrizeGrade &p = d.grades[n - 1];
        if (!readAmount(grade.value(QLatin1String("typenum")), &p.winners)
            || !readAmount(grade.value(QLatin1String("typemoney")), &p.money)) {
            r.refusal = T::badField(qishu, QStringLiteral("奖级"), shown(g));
            return r;
        }
        // 福运奖 listed without winners or money was not awarded in this draw, which is worth
        // keeping apart from a notice that does not list it at all.
        if (n == PrizeRules::FortuneGrade) {
            p.winners = std::max<qint64>(p.winners, 0);
            p.money = std::max<qint64>(p.money, 0);
        }
    }
    r.entry.batchLine = line;
    return r;
}

// What a refusal page says: its title, then its text as a browser shows it.
QString pageTitle(const QByteArray &body)
{
    const QByteArray head = body.left(64 * 1024);
    static const QRegularExpression titlePattern(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                                 QRegularExpression::CaseInsensitiveOption
                                                     | QRegularExpression::DotMatchesEverythingOption);
    const QString title = titlePattern.match(QString::fromUtf8(head)).captured(1).simplified();
    const QString shownText = HtmlText::pageText(head, "text/html", QString()).simplified();
    QString text = title.isEmpty() ? shownText : shownText.isEmpty() ? title : title + QLatin1Char(' ') + shownText;
    if (text.size() > 60)
        text = text.left(60) + QStringLiteral("...");
    return text;
}
} // namespace

NoticeReading readDrawNotice(const QByteArray &body)
{
    NoticeReading reading;
    if (body.size() > NoticeTexts::kMaxBytes) {
        reading.outcome = Outcome::refused(T::tooBig(body.size()));
        return reading;
    }
    QByteArray text = body;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    const QByteArray start = text.trimmed().left(1);
    if (start == "<") {
        reading.outcome = Outcome::refused(T::htmlPage(pageTitle(text)));
        return reading;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        reading.outcome = Outcome::refused(
            T::notJson(QStringLiteral("第%1个字节：%2").arg(error.offset + 1).arg(error.errorString())));
        return reading;
    }
    const QJsonObject notice = doc.object();
    const QJsonValue state = notice.value(QLatin1String("state"));
    if (!state.isUndefined() && scalarText(state) != QLatin1String("0")) {
        reading.outcome = Outcome::refused(
            T::stateNotZero(shown(state), shown(notice.value(QLatin1String("message")))));
        return reading;
    }
    const QJsonValue result = notice.value(QLatin1String("result"));
    if (!doc.isObject() || !result.isArray()) {
        reading.outcome = Outcome::refused(T::noNotice());
        return reading;
    }
    const QString pages = scalarText(notice.value(QLatin1String("pageNum")));
    reading.pages = isDigits(pages, 6) ? pages.toInt() : 0;

    const QJsonArray entries = result.toArray();
    reading.listed = int(entries.size());
    QHash<QString, int> taken; // draw number -> index in reading.entries
    for (int i = 0; i < entries.size(); ++i) {
        EntryRead r = readEntry(entries.at(i), i + 1);
        if (!r.refusal.isEmpty()) {
            reading.refusals << r.refusal;
            continue;
        }
        // The same draw twice, word for word, is one draw (pages shift while a new draw comes
        // out); two different draws under one number both go on, and the batch skips the second.
        const auto it = taken.constFind(r.entry.details.qishu);
        if (it != taken.constEnd()) {
            const NoticeEntry &first = reading.entries.at(*it);
            if (first.batchLine == r.entry.batchLine && first.details == r.entry.details)
                continue;
        } else {
            taken.insert(r.entry.details.qishu, int(reading.entries.size()));
        }
        reading.entries << r.entry;
    }
    return reading;
}

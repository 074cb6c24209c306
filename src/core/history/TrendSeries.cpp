#include "core/history/TrendSeries.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace TrendQuery {

namespace {
const QString kTooFewDraws = QStringLiteral("期数选择错误，请重新选择！");

// A whole number, or false. Stored values are integers or digit texts; anything else
// (an empty attribute, a stray character) is not a value to plot.
bool wholeNumber(const QVariant &v, int *out)
{
    if (v.isNull())
        return false;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    if (ok)
        *out = n;
    return ok;
}

bool digitAt(const QVariant &v, int position, int *out)
{
    const QString text = v.toString();
    if (v.isNull() || position >= text.size() || !text.at(position).isDigit())
        return false;
    *out = text.at(position).digitValue();
    return true;
}
} // namespace

Source source(TrendChoice choice)
{
    switch (choice) {
    case TrendChoice::redSum: return {QStringLiteral("lheshu")};
    case TrendChoice::Ac: return {QStringLiteral("ac")};
    case TrendChoice::EvenCount: return {QStringLiteral("jishu"), 2};
    case TrendChoice::OddCount: return {QStringLiteral("jishu"), 0};
    case TrendChoice::CompositeCount: return {QStringLiteral("zhishu")};
    case TrendChoice::TailSum: return {QStringLiteral("weihe")};
    case TrendChoice::ExtremeSum: return {QStringLiteral("jihe")};
    case TrendChoice::ExtremeGap: return {QStringLiteral("jicha")};
    case TrendChoice::BigCount: return {QStringLiteral("dashu"), 0};
    case TrendChoice::MiddleCount: return {QStringLiteral("dashu"), 2};
    case TrendChoice::SmallCount: return {QStringLiteral("dashu"), 4};
    case TrendChoice::Blue: return {QStringLiteral("c7")};
    }
    return {};
}

HistoryStatement range(const QString &from, const QString &to)
{
    return {QStringLiteral("select * from data where qishu>=? and qishu<=? order by qishu"), {from, to}};
}

TrendSeries fromRows(QSqlQuery &rows, TrendChoice choice)
{
    TrendSeries series;
    const Source src = source(choice);
    const QSqlRecord record = rows.record();
    const int column = record.indexOf(src.column);
    const int qishuColumn = record.indexOf(QStringLiteral("qishu"));
    if (column < 0 || qishuColumn < 0) {
        series.outcome = Outcome::failed(QStringLiteral("数据表中没有字段“%1”。").arg(src.column));
        return series;
    }
    while (rows.next()) {
        const QVariant v = rows.value(column);
        int value = 0;
        const bool read = src.character < 0 ? wholeNumber(v, &value) : digitAt(v, src.character, &value);
        if (!read) {
            const QString qishu = rows.value(qishuColumn).toString();
            series = TrendSeries();
            series.outcome = Outcome::failed(
                QStringLiteral("%1期的“%2”值“%3”不是有效的整数。").arg(qishu, src.column, v.toString()));
            return series;
        }
        series.values.append(value);
        series.labels.append(rows.value(qishuColumn).toString());
    }
    return series;
}

TrendSeries load(QSqlDatabase db, const QString &from, const QString &to, TrendChoice choice)
{
    Query::Rows rows = Query::run(db, range(from, to));
    if (!rows.ok()) {
        TrendSeries failed;
        failed.outcome = rows.outcome;
        return failed;
    }
    TrendSeries series = fromRows(rows.query, choice);
    if (series.outcome.ok() && series.size() < 2) {
        series = TrendSeries();
        series.outcome = Outcome::refused(kTooFewDraws);
    }
    return series;
}

} // namespace TrendQuery

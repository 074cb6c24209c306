#include "core/stats/StatsQuery.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace StatsQuery {

StatsStatement range(const QString &selectList, const QString &tables, const QString &key,
                     const QString &from, const QString &to)
{
    return {QStringLiteral("select %1 from %2 where %3 >= ? and %3 <= ? order by %3").arg(selectList, tables, key),
            {from, to}};
}

StatsStatement redOmission(const QString &from, const QString &to)
{
    return range(QStringLiteral("*"), QStringLiteral("data"), QStringLiteral("qishu"), from, to);
}

StatsStatement blueOmission(const QString &from, const QString &to)
{
    return range(QStringLiteral("qishu,c7"), QStringLiteral("data"), QStringLiteral("qishu"), from, to);
}

StatsStatement sumIntervals(const QString &from, const QString &to)
{
    return range(QStringLiteral("qishu,lheshu"), QStringLiteral("data"), QStringLiteral("qishu"), from, to);
}

StatsStatement blueDistribution(const QString &from, const QString &to)
{
    // The join condition goes in front of the range, as the other statements have none.
    StatsStatement s = range(QStringLiteral("*"), QStringLiteral("Append,data"), QStringLiteral("Append.qishu"), from, to);
    s.sql.replace(QStringLiteral(" where "), QStringLiteral(" where Append.qishu=data.qishu and "));
    return s;
}

StatsStatement bigSmallOddEven(const QString &from, const QString &to)
{
    return range(QStringLiteral("*"), QStringLiteral("Append"), QStringLiteral("qishu"), from, to);
}

StatsStatement fiveElementsSource(const QString &from, const QString &to)
{
    return range(QStringLiteral("qishu,c1,c2,c3,c4,c5,c6,c7,lxingqitian"), QStringLiteral("data"),
                 QStringLiteral("qishu"), from, to);
}

int wholeNumber(const QVariant &value, bool *ok)
{
    bool converted = false;
    const int n = value.isNull() ? 0 : value.toString().trimmed().toInt(&converted);
    if (ok)
        *ok = converted;
    return converted ? n : 0;
}

QString ballTitle(int ball)
{
    return QStringLiteral("%1").arg(ball, 2, 10, QLatin1Char('0'));
}

QVector<FieldColumn> drawColumns()
{
    const QString draw = QStringLiteral("开奖号码");
    QVector<FieldColumn> out{{QStringLiteral("qishu"), {QStringLiteral("期数")}}};
    for (int i = 1; i <= 6; ++i)
        out.append({QStringLiteral("c%1").arg(i), {draw, QStringLiteral("红球"), ballTitle(i)}});
    out.append({QStringLiteral("c7"), {draw, QStringLiteral("蓝球")}});
    out.append({QStringLiteral("lxingqitian"), {draw, QStringLiteral("快乐星期天")}});
    return out;
}

StatsResult tableFromQuery(QSqlDatabase db, const StatsStatement &statement, const QVector<FieldColumn> &columns,
                           CellMark (*mark)(int column, const QString &text))
{
    StatsResult result;
    for (const FieldColumn &c : columns)
        result.table.titles.append(c.title);
    Query::Rows rows = Query::run(db, statement);
    if (!rows.ok()) {
        result.outcome = rows.outcome;
        return result;
    }
    QSqlQuery &q = rows.query;
    // Field positions once; a joined row names qishu twice, the first one is the one shown.
    QVector<int> positions;
    const QSqlRecord record = q.record();
    for (const FieldColumn &c : columns) {
        QString name = c.field;
        const int dot = name.indexOf(QLatin1Char('.'));
        if (dot >= 0)
            name = name.mid(dot + 1);
        positions.append(record.indexOf(name));
    }
    while (q.next()) {
        const int row = result.table.addRow();
        for (int c = 0; c < columns.size(); ++c) {
            const QString text = positions[c] >= 0 ? q.value(positions[c]).toString() : QString();
            result.table.set(row, c, text, mark ? mark(c, text) : CellMark::Plain);
        }
    }
    result.table.drawCount = result.table.rowCount();
    return result;
}

} // namespace StatsQuery

#include "core/stats/Omission.h"

#include "core/Game.h"

#include <QSqlError>
#include <QSqlQuery>

namespace Omission {

namespace {

const QString kHit = QStringLiteral("中");

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Fills the omission of every column in [first, last] of row r that is not a hit, from the
// row above: 1 in the first row or after a hit, else one more than above.
void fillOmissions(StatsTable &t, int r, int first, int last, QVector<int> *maximum)
{
    for (int k = first; k <= last; ++k) {
        if (t.text(r, k) == kHit)
            continue;
        int value = 1;
        if (r > 0 && t.text(r - 1, k) != kHit)
            value = t.text(r - 1, k).toInt() + 1;
        t.set(r, k, QString::number(value), CellMark::Omission);
        if (maximum && value > (*maximum)[k - first])
            (*maximum)[k - first] = value;
    }
}

} // namespace

StatsTable omissionTable(const QVector<DrawHits> &draws, int ballCount)
{
    StatsTable t;
    t.titles.append({QStringLiteral("期数")});
    for (int k = 1; k <= ballCount; ++k)
        t.titles.append({twoDigits(k)});

    QVector<int> maximum(ballCount, 0), count(ballCount, 0);
    for (const DrawHits &draw : draws) {
        const int r = t.addRow();
        t.set(r, 0, draw.qishu, CellMark::Label);
        for (int ball : draw.balls) {
            if (ball < 1 || ball > ballCount || t.text(r, ball) == kHit)
                continue;
            t.set(r, ball, kHit, CellMark::Drawn);
            ++count[ball - 1];
        }
        fillOmissions(t, r, 1, ballCount, &maximum);
    }
    t.drawCount = int(draws.size());

    const int empty = t.addRow();
    for (int k = 1; k <= ballCount; ++k)
        t.set(empty, k, QString(), CellMark::Omission);
    const int maxRow = t.addRow();
    const int countRow = t.addRow();
    t.set(maxRow, 0, QStringLiteral("最大遗漏"), CellMark::Maximum);
    t.set(countRow, 0, QStringLiteral("出现次数"), CellMark::Count);
    for (int k = 1; k <= ballCount; ++k) {
        t.set(maxRow, k, QString::number(maximum[k - 1]), CellMark::Maximum);
        t.set(countRow, k, QString::number(count[k - 1]), CellMark::Count);
    }
    t.summaryRows = 2;
    return t;
}

QStringList intervalTitles()
{
    QStringList titles;
    for (int i = 1; i <= kIntervals; ++i)
        titles << QStringLiteral("%1-%2").arg(i * 20).arg(i * 20 + 19);
    return titles;
}

StatsTable intervalTable(const QVector<DrawSum> &draws)
{
    StatsTable t;
    t.titles = {{QStringLiteral("期数")}, {QStringLiteral("和值")}};
    for (const QString &title : intervalTitles())
        t.titles.append({title});

    for (const DrawSum &draw : draws) {
        const int r = t.addRow();
        t.set(r, 0, draw.qishu, CellMark::Label);
        t.set(r, 1, draw.sumText, CellMark::Label);
        bool ok = false;
        const int sum = draw.sumText.trimmed().toInt(&ok);
        // Six distinct reds sum to 21..183; a stored value outside the intervals marks nothing
        // rather than overwriting the sum column or writing past the last interval.
        const int column = ok && sum >= 0 ? sum / 20 + 1 : -1;
        if (column >= 2 && column <= 1 + kIntervals)
            t.set(r, column, kHit, CellMark::Hit);
        fillOmissions(t, r, 2, 1 + kIntervals, nullptr);
    }
    t.drawCount = int(draws.size());
    t.addRow();
    return t;
}

namespace {

// Runs a range statement and hands each row to take; the failure carries the database's text.
template <typename Take>
Outcome readRange(QSqlDatabase db, const StatsStatement &statement, Take take)
{
    Query::Rows rows = Query::run(db, statement);
    while (rows.ok() && rows.query.next())
        take(rows.query);
    return rows.outcome;
}

StatsResult omission(QSqlDatabase db, const StatsStatement &statement, const QStringList &fields, int ballCount)
{
    QVector<DrawHits> draws;
    StatsResult result;
    result.outcome = readRange(db, statement, [&](const QSqlQuery &q) {
        DrawHits draw{q.value(QStringLiteral("qishu")).toString(), {}};
        for (const QString &field : fields)
            draw.balls.append(StatsQuery::wholeNumber(q.value(field)));
        draws.append(draw);
    });
    if (!result.outcome.ok())
        draws.clear();
    result.table = omissionTable(draws, ballCount);
    return result;
}

} // namespace

StatsResult redOmission(QSqlDatabase db, const QString &from, const QString &to)
{
    return omission(db, StatsQuery::redOmission(from, to),
                    {QStringLiteral("c1"), QStringLiteral("c2"), QStringLiteral("c3"), QStringLiteral("c4"),
                     QStringLiteral("c5"), QStringLiteral("c6")},
                    Game::kRedBalls);
}

StatsResult blueOmission(QSqlDatabase db, const QString &from, const QString &to)
{
    return omission(db, StatsQuery::blueOmission(from, to), {QStringLiteral("c7")}, Game::kBlueBalls);
}

StatsResult sumIntervals(QSqlDatabase db, const QString &from, const QString &to)
{
    QVector<DrawSum> draws;
    StatsResult result;
    result.outcome = readRange(db, StatsQuery::sumIntervals(from, to), [&](const QSqlQuery &q) {
        draws.append({q.value(0).toString(), q.value(1).toString()});
    });
    if (!result.outcome.ok())
        draws.clear();
    result.table = intervalTable(draws);
    return result;
}

} // namespace Omission

#include "core/stats/FiveElements.h"

#include "core/history/DrawDatabase.h"

#include <QSqlError>
#include <QSqlQuery>

namespace FiveElements {

QString element(int n)
{
    switch (n) {
    case 9: case 10: case 21: case 22: case 33:
        return QStringLiteral("金");
    case 3: case 4: case 15: case 16: case 27: case 28:
        return QStringLiteral("木");
    case 1: case 12: case 13: case 24: case 25:
        return QStringLiteral("水");
    case 6: case 7: case 18: case 19: case 30: case 31:
        return QStringLiteral("火");
    default:
        return QStringLiteral("土");
    }
}

bool isElement(const QString &text)
{
    return text.size() == 1 && QStringLiteral("金木水火土").contains(text);
}

Outcome rebuild(QSqlDatabase db, const QString &from, const QString &to)
{
    Transaction transaction(db);
    if (!transaction.isActive())
        return Outcome::failed(db.lastError().text());
    const Outcome cleared = Query::run(db, {QStringLiteral("delete from wuxing"), {}}).outcome;
    if (!cleared.ok())
        return cleared;

    Query::Rows rows = Query::run(db, StatsQuery::fiveElementsSource(from, to));
    if (!rows.ok())
        return rows.outcome;
    QSqlQuery &source = rows.query;
    // One statement prepared once and bound again for every draw of the range.
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral(
            "insert into wuxing (qishu,c1,c2,c3,c4,c5,c6,c7,lxingqitian,"
            "hwuxing01,hwuxing02,hwuxing03,hwuxing04,hwuxing05,hwuxing06,lwuxing) "
            "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")))
        return Outcome::failed(insert.lastError().text());
    while (source.next()) {
        // qishu, c1..c7 and lxingqitian are copied as they are stored.
        for (int i = 0; i < 9; ++i)
            insert.bindValue(i, source.value(i));
        for (int i = 1; i <= 7; ++i)
            insert.bindValue(8 + i, element(StatsQuery::wholeNumber(source.value(i))));
        if (!insert.exec())
            return Outcome::failed(insert.lastError().text());
    }
    return transaction.commit();
}

QVector<StatsQuery::FieldColumn> columns()
{
    const QString red = QStringLiteral("红球"), blue = QStringLiteral("蓝球");
    QVector<StatsQuery::FieldColumn> out = StatsQuery::drawColumns();
    for (int i = 1; i <= 6; ++i)
        out.append({QStringLiteral("hwuxing0%1").arg(i), {red, StatsQuery::ballTitle(i)}});
    out.append({QStringLiteral("lwuxing"), {blue}});
    return out;
}

StatsResult table(QSqlDatabase db)
{
    return StatsQuery::tableFromQuery(db, {QStringLiteral("select * from Wuxing order by qishu"), {}}, columns(),
                                      [](int, const QString &text) {
                                          return isElement(text) ? CellMark::Element : CellMark::Plain;
                                      });
}

} // namespace FiveElements

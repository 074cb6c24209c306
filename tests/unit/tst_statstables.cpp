// The statistics tables: omission charts, sum intervals, the five elements, the
// big/small marks and the blue distribution counts, over small fixtures.
#include "ProgramDir.h"
#include "core/history/DrawStore.h"
#include "core/stats/BigSmall.h"
#include "core/stats/BlueDistribution.h"
#include "core/stats/FiveElements.h"
#include "core/stats/Omission.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

const QString kHit = QStringLiteral("中");

// The texts of one column over the draw rows, "中" shown as H.
QString column(const StatsTable &t, int c, int rows)
{
    QStringList cells;
    for (int r = 0; r < rows; ++r)
        cells << (t.text(r, c) == kHit ? QStringLiteral("H") : t.text(r, c));
    return cells.join(QLatin1Char(' '));
}

struct Draw {
    const char *qishu;
    std::array<int, 6> reds;
    int blue;
};

void store(QSqlDatabase db, const QVector<Draw> &draws)
{
    for (const Draw &d : draws)
        QVERIFY(DrawStore::insertDraw(db, computeDrawAttributes(QString::fromLatin1(d.qishu), d.reds, d.blue)).ok());
}

} // namespace

Q_DECLARE_METATYPE(CellMark)

class TestStatsTables : public QObject {
    Q_OBJECT
private slots:
    // Four draws; ball 1 drawn in row 1 only, ball 2 never, ball 3 in rows 1 and 3,
    // ball 4 in every row.
    void redOmissionOverFourDraws_data()
    {
        QTest::addColumn<int>("ball");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<QString>("count");
        QTest::newRow("drawn first only") << 1 << "H 1 2 3" << "3" << "1";
        QTest::newRow("never drawn") << 2 << "1 2 3 4" << "4" << "0";
        QTest::newRow("rows 1 and 3") << 3 << "H 1 H 1" << "1" << "2";
        QTest::newRow("every row") << 4 << "H H H H" << "0" << "4";
    }
    void redOmissionOverFourDraws()
    {
        QFETCH(int, ball);
        QFETCH(QString, cells);
        QFETCH(QString, maximum);
        QFETCH(QString, count);
        ProgramDir db;
        QVERIFY(db.isOpen());
        store(db.db(), {{"2007001", {1, 3, 4, 10, 11, 12}, 1},
                        {"2007002", {4, 20, 21, 22, 23, 24}, 2},
                        {"2007003", {3, 4, 25, 26, 27, 28}, 3},
                        {"2007004", {4, 29, 30, 31, 32, 33}, 4}});
        const StatsResult r = Omission::redOmission(db.db(), QStringLiteral("2007001"), QStringLiteral("2007004"));
        QVERIFY(r.outcome.ok());
        const StatsTable &t = r.table;
        QCOMPARE(t.drawCount, 4);
        QCOMPARE(t.rowCount(), 4 + 3); // the grid's title row makes N + 4
        QCOMPARE(t.columnCount(), 34);
        QCOMPARE(column(t, ball, 4), cells);
        QCOMPARE(t.text(4, ball), QString());
        QCOMPARE(t.text(5, ball), maximum);
        QCOMPARE(t.text(6, ball), count);
        QCOMPARE(t.text(5, 0), QStringLiteral("最大遗漏"));
        QCOMPARE(t.text(6, 0), QStringLiteral("出现次数"));
        QCOMPARE(t.mark(0, 1), CellMark::Drawn);
        QCOMPARE(t.mark(1, 1), CellMark::Omission);
        QCOMPARE(t.mark(6, 0), CellMark::Count);
        QCOMPARE(t.mark(5, 0), CellMark::Maximum);
        QCOMPARE(t.columnTitles().mid(0, 3), (QStringList{"期数", "01", "02"}));
        QCOMPARE(t.text(2, 0), QStringLiteral("2007003"));
    }

    void blueOmissionFiveNineFive()
    {
        ProgramDir db;
        store(db.db(), {{"2007001", {1, 2, 3, 4, 5, 6}, 5},
                        {"2007002", {1, 2, 3, 4, 5, 6}, 9},
                        {"2007003", {1, 2, 3, 4, 5, 6}, 5}});
        const StatsTable t = Omission::blueOmission(db.db(), QStringLiteral("2007001"), QStringLiteral("2007003")).table;
        QCOMPARE(t.columnCount(), 17);
        QCOMPARE(t.rowCount(), 3 + 3);
        QCOMPARE(column(t, 5, 3), QStringLiteral("H 1 H"));
        QCOMPARE(column(t, 9, 3), QStringLiteral("1 H 1"));
        QCOMPARE(column(t, 1, 3), QStringLiteral("1 2 3"));
        QCOMPARE(t.text(4, 5) + t.text(5, 5), QStringLiteral("12"));
        QCOMPARE(t.text(4, 9) + t.text(5, 9), QStringLiteral("11"));
        QCOMPARE(t.text(4, 1) + t.text(5, 1), QStringLiteral("30"));
        int total = 0;
        for (int k = 1; k <= 16; ++k)
            total += t.text(5, k).toInt();
        QCOMPARE(total, 3);
    }

    // No draw in range: typed texts that match nothing, a reversed range, a quote.
    void emptyRangeHasOnlyTheSummaryRows_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("reversed") << "2007003" << "2007001";
        QTest::newRow("no such draws") << "2008001" << "2008999";
        QTest::newRow("a quote is a plain character") << "' or ''='" << "' or ''='";
    }
    void emptyRangeHasOnlyTheSummaryRows()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        ProgramDir db;
        store(db.db(), {{"2007001", {1, 2, 3, 4, 5, 6}, 5}, {"2007002", {1, 2, 3, 4, 5, 6}, 9}});
        const StatsResult r = Omission::redOmission(db.db(), from, to);
        QVERIFY(r.outcome.ok());
        QCOMPARE(r.table.drawCount, 0);
        QCOMPARE(r.table.rowCount(), 3);
        QCOMPARE(r.table.text(1, 0), QStringLiteral("最大遗漏"));
        for (int k = 1; k <= 33; ++k)
            QCOMPARE(r.table.text(1, k) + r.table.text(2, k), QStringLiteral("00"));
        const StatsTable intervals = Omission::sumIntervals(db.db(), from, to).table;
        QCOMPARE(intervals.rowCount(), 1);
    }

    // Sums 95, 101, 97, then the interval borders and sums no draw can have.
    void intervalTable_data()
    {
        QTest::addColumn<QStringList>("sums");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cells");
        const QStringList threeSums{"95", "101", "97"};
        QTest::newRow("80-99 over 95 101 97") << threeSums << 5 << "H 1 H";
        QTest::newRow("100-119 over 95 101 97") << threeSums << 6 << "1 H 1";
        QTest::newRow("20-39 over 95 101 97") << threeSums << 2 << "1 2 3";
        QTest::newRow("99 is 80-99") << QStringList{"99"} << 5 << "H";
        QTest::newRow("100 is 100-119") << QStringList{"100"} << 6 << "H";
        QTest::newRow("120 is 120-139") << QStringList{"120"} << 7 << "H";
        QTest::newRow("21 is 20-39") << QStringList{"21"} << 2 << "H";
        QTest::newRow("183 is 180-199") << QStringList{"183"} << 10 << "H";
        // A stored sum outside every interval marks nothing, and the sum stays shown.
        QTest::newRow("19 marks nothing") << QStringList{"19"} << 1 << "19";
        QTest::newRow("200 marks nothing") << QStringList{"200"} << 10 << "1";
    }
    void intervalTable()
    {
        QFETCH(QStringList, sums);
        QFETCH(int, column);
        QFETCH(QString, cells);
        QVector<Omission::DrawSum> draws;
        for (int i = 0; i < sums.size(); ++i)
            draws.append({QStringLiteral("20070%1").arg(i + 10), sums[i]});
        const StatsTable t = Omission::intervalTable(draws);
        QCOMPARE(t.columnCount(), 11);
        QCOMPARE(t.rowCount(), int(sums.size()) + 1); // + the title row: N + 2
        QCOMPARE(::column(t, column, int(sums.size())), cells);
        QCOMPARE(t.columnTitles(), (QStringList{"期数", "和值", "20-39", "40-59", "60-79", "80-99", "100-119",
                                                "120-139", "140-159", "160-179", "180-199"}));
        QCOMPARE(t.text(0, 1), sums[0]);
    }

    void intervalsFromStoredSums()
    {
        ProgramDir db;
        // Sums 95, 101, 97.
        store(db.db(), {{"2007001", {10, 12, 14, 16, 18, 25}, 1},
                        {"2007002", {11, 13, 15, 17, 20, 25}, 2},
                        {"2007003", {10, 12, 14, 16, 20, 25}, 3}});
        const StatsTable t = Omission::sumIntervals(db.db(), QStringLiteral("2007001"), QStringLiteral("2007003")).table;
        QCOMPARE(column(t, 1, 3), QStringLiteral("95 101 97"));
        QCOMPARE(column(t, 5, 3), QStringLiteral("H 1 H"));
        QCOMPARE(column(t, 6, 3), QStringLiteral("1 H 1"));
        QCOMPARE(t.mark(0, 5), CellMark::Hit);
    }

    void elementOfEveryBall()
    {
        const QString expected = QStringLiteral("水土木木土火火土金金土水水土木木土火火土金金土水水土木木土火火土金");
        QCOMPARE(expected.size(), 33);
        for (int n = 1; n <= 33; ++n)
            QCOMPARE(FiveElements::element(n), expected.mid(n - 1, 1));
        QCOMPARE(FiveElements::element(0), QStringLiteral("土"));
    }

    void fiveElementsRebuild()
    {
        ProgramDir db;
        store(db.db(), {{"2007001", {1, 2, 3, 6, 9, 12}, 16}, {"2007002", {5, 11, 17, 23, 29, 32}, 2}});
        for (int s = 3; s <= 10; ++s)
            store(db.db(), {{qPrintable(QStringLiteral("2007%1").arg(s, 3, 10, QLatin1Char('0'))), {1, 2, 3, 4, 5, 6}, 1}});
        QVERIFY(FiveElements::rebuild(db.db(), QStringLiteral("2007001"), QStringLiteral("2007010")).ok());
        QCOMPARE(FiveElements::table(db.db()).table.rowCount(), 10);
        QVERIFY(FiveElements::rebuild(db.db(), QStringLiteral("2007001"), QStringLiteral("2007003")).ok());
        const StatsResult r = FiveElements::table(db.db());
        QVERIFY(r.outcome.ok());
        QCOMPARE(r.table.rowCount(), 3);
        auto elements = [&](int row) {
            QString s;
            for (int c = 9; c <= 15; ++c)
                s += r.table.text(row, c);
            return s;
        };
        QCOMPARE(elements(0), QStringLiteral("水土木火金水木"));
        QCOMPARE(elements(1), QStringLiteral("土土土土土土土"));
        QCOMPARE(r.table.text(0, 1), QStringLiteral("01"));
        QCOMPARE(r.table.mark(0, 9), CellMark::Element);
        QCOMPARE(r.table.mark(0, 1), CellMark::Plain);
        QCOMPARE(r.table.columnTitles().mid(9, 6), (QStringList{"01", "02", "03", "04", "05", "06"}));
        QCOMPARE(r.table.titles[9], (QStringList{"红球", "01"}));
    }

    // A failing insert leaves the previous rows, not half a rebuild.
    void fiveElementsRebuildIsAllOrNothing()
    {
        ProgramDir db;
        store(db.db(), {{"2007001", {1, 2, 3, 6, 9, 12}, 16}, {"2007002", {5, 11, 17, 23, 29, 32}, 2}});
        QVERIFY(FiveElements::rebuild(db.db(), QStringLiteral("2007001"), QStringLiteral("2007002")).ok());
        QSqlQuery q(db.db());
        QVERIFY(q.exec(QStringLiteral("create trigger refuse before insert on wuxing "
                                      "when new.qishu = '2007002' begin select raise(abort, 'refused'); end")));
        const Outcome o = FiveElements::rebuild(db.db(), QStringLiteral("2007001"), QStringLiteral("2007002"));
        QVERIFY(!o.ok());
        QVERIFY(o.message.contains(QStringLiteral("refused")));
        QCOMPARE(FiveElements::table(db.db()).table.rowCount(), 2);
    }

    void bigSmallMarks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CellMark>("mark");
        QTest::newRow("小") << "小" << CellMark::Highlight;
        QTest::newRow("奇") << "奇" << CellMark::Highlight;
        QTest::newRow("大") << "大" << CellMark::Plain;
        QTest::newRow("偶") << "偶" << CellMark::Plain;
        for (const char *ratio : {"0 : 6", "1 : 5", "5 : 1", "6 : 0"})
            QTest::newRow(ratio) << QString::fromLatin1(ratio) << CellMark::Extreme;
        for (const char *ratio : {"2 : 4", "3 : 3", "4 : 2", "0:6", "000000", "111111"})
            QTest::newRow(ratio) << QString::fromLatin1(ratio) << CellMark::Plain;
    }
    void bigSmallMarks()
    {
        QFETCH(QString, text);
        QFETCH(CellMark, mark);
        QCOMPARE(BigSmall::markFor(text), mark);
    }

    void bigSmallAllSmallDraw()
    {
        ProgramDir db;
        store(db.db(), {{"2007001", {1, 2, 3, 4, 5, 6}, 3}, {"2007002", {1, 2, 3, 20, 25, 30}, 9}});
        const StatsResult r = BigSmall::table(db.db(), QStringLiteral("2007001"), QStringLiteral("2007002"));
        QVERIFY(r.outcome.ok());
        const StatsTable &t = r.table;
        QCOMPARE(t.columnCount(), 27);
        QCOMPARE(t.rowCount(), 2);
        const int ratio = t.columnTitles().indexOf(QStringLiteral("大小比"));
        const int pattern = t.columnTitles().indexOf(QStringLiteral("大小型态"));
        QCOMPARE(t.text(0, ratio), QStringLiteral("0 : 6"));
        QCOMPARE(t.mark(0, ratio), CellMark::Extreme);
        QCOMPARE(t.mark(0, pattern), CellMark::Plain);
        for (int c = ratio + 1; c <= ratio + 6; ++c) {
            QCOMPARE(t.text(0, c), QStringLiteral("小"));
            QCOMPARE(t.mark(0, c), CellMark::Highlight);
        }
        QCOMPARE(t.text(1, ratio), QStringLiteral("3 : 3"));
        QCOMPARE(t.mark(1, ratio), CellMark::Plain);
        QCOMPARE(t.titles[ratio + 1], (QStringList{"大小分布", "红球", "01"}));
    }

    void blueDistributionAndCounts()
    {
        ProgramDir db;
        store(db.db(), {{"2007001", {1, 2, 3, 4, 5, 6}, 5},
                        {"2007002", {1, 2, 3, 4, 5, 6}, 9},
                        {"2007003", {1, 2, 3, 4, 5, 6}, 5},
                        {"2007004", {1, 2, 3, 4, 5, 6}, 16}});
        const QString from = QStringLiteral("2007001"), to = QStringLiteral("2007003");
        const StatsResult r = BlueDistribution::table(db.db(), from, to);
        QVERIFY(r.outcome.ok());
        QCOMPARE(r.table.rowCount(), 3);
        QCOMPARE(r.table.text(0, 0), QStringLiteral("2007001"));
        QCOMPARE(r.table.text(0, 1), QStringLiteral("05"));
        QCOMPARE(r.table.text(0, 1 + 5), QStringLiteral("05"));
        QCOMPARE(r.table.mark(0, 1 + 5), CellMark::Present);
        QCOMPARE(r.table.mark(0, 1 + 4), CellMark::Plain);
        QCOMPARE(r.table.text(0, 18), QStringLiteral("奇"));
        QCOMPARE(r.table.titles[2], (QStringList{"蓝球分布", "01"}));

        const BlueDistribution::Frequency f = BlueDistribution::frequency(db.db(), from, to);
        QVERIFY(f.outcome.ok());
        QCOMPARE(f.footer.size(), 31);
        QCOMPARE(f.footer[0], QStringLiteral("频率"));
        QCOMPARE(f.footer[1], QString());
        QCOMPARE(f.footer[1 + 5], QStringLiteral("2"));
        QCOMPARE(f.footer[1 + 9], QStringLiteral("1"));
        QCOMPARE(f.footer[1 + 16], QStringLiteral("0"));
        int balls = 0;
        for (int c = 2; c <= 17; ++c)
            balls += f.footer[c].toInt();
        QCOMPARE(balls, 3);
        QCOMPARE(f.footer[18].toInt() + f.footer[19].toInt(), 3);   // odd + even
        QCOMPARE(f.footer[18], QStringLiteral("3"));                 // 5, 9, 5
        QCOMPARE(f.footer[20].toInt() + f.footer[21].toInt(), 3);   // prime + composite
        QCOMPARE(f.footer[24].toInt() + f.footer[25].toInt() + f.footer[26].toInt() + f.footer[27].toInt(), 3);
        QCOMPARE(f.footer[28].toInt() + f.footer[29].toInt() + f.footer[30].toInt(), 3);
        QCOMPARE(f.footer[30], QStringLiteral("2"));                 // 5 and 5 leave 2 by 3; 9 leaves 0

        const BlueDistribution::Frequency none = BlueDistribution::frequency(db.db(), to, from);
        for (int c = 2; c <= 30; ++c)
            QCOMPARE(none.footer[c], QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestStatsTables)
#include "tst_statstables.moc"

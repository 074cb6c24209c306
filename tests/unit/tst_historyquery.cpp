// Range statements and frequency counts over a small history.
#include "ProgramDir.h"
#include "core/history/DrawStore.h"
#include "core/history/HistoryQuery.h"

#include <QtTest>

class TestHistoryQuery : public QObject {
    Q_OBJECT
    ProgramDir m_t;

    // The rows the grid would show, through the same run() it uses.
    QStringList numbers(const HistoryStatement &s)
    {
        HistoryQuery::Rows rows = HistoryQuery::run(m_t.db(), s);
        QStringList out;
        if (!rows.outcome.ok())
            return {QStringLiteral("error")};
        while (rows.query.next())
            out << rows.query.value(QStringLiteral("qishu")).toString();
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_t.isOpen());
        DrawStore::insertDraw(m_t.db(), computeDrawAttributes("2007099", {1, 7, 12, 23, 30, 33}, 16));
        DrawStore::insertDraw(m_t.db(), computeDrawAttributes("2007100", {2, 7, 13, 23, 31, 32}, 1));
        DrawStore::insertDraw(m_t.db(), computeDrawAttributes("2007101", {1, 2, 3, 4, 5, 6}, 16));
    }

    void range_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("all, across 099-100") << "2007001" << "2007999" << QStringList{"2007099", "2007100", "2007101"};
        QTest::newRow("both ends included") << "2007100" << "2007101" << QStringList{"2007100", "2007101"};
        QTest::newRow("from after to") << "2007101" << "2007099" << QStringList{};
        QTest::newRow("typed quote") << "2008' or '1'='1" << "2007999" << QStringList{};
    }
    void range()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, rows);
        QCOMPARE(numbers(HistoryQuery::range(from, to)), rows);
    }

    void wholeHistory()
    {
        QCOMPARE(numbers(HistoryQuery::wholeHistory(true)), (QStringList{"2007101", "2007100", "2007099"}));
        QCOMPARE(numbers(HistoryQuery::wholeHistory(false)), (QStringList{"2007099", "2007100", "2007101"}));
    }

    void aFailingStatementIsAFailedOutcome()
    {
        const HistoryQuery::Rows rows = HistoryQuery::run(m_t.db(), {QStringLiteral("select * from nosuch"), {}});
        QCOMPARE(rows.outcome.status, Outcome::Status::Failed);
        QVERIFY(rows.outcome.message.contains(QStringLiteral("nosuch")));
        QVERIFY(!rows.query.isActive());
    }

    void frequency_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("nonZero");  // ball=count for every count that is not 0
        QTest::newRow("one draw") << "2007099" << "2007099" << "r01=1 r07=1 r12=1 r23=1 r30=1 r33=1 b16=1";
        QTest::newRow("three draws")
            << "2007099" << "2007101"
            << "r01=2 r02=2 r03=1 r04=1 r05=1 r06=1 r07=2 r12=1 r13=1 r23=2 r30=1 r31=1 r32=1 r33=1 b01=1 b16=2";
        QTest::newRow("no draw") << "2008001" << "2008999" << "";
        QTest::newRow("typed quote") << "9'" << "2007999" << "";
    }
    void frequency()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, nonZero);
        const HistoryQuery::FrequencyCounts f = HistoryQuery::frequencyCounts(m_t.db(), from, to);
        QVERIFY(f.outcome.ok());
        QCOMPARE(f.counts.size(), 49);
        QStringList seen;
        for (int i = 0; i < 49; ++i)
            if (f.counts[i])
                seen << (i < 33 ? QStringLiteral("r%1=%2").arg(i + 1, 2, 10, QLatin1Char('0'))
                                : QStringLiteral("b%1=%2").arg(i - 32, 2, 10, QLatin1Char('0')))
                                .arg(f.counts[i]);
        QCOMPARE(seen.join(' '), nonZero);
    }
};

QTEST_GUILESS_MAIN(TestHistoryQuery)
#include "tst_historyquery.moc"

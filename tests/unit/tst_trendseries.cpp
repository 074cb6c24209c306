// The value each trend choice plots, read from stored draws.
#include "ProgramDir.h"
#include "core/history/DrawStore.h"
#include "core/history/TrendSeries.h"

#include <QSqlQuery>
#include <QtTest>

Q_DECLARE_METATYPE(TrendChoice)

class TestTrendSeries : public QObject {
    Q_OBJECT

    // Three draws chosen so every choice gives three different-looking values:
    // 2007100 is 4:2 odd:even and 1:3:2 big:middle:small.
    static void addDraws(QSqlDatabase db)
    {
        DrawStore::insertDraw(db, computeDrawAttributes("2007099", {1, 2, 3, 4, 5, 6}, 1));
        DrawStore::insertDraw(db, computeDrawAttributes("2007100", {3, 9, 12, 15, 20, 25}, 16));
        DrawStore::insertDraw(db, computeDrawAttributes("2007101", {1, 7, 12, 23, 30, 33}, 9));
    }

    ProgramDir m_t;

private slots:
    void initTestCase()
    {
        QVERIFY(m_t.isOpen());
        addDraws(m_t.db());
    }

    void choices_data()
    {
        QTest::addColumn<TrendChoice>("choice");
        QTest::addColumn<QVector<int>>("values");
        QTest::newRow("和值") << TrendChoice::redSum << QVector<int>{21, 84, 106};
        QTest::newRow("AC值") << TrendChoice::Ac << QVector<int>{0, 7, 9};
        QTest::newRow("偶数个数: 3rd of jishu") << TrendChoice::EvenCount << QVector<int>{3, 2, 2};
        QTest::newRow("奇数个数: 1st of jishu") << TrendChoice::OddCount << QVector<int>{3, 4, 4};
        QTest::newRow("质数个数: zhishu") << TrendChoice::CompositeCount << QVector<int>{2, 5, 3};
        QTest::newRow("尾数和") << TrendChoice::TailSum << QVector<int>{21, 24, 16};
        QTest::newRow("极号和") << TrendChoice::ExtremeSum << QVector<int>{7, 28, 34};
        QTest::newRow("极号差") << TrendChoice::ExtremeGap << QVector<int>{5, 22, 32};
        QTest::newRow("大数个数: 1st of dashu") << TrendChoice::BigCount << QVector<int>{0, 1, 3};
        QTest::newRow("中数个数: 3rd of dashu") << TrendChoice::MiddleCount << QVector<int>{0, 3, 1};
        QTest::newRow("小数个数: 5th of dashu") << TrendChoice::SmallCount << QVector<int>{6, 2, 2};
        QTest::newRow("蓝球") << TrendChoice::Blue << QVector<int>{1, 16, 9};
    }
    void choices()
    {
        QFETCH(TrendChoice, choice);
        QFETCH(QVector<int>, values);
        const TrendSeries s = TrendQuery::load(m_t.db(), "2007099", "2007101", choice);
        QVERIFY2(s.outcome.ok(), qPrintable(s.outcome.message));
        QCOMPARE(s.values, values);
        QCOMPARE(s.labels, (QStringList{"2007099", "2007100", "2007101"}));
    }

    void ranges_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("labels");  // empty: refused with the range message
        QTest::newRow("two draws across 099-100") << "2007099" << "2007100" << QStringList{"2007099", "2007100"};
        QTest::newRow("one draw") << "2007100" << "2007100" << QStringList{};
        QTest::newRow("from after to") << "2007101" << "2007099" << QStringList{};
        QTest::newRow("no draw") << "2008001" << "2008999" << QStringList{};
        QTest::newRow("quote matches nothing") << "2008' or '1'='1" << "2008999" << QStringList{};
        QTest::newRow("empty texts") << "" << "" << QStringList{};
    }
    void ranges()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, labels);
        const TrendSeries s = TrendQuery::load(m_t.db(), from, to, TrendChoice::redSum);
        QCOMPARE(s.labels, labels);
        QCOMPARE(s.values.size(), labels.size());
        if (labels.isEmpty()) {
            QCOMPARE(s.outcome.status, Outcome::Status::Refused);
            QCOMPARE(s.outcome.message, QStringLiteral("期数选择错误，请重新选择！"));
        } else {
            QVERIFY(s.outcome.ok());
        }
    }

    // A stored value that is not a number fails the whole series: no half chart.
    void unreadableValue_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");  // "null" for a null
        QTest::addColumn<TrendChoice>("choice");
        QTest::newRow("null sum") << "lheshu" << "null" << TrendChoice::redSum;
        QTest::newRow("empty composite count") << "zhishu" << "" << TrendChoice::CompositeCount;
        QTest::newRow("letters for blue") << "c7" << "x1" << TrendChoice::Blue;
        QTest::newRow("short odd:even text") << "jishu" << "4" << TrendChoice::EvenCount;
        QTest::newRow("short big:middle:small text") << "dashu" << "1:3" << TrendChoice::SmallCount;
        QTest::newRow("no digit at the position") << "dashu" << "?:3:2" << TrendChoice::BigCount;
    }
    void unreadableValue()
    {
        QFETCH(QString, column);
        QFETCH(QString, stored);
        QFETCH(TrendChoice, choice);
        ProgramDir t;
        QVERIFY(t.isOpen());
        addDraws(t.db());
        QSqlQuery q(t.db());
        q.prepare(QStringLiteral("update data set %1 = ? where qishu = '2007100'").arg(column));
        q.addBindValue(stored == QLatin1String("null") ? QVariant() : QVariant(stored));
        QVERIFY(q.exec());
        const TrendSeries s = TrendQuery::load(t.db(), "2007099", "2007101", choice);
        QCOMPARE(s.outcome.status, Outcome::Status::Failed);
        QVERIFY2(s.outcome.message.contains(QLatin1String("2007100")), qPrintable(s.outcome.message));
        QVERIFY(s.values.isEmpty());
        QVERIFY(s.labels.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTrendSeries)
#include "tst_trendseries.moc"

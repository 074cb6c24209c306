// The derived values of a draw: the edge rows, and the invariants over the real history.
#include "core/history/DrawAttributes.h"

#include <QFile>
#include <QtTest>

class TestDrawAttributes : public QObject {
    Q_OBJECT

    static std::array<int, 6> reds(const QString &text)
    {
        std::array<int, 6> r{};
        const QStringList parts = text.split(QLatin1Char(' '));
        for (int i = 0; i < 6; ++i)
            r[i] = parts.value(i).toInt();
        std::sort(r.begin(), r.end());
        return r;
    }

private slots:
    // Each row: reds, blue, extra, then "column=value" pairs; "<null>" for a column not set.
    void values_data()
    {
        QTest::addColumn<QString>("redText");
        QTest::addColumn<int>("blue");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("01-06 blue 01")
            << "01 02 03 04 05 06" << 1 << ""
            << QStringList{"lheshu=21", "jishu=3:3", "dashu=0:0:6", "zhishu=2", "ac=0", "jicha=5", "jihe=7",
                           "weihe=21", "zdlingju=28", "lingjuhe=33", "lji=奇", "lou=<null>", "l01=1", "lzhihu=质",
                           "lyilu=1", "lxiaoshu=小", "hjiouxingtai=101010", "hjioubi=3 : 3",
                           "hdaxiaoxingtai=000000", "hdaxiaobi=0 : 6", "ldaxiaofenxi=小", "lxingqitian=<null>",
                           "a1=01", "b1=01", "c7=01"};
        QTest::newRow("28-33 blue 16")
            << "28 29 30 31 32 33" << 16 << ""
            << QStringList{"lheshu=183", "dashu=6:0:0", "zhishu=4", "jicha=5", "jihe=61", "weihe=23",
                           "zdlingju=28", "lou=偶", "lji=<null>", "l04=4", "llheshu=合", "lyilu=1", "ldashu=大",
                           "hjiouxingtai=010101", "hdaxiaoxingtai=111111", "hdaxiaobi=6 : 0"};
        QTest::newRow("entered unsorted")
            << "01 12 22 23 33 11" << 9 << ""
            << QStringList{"c1=01", "c2=11", "c6=33", "jishu=4:2", "dashu=2:2:2", "hdaxiaoxingtai=000111",
                           "hdaxiaobi=3 : 3", "zhishu=3", "ac=2", "zdlingju=10", "llheshu=合", "ldashu=大",
                           "l03=3", "llinglu=0"};
        QTest::newRow("progression") << "01 05 09 13 17 21" << 8 << ""
                                     << QStringList{"ac=0", "jishu=6:0", "hjioubi=6 : 0", "l02=2", "lxiaoshu=小",
                                                    "lerlu=2", "hdaxiao05=大", "hdaxiao04=小"};
        QTest::newRow("all differences distinct") << "01 02 05 11 19 30" << 2 << "" << QStringList{"ac=10"};
        QTest::newRow("17 and 16 on both splits")
            << "11 16 17 20 25 26" << 3 << "" << QStringList{"dashu=2:3:1", "hdaxiao01=小", "hdaxiao02=小",
                                                             "hdaxiao03=大", "lzhihu=质", "llinglu=0"};
        QTest::newRow("blue equals a red") << "05 06 07 08 09 10" << 5 << ""
                                           << QStringList{"a5=05", "b5=05", "c7=05"};
        QTest::newRow("extra 9") << "01 02 03 04 05 06" << 1 << "9" << QStringList{"lxingqitian=9"};
        QTest::newRow("extra 17 not stored") << "01 02 03 04 05 06" << 1 << "17"
                                             << QStringList{"lxingqitian=<null>"};
        QTest::newRow("extra 0 not stored") << "01 02 03 04 05 06" << 1 << "0"
                                            << QStringList{"lxingqitian=<null>"};
    }
    void values()
    {
        QFETCH(QString, redText);
        QFETCH(int, blue);
        QFETCH(QString, extra);
        QFETCH(QStringList, expected);
        const DrawAttributes a = computeDrawAttributes(QStringLiteral("2007001"), reds(redText), blue, extra);
        for (const QString &pair : expected) {
            const QString column = pair.section(QLatin1Char('='), 0, 0);
            const QVariant v = a.value(column);
            QCOMPARE(column + QLatin1Char('=') + (v.isValid() ? v.toString() : QStringLiteral("<null>")), pair);
        }
    }

    // Values common to both rows are equal in both rows.
    void commonValuesAgree()
    {
        const DrawAttributes a = computeDrawAttributes(QStringLiteral("2007001"), reds("03 09 14 21 27 32"), 11, "5");
        for (const ColumnValue &cv : a.appendRow)
            for (const ColumnValue &dv : a.dataRow)
                if (cv.column == dv.column)
                    QCOMPARE(cv.value.toString(), dv.value.toString());
    }

    void realHistoryInvariants()
    {
        QFile file(QStringLiteral(BALVORA_HISTORY_FILE));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            QFAIL("data/history/ssq-history.txt cannot be read");
        const QStringList groups[] = {{"lji", "lou"},
                                      {"l01", "l02", "l03", "l04"},
                                      {"lzhihu", "llheshu"},
                                      {"llinglu", "lyilu", "lerlu"},
                                      {"lxiaoshu", "ldashu"}};
        int draws = 0;
        while (!file.atEnd()) {
            const QStringList f = QString::fromUtf8(file.readLine()).simplified().split(QLatin1Char(' '));
            if (f.size() < 8)
                continue;
            ++draws;
            const DrawAttributes a = computeDrawAttributes(f[0], reds(f.mid(1, 6).join(' ')), f[7].toInt());
            QCOMPARE(f[0] + QStringLiteral(" lingjuhe ") + a.value("lingjuhe").toString(),
                     f[0] + QStringLiteral(" lingjuhe 33"));
            const int ac = a.value("ac").toInt();
            QVERIFY2(ac >= 0 && ac <= 10, qPrintable(f[0]));
            for (const QStringList &group : groups) {
                int set = 0;
                for (const QString &column : group)
                    set += a.value(column).isValid() ? 1 : 0;
                QCOMPARE(f[0] + QLatin1Char(' ') + group.join('/') + QLatin1Char('=') + QString::number(set),
                         f[0] + QLatin1Char(' ') + group.join('/') + QStringLiteral("=1"));
            }
        }
        QCOMPARE(draws, 3493);
    }
};

QTEST_GUILESS_MAIN(TestDrawAttributes)
#include "tst_drawattributes.moc"

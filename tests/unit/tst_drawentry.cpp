// The entry rules: the red line, the blue field, the checks before storing, batches.
#include "HistoryRows.h"
#include "ProgramDir.h"
#include "core/history/DrawEntry.h"
#include "core/history/DrawStore.h"

#include <QSqlQuery>
#include <QtTest>

namespace T = EntryTexts;

class TestDrawEntry : public QObject {
    Q_OBJECT

    static QString joined(const std::array<QString, 6> &balls)
    {
        return QStringList(balls.begin(), balls.end()).join(QLatin1Char(' '));
    }
    static EntryFields fields(const QString &qishu, const QString &reds, const QString &blue,
                              const QString &extra = QString())
    {
        EntryFields f;
        f.qishu = qishu;
        const QStringList r = reds.split(QLatin1Char(' '));
        for (int i = 0; i < 6; ++i)
            f.reds[i] = i < r.size() ? r[i] : QString();
        f.blue = blue;
        f.extra = extra;
        return f;
    }
    static QString column(QSqlDatabase db, const QString &table, const QString &col, const QString &qishu)
    {
        return storedValue(db, table, col, qishu);
    }
    static int rows(QSqlDatabase db, const QString &table) { return countRows(db, table); }

private slots:
    void redParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("balls");
        QTest::newRow("descending") << "6 5 4 3 2 1" << "" << "01 02 03 04 05 06";
        QTest::newRow("seventh ignored") << "01 02 03 04 05 06 07" << "" << "01 02 03 04 05 06";
        QTest::newRow("text after sixth not read") << "1 2 3 4 5 6 99 x" << "" << "01 02 03 04 05 06";
        QTest::newRow("several blanks") << "  33   1 17  9 22 11 " << "" << "01 09 11 17 22 33";
        QTest::newRow("five") << "01 02 03 04 05" << T::redFewerThanSix << "";
        QTest::newRow("five, trailing blank") << "01 02 03 04 05 " << T::redFewerThanSix << "";
        QTest::newRow("empty") << "" << T::redFewerThanSix << "";
        QTest::newRow("34 as soon as read") << "01 34 02 03 04 05" << T::redAbove33 << "";
        QTest::newRow("34 before too few") << "01 34" << T::redAbove33 << "";
        QTest::newRow("duplicate") << "01 02 03 04 05 01" << T::duplicate << "";
        QTest::newRow("0") << "0 02 03 04 05 06" << T::redZero << "";
        QTest::newRow("00") << "01 02 03 04 05 00" << T::redZero << "";
        QTest::newRow("too many digits") << "01 02 99999999999 04 05 06" << T::tooManyDigits("99999999999") << "";
        QTest::newRow("pasted letters") << "01 02 0x 04 05 06" << T::notANumber("0x") << "";
    }
    void redParse()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, balls);
        const RedParse p = parseReds(text);
        QCOMPARE(p.outcome.ok(), message.isEmpty());
        QCOMPARE(p.outcome.message, message);
        if (p.outcome.ok())
            QCOMPARE(joined(p.balls), balls);
    }

    void blueStep_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("ball");
        QTest::newRow("empty gives 01") << "" << "" << "01";
        QTest::newRow("7") << "7" << "" << "07";
        QTest::newRow("16") << "16" << "" << "16";
        QTest::newRow("17") << "17" << T::blueAbove16 << "";
        QTest::newRow("0") << "0" << T::blueZero << "";
        QTest::newRow("00") << "00" << T::blueZero << "";
        QTest::newRow("too many digits") << "123456789012" << T::tooManyDigits("123456789012") << "";
    }
    void blueStep()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, ball);
        const BlueStep s = stepBlue(text);
        QCOMPARE(s.outcome.message, message);
        QCOMPARE(s.ball, ball);
    }

    void insertDrawChecks_data()
    {
        QTest::addColumn<QString>("qishu");
        QTest::addColumn<QString>("reds");
        QTest::addColumn<QString>("blue");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QString>("message");
        QTest::newRow("three-digit number") << "123" << "01 02 03 04 05 06" << "07" << "" << T::noDrawNumber;
        QTest::newRow("empty number") << "" << "01 02 03 04 05 06" << "07" << "" << T::noDrawNumber;
        QTest::newRow("number too long") << "99999999999" << "01 02 03 04 05 06" << "07" << ""
                                         << T::tooManyDigits("99999999999");
        QTest::newRow("red box empty") << "2007001" << "01 02 03 04 05" << "07" << "" << T::wrongCount;
        QTest::newRow("blue box empty") << "2007001" << "01 02 03 04 05 06" << "" << "" << T::wrongCount;
        QTest::newRow("red 0") << "2007001" << "00 02 03 04 05 06" << "07" << "" << T::redZero;
        QTest::newRow("blue 0") << "2007001" << "01 02 03 04 05 06" << "00" << "" << T::blueZero;
        QTest::newRow("extra too long") << "2007001" << "01 02 03 04 05 06" << "07" << "99999999999"
                                        << T::tooManyDigits("99999999999");
        QTest::newRow("existing") << "2006001" << "01 02 03 04 05 06" << "07" << "" << T::alreadyExists("2006001");
    }
    void insertDrawChecks()
    {
        QFETCH(QString, qishu);
        QFETCH(QString, reds);
        QFETCH(QString, blue);
        QFETCH(QString, extra);
        QFETCH(QString, message);
        ProgramDir t;
        QVERIFY(t.isOpen());
        QCOMPARE(insertDraw(t.db(), fields("2006001", "01 02 03 04 05 06", "07")).outcome.status, Outcome::Status::Ok);
        const Result<QString> r = insertDraw(t.db(), fields(qishu, reds, blue, extra));
        QCOMPARE(r.outcome.status, Outcome::Status::Refused);
        QCOMPARE(r.outcome.message, message);
        QCOMPARE(rows(t.db(), QStringLiteral("data")), 1);
        QCOMPARE(rows(t.db(), QStringLiteral("append")), 1);
    }

    void insertDrawStoresBothRows()
    {
        ProgramDir t;
        const Result<QString> r = insertDraw(t.db(), fields("2007099", "01 07 12 23 30 33", "16", "9"));
        QCOMPARE(r.outcome.status, Outcome::Status::Ok);
        QCOMPARE(r.outcome.message, QStringLiteral("2007099期开奖数据录入成功！"));
        QCOMPARE(r.value, QStringLiteral("2007100"));
        QCOMPARE(column(t.db(), "data", "a23", "2007099"), QStringLiteral("23"));
        QCOMPARE(column(t.db(), "data", "b16", "2007099"), QStringLiteral("16"));
        QCOMPARE(column(t.db(), "data", "lxingqitian", "2007099"), QStringLiteral("9"));
        QCOMPARE(column(t.db(), "append", "l04", "2007099"), QStringLiteral("4"));
    }

    void proposeNext()
    {
        ProgramDir t;
        QCOMPARE(proposeNextDrawNumber(t.db(), 2026).value, QStringLiteral("2026001"));
        insertDraw(t.db(), fields("2007040", "01 02 03 04 05 06", "07"));
        insertDraw(t.db(), fields("2007005", "01 02 03 04 05 06", "07"));
        QCOMPARE(proposeNextDrawNumber(t.db(), 2026).value, QStringLiteral("2007041"));
    }

    void batchLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("draw");  // qishu|reds|blue|extra
        QTest::newRow("eight numbers") << "2007001 06 05 04 03 02 01 07 09" << int(BatchLine::Draw) << ""
                                       << "2007001|01 02 03 04 05 06|07|09";
        QTest::newRow("seven numbers") << "2007002 1 2 3 4 5 6 7" << int(BatchLine::Draw) << ""
                                       << "2007002|01 02 03 04 05 06|07|";
        QTest::newRow("ninth ignored") << "2007003 1 2 3 4 5 6 7 8 99" << int(BatchLine::Draw) << ""
                                       << "2007003|01 02 03 04 05 06|07|08";
        QTest::newRow("several blanks") << "  2007004   1  2 3 4 5 6   7  " << int(BatchLine::Draw) << ""
                                        << "2007004|01 02 03 04 05 06|07|";
        QTest::newRow("leading zeros in number") << "02007005 1 2 3 4 5 6 7" << int(BatchLine::Draw) << ""
                                                 << "2007005|01 02 03 04 05 06|07|";
        QTest::newRow("empty") << "" << int(BatchLine::NoDrawNumber) << "" << "";
        QTest::newRow("blanks only") << "   " << int(BatchLine::NoDrawNumber) << "" << "";
        QTest::newRow("one small group") << "07" << int(BatchLine::NoDrawNumber) << "" << "";
        QTest::newRow("red 34") << "2007001 1 2 34 4 5 6 7" << int(BatchLine::Stop) << T::redAbove33 << "";
        QTest::newRow("extra 34") << "2007001 1 2 3 4 5 6 7 34" << int(BatchLine::Stop) << T::redAbove33 << "";
        QTest::newRow("blue 17") << "2007001 1 2 3 4 5 6 17" << int(BatchLine::Stop) << T::blueAbove16 << "";
        QTest::newRow("blue 0") << "2007001 1 2 3 4 5 6 0" << int(BatchLine::Stop) << T::blueZero << "";
        QTest::newRow("red 0") << "2007001 1 2 0 4 5 6 7" << int(BatchLine::Stop) << T::redZero << "";
        QTest::newRow("duplicate") << "2007001 1 2 3 4 5 1 7" << int(BatchLine::Stop) << T::duplicate << "";
        QTest::newRow("six numbers") << "2007001 1 2 3 4 5 6" << int(BatchLine::Stop) << T::wrongCount << "";
        QTest::newRow("number only") << "2007001 " << int(BatchLine::Stop) << T::wrongCount << "";
        QTest::newRow("number too long") << "99999999999 1 2 3 4 5 6 7" << int(BatchLine::Stop)
                                         << T::tooManyDigits("99999999999") << "";
        QTest::newRow("ball too long") << "2007001 1 2 3 4 5 6 99999999999" << int(BatchLine::Stop)
                                       << T::tooManyDigits("99999999999") << "";
        QTest::newRow("pasted tab") << "2007001\t1 2 3 4 5 6 7" << int(BatchLine::Stop)
                                    << T::notANumber("2007001\t1") << "";
    }
    void batchLine()
    {
        QFETCH(QString, line);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(QString, draw);
        const BatchLine b = parseBatchLine(line);
        QCOMPARE(int(b.kind), kind);
        QCOMPARE(b.message, message);
        if (b.kind == BatchLine::Draw)
            QCOMPARE(QStringList({b.fields.qishu, joined(b.fields.reds), b.fields.blue, b.fields.extra})
                         .join(QLatin1Char('|')),
                     draw);
    }

    // Whole batches: which draws end up stored, what is said, where it stops.
    void batch_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("stopped");
        const QString l1 = QStringLiteral("2007001 06 05 04 03 02 01 07 09");
        const QString l2 = QStringLiteral("2007002 01 02 03 04 05 06 07");
        const QString l3 = QStringLiteral("2007003 11 12 13 14 15 16 08");
        QTest::newRow("three lines") << QStringList{l1, l2, l3} << QStringList{"2006001", "2007001", "2007002", "2007003"}
                                     << QStringList{} << false;
        QTest::newRow("existing second line is skipped")
            << QStringList{l1, QStringLiteral("2006001 01 02 03 04 05 06 07"), l3}
            << QStringList{"2006001", "2007001", "2007003"} << QStringList{T::alreadyExistsSkipped("2006001")}
            << false;
        QTest::newRow("same draw twice") << QStringList{l1, l1, l2} << QStringList{"2006001", "2007001", "2007002"}
                                         << QStringList{T::alreadyExistsSkipped("2007001")} << false;
        QTest::newRow("three-digit number skipped, batch goes on")
            << QStringList{QStringLiteral("123 01 02 03 04 05 06 07"), l2} << QStringList{"2006001", "2007002"}
            << QStringList{T::noDrawNumber} << false;
        QTest::newRow("empty line ends it") << QStringList{l1, QString(), l3} << QStringList{"2006001", "2007001"}
                                            << QStringList{} << true;
        QTest::newRow("blue 17 ends it") << QStringList{l1, QStringLiteral("2007002 1 2 3 4 5 6 17"), l3}
                                         << QStringList{"2006001", "2007001"} << QStringList{T::blueAbove16} << true;
        QTest::newRow("short line ends it") << QStringList{QStringLiteral("2007002 1 2 3 4 5 6"), l3}
                                            << QStringList{"2006001"} << QStringList{T::wrongCount} << true;
    }
    void batch()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, messages);
        QFETCH(bool, stopped);
        ProgramDir t;
        QCOMPARE(insertDraw(t.db(), fields("2006001", "01 02 03 04 05 06", "07")).outcome.status, Outcome::Status::Ok);
        QStringList shown;
        BatchHooks hooks;
        hooks.message = [&shown](const QString &m) { shown << m; };
        hooks.insert = [&](const EntryFields &f) {
            const Result<QString> r = insertDraw(t.db(), f);
            if (!r.ok())
                shown << r.outcome.message;
            return r;
        };
        const BatchReport report = insertDrawBatch(t.db(), lines, hooks);
        QCOMPARE(shown, messages);
        QCOMPARE(report.stopped, stopped);
        QCOMPARE(DrawStore::drawNumbers(t.db()).value, stored);
        QCOMPARE(rows(t.db(), QStringLiteral("append")), int(stored.size()));
        QCOMPARE(report.inserted, int(stored.size()) - 1);
    }

    void batchExtraNumber()
    {
        ProgramDir t;
        BatchHooks hooks;
        hooks.message = [](const QString &) {};
        hooks.insert = [&t](const EntryFields &f) { return insertDraw(t.db(), f); };
        insertDrawBatch(t.db(),
                        {QStringLiteral("2007001 06 05 04 03 02 01 07 09"), QStringLiteral("2007002 1 2 3 4 5 6 7")},
                        hooks);
        QCOMPARE(column(t.db(), "data", "c1", "2007001"), QStringLiteral("01"));
        QCOMPARE(column(t.db(), "data", "c7", "2007001"), QStringLiteral("07"));
        QCOMPARE(column(t.db(), "data", "lxingqitian", "2007001"), QStringLiteral("09"));
        QCOMPARE(column(t.db(), "append", "lxingqitian", "2007001"), QStringLiteral("09"));
        QCOMPARE(column(t.db(), "data", "lxingqitian", "2007002"), QStringLiteral("<null>"));
    }

    // A batch reuses one insert for all its draws; a column a draw leaves out still gets the
    // table's default, as a single entry's insert gives it, not a NULL.
    void batchKeepsAColumnDefault_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("data") << QStringLiteral("data");
        QTest::newRow("append") << QStringLiteral("append");
    }
    void batchKeepsAColumnDefault()
    {
        QFETCH(QString, table);
        ProgramDir t;
        QSqlQuery q(t.db());
        QVERIFY(q.exec(QStringLiteral("alter table %1 drop column lxingqitian").arg(table)));
        QVERIFY(q.exec(QStringLiteral("alter table %1 add column lxingqitian TEXT DEFAULT '-'").arg(table)));
        BatchHooks hooks;
        hooks.message = [](const QString &) {};
        hooks.insert = [&t](const EntryFields &f) { return insertDraw(t.db(), f); };
        const BatchReport report = insertDrawBatch(
            t.db(),
            {QStringLiteral("2007001 1 2 3 4 5 6 7 09"), QStringLiteral("2007002 1 2 3 4 5 6 7"),
             QStringLiteral("2007003 1 2 3 4 5 7 8 10")},
            hooks);
        QCOMPARE(report.inserted, 3);
        QCOMPARE(column(t.db(), table, "lxingqitian", "2007001"), QStringLiteral("09"));
        QCOMPARE(column(t.db(), table, "lxingqitian", "2007002"), QStringLiteral("-"));
        QCOMPARE(column(t.db(), table, "lxingqitian", "2007003"), QStringLiteral("10"));
        QCOMPARE(column(t.db(), table, "c6", "2007003"), QStringLiteral("07"));
    }
};

QTEST_GUILESS_MAIN(TestDrawEntry)
#include "tst_drawentry.moc"

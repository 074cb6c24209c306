// Reading the lottery's draw notice: the draws and their details, each bad entry refused with
// a message naming it, a body that is no notice refused as a whole.
#include "NoticeJson.h"
#include "core/download/DrawNotice.h"
#include "core/history/DrawEntry.h"

#include <QtTest>
#include <functional>

namespace T = NoticeTexts;

class TestDrawNotice : public QObject {
    Q_OBJECT

    static QByteArray withEntry(const std::function<void(QJsonObject &)> &change)
    {
        QJsonObject e = noticeEntry(QStringLiteral("2026097"), QStringLiteral("03,09,14,21,27,30"), QStringLiteral("11"));
        change(e);
        return noticeBody(QJsonArray{e, noticeEntry(QStringLiteral("2026096"), QStringLiteral("01,02,03,04,05,06"), QStringLiteral("16"))});
    }

private slots:
    void readsDrawsAndDetails()
    {
        const NoticeReading r = readDrawNotice(noticeBody(
            QJsonArray{noticeEntry("2026097", "03,09,14,21,27,30", "11"), noticeEntry("2026096", "1,2,3,4,5,33", "1")}, 117));
        QVERIFY2(r.outcome.ok(), qPrintable(r.outcome.message));
        QCOMPARE(r.listed, 2);
        QCOMPARE(r.pages, 117);
        QCOMPARE(r.refusals, QStringList());
        QCOMPARE(r.entries.size(), 2);
        QCOMPARE(r.entries[0].batchLine, QStringLiteral("2026097 03 09 14 21 27 30 11"));
        QCOMPARE(r.entries[1].batchLine, QStringLiteral("2026096 01 02 03 04 05 33 01"));
        const DrawDetails &d = r.entries[0].details;
        QCOMPARE(d.qishu, QStringLiteral("2026097"));
        QCOMPARE(d.date, QStringLiteral("2026-02-14"));
        QCOMPARE(d.sales, 350000097);
        QCOMPARE(d.pool, 2100000097);
        QCOMPARE(d.grades[0].winners, 107);
        QCOMPARE(d.grades[0].money, 97600);
        QCOMPARE(d.grades[5].winners, 157);
        QCOMPARE(d.grades[5].money, 97100);
    }

    // Each row spoils the first of two entries; the second is read all the same.
    void refusesAnEntry_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        auto set = [](const char *key, const QJsonValue &v) {
            return withEntry([=](QJsonObject &e) { e.insert(QLatin1String(key), v); });
        };
        auto drop = [](const char *key) { return withEntry([=](QJsonObject &e) { e.remove(QLatin1String(key)); }); };
        QTest::newRow("no red") << drop("red") << T::missingField("2026097", "red");
        QTest::newRow("no blue") << drop("blue") << T::missingField("2026097", "blue");
        QTest::newRow("no date") << drop("date") << T::missingField("2026097", "date");
        QTest::newRow("no code") << drop("code") << T::entryWithoutCode(1);
        QTest::newRow("code not seven digits") << set("code", "26097") << T::entryBadCode(1, "26097");
        QTest::newRow("code with a leading zero") << set("code", "0622435") << T::entryBadCode(1, "0622435");
        QTest::newRow("red not a ball") << set("red", "03,09,1x,21,27,30") << T::badField("2026097", "红球", "03,09,1x,21,27,30");
        QTest::newRow("red 34") << set("red", "03,09,14,21,27,34") << T::entryRefused("2026097", EntryTexts::redAbove33);
        QTest::newRow("red 0") << set("red", "00,09,14,21,27,30") << T::entryRefused("2026097", EntryTexts::redZero);
        QTest::newRow("five reds") << set("red", "03,09,14,21,27") << T::entryRefused("2026097", EntryTexts::wrongCount);
        QTest::newRow("seven reds") << set("red", "03,09,14,21,27,30,31") << T::entryRefused("2026097", EntryTexts::wrongCount);
        QTest::newRow("a red twice") << set("red", "03,09,14,21,27,27") << T::entryRefused("2026097", EntryTexts::duplicate);
        QTest::newRow("blue 17") << set("blue", "17") << T::entryRefused("2026097", EntryTexts::blueAbove16);
        QTest::newRow("blue 0") << set("blue", "0") << T::entryRefused("2026097", EntryTexts::blueZero);
        QTest::newRow("blue a list") << set("blue", QJsonArray{11}) << T::badField("2026097", "blue", "[11]");
        QTest::newRow("date not a day") << set("date", "2026-02-30(一)") << T::badField("2026097", "开奖日期", "2026-02-30(一)");
        QTest::newRow("sales not a number") << set("sales", "3.5亿") << T::badField("2026097", "销售额", "3.5亿");
        QTest::newRow("another game") << set("name", "福彩3D") << T::notThisGame("2026097", "福彩3D");
        QTest::newRow("grade money not a number")
            << set("prizegrades", QJsonArray{QJsonObject{{"type", 1}, {"typenum", "1"}, {"typemoney", "abc"}}})
            << T::badField("2026097", "奖级", "{\"type\":1,\"typemoney\":\"abc\",\"typenum\":\"1\"}");
        QTest::newRow("a grade twice")
            << set("prizegrades", QJsonArray{QJsonObject{{"type", 2}}, QJsonObject{{"type", 2}}})
            << T::badField("2026097", "奖级", "{\"type\":2}");
        QTest::newRow("not an object") << noticeBody(QJsonArray{QStringLiteral("2026097"),
                                                                noticeEntry("2026096", "01,02,03,04,05,06", "16")})
                                       << T::entryNotADraw(1);
    }
    void refusesAnEntry()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        const NoticeReading r = readDrawNotice(body);
        QVERIFY2(r.outcome.ok(), qPrintable(r.outcome.message));
        QCOMPARE(r.listed, 2);
        QCOMPARE(r.refusals, QStringList{message});
        QCOMPARE(r.entries.size(), 1);
        QCOMPARE(r.entries[0].details.qishu, QStringLiteral("2026096"));
    }

    // What the notice does not say is unknown, not zero; numbers may come as numbers.
    void unknownAmountsAndNumbers()
    {
        const NoticeReading r = readDrawNotice(withEntry([](QJsonObject &e) {
            e.insert("sales", "");
            e.remove("poolmoney");
            e.insert("code", 2026097);
            e.insert("blue", 11);
            e.insert("prizegrades", QJsonArray{QJsonObject{{"type", "1"}, {"typenum", 0}, {"typemoney", "--"}},
                                               QJsonObject{{"type", 3}, {"typenum", "1,234"}, {"typemoney", 3000}}});
        }));
        QCOMPARE(r.refusals, QStringList());
        const DrawDetails &d = r.entries[0].details;
        QCOMPARE(r.entries[0].batchLine, QStringLiteral("2026097 03 09 14 21 27 30 11"));
        QCOMPARE(d.sales, -1);
        QCOMPARE(d.pool, -1);
        QCOMPARE(d.grades[0].winners, 0);
        QCOMPARE(d.grades[0].money, -1);
        QCOMPARE(d.grades[1].winners, -1);
        QCOMPARE(d.grades[2].winners, 1234);
        QCOMPARE(d.grades[2].money, 3000);
    }

    // 福运奖 is grade 7: its winners and money where it was awarded, 0 bets at 0 yuan where the
    // notice lists it empty, unknown where it is not listed; a grade past it is not kept.
    void fortuneGrade_data()
    {
        QTest::addColumn<QJsonArray>("grades");
        QTest::addColumn<qint64>("winners");
        QTest::addColumn<qint64>("money");
        auto grade = [](const QJsonValue &type, const QJsonValue &number, const QJsonValue &money) {
            return QJsonObject{{"type", type}, {"typenum", number}, {"typemoney", money}};
        };
        QTest::newRow("awarded") << QJsonArray{grade(1, "2", "5000000"), grade(7, "9373173", "5")} << qint64(9373173)
                                 << qint64(5);
        QTest::newRow("as numbers") << QJsonArray{grade("7", 12, 5)} << qint64(12) << qint64(5);
        QTest::newRow("listed empty") << QJsonArray{grade(1, "2", "5000000"), grade(7, "", "")} << qint64(0) << qint64(0);
        QTest::newRow("listed with dashes") << QJsonArray{grade(7, "-", "--")} << qint64(0) << qint64(0);
        QTest::newRow("winners without money") << QJsonArray{grade(7, "40", "")} << qint64(40) << qint64(0);
        QTest::newRow("not listed") << QJsonArray{grade(1, "2", "5000000")} << qint64(-1) << qint64(-1);
        QTest::newRow("a grade past it") << QJsonArray{grade(8, "1", "1")} << qint64(-1) << qint64(-1);
    }
    void fortuneGrade()
    {
        QFETCH(QJsonArray, grades);
        QFETCH(qint64, winners);
        QFETCH(qint64, money);
        const NoticeReading r = readDrawNotice(withEntry([&](QJsonObject &e) { e.insert("prizegrades", grades); }));
        QCOMPARE(r.refusals, QStringList());
        const PrizeGrade &g = r.entries[0].details.grades[PrizeRules::FortuneGrade - 1];
        QCOMPARE(g.winners, winners);
        QCOMPARE(g.money, money);
    }

    // The history grid's tooltip names 福运奖 where it was awarded, after the six grades.
    void tooltipShowsFortuneWhereAwarded_data()
    {
        QTest::addColumn<QString>("draw");
        QTest::addColumn<qint64>("winners");
        QTest::addColumn<qint64>("money");
        QTest::addColumn<QString>("line"); // the tooltip's last line
        QTest::newRow("awarded") << "2026050" << qint64(9373173) << qint64(5) << "福运奖：9,373,173注，每注5元";
        QTest::newRow("listed empty") << "2026080" << qint64(0) << qint64(0) << "六等奖：--，每注--";
        QTest::newRow("not listed") << "2026080" << qint64(-1) << qint64(-1) << "六等奖：--，每注--";
        QTest::newRow("a grade 7 before the rules") << "2025100" << qint64(100) << qint64(5) << "六等奖：--，每注--";
    }
    void tooltipShowsFortuneWhereAwarded()
    {
        QFETCH(QString, draw);
        QFETCH(qint64, winners);
        QFETCH(qint64, money);
        QFETCH(QString, line);
        DrawDetails d;
        d.qishu = draw;
        d.grades[PrizeRules::FortuneGrade - 1] = {winners, money};
        const QStringList lines = drawDetailsText(d).split(QLatin1Char('\n'));
        QCOMPARE(lines.last(), line);
        QCOMPARE(lines.size(), line.startsWith(QStringLiteral("福运奖")) ? 9 : 8);
    }

    void fortuneGradeRefused_data()
    {
        QTest::addColumn<QJsonArray>("grades");
        QTest::addColumn<QString>("shown");
        QTest::newRow("money with its unit") << QJsonArray{QJsonObject{{"type", 7}, {"typenum", "1"}, {"typemoney", "5元"}}}
                                             << "{\"type\":7,\"typemoney\":\"5元\",\"typenum\":\"1\"}";
        QTest::newRow("listed twice") << QJsonArray{QJsonObject{{"type", 7}}, QJsonObject{{"type", 7}}} << "{\"type\":7}";
    }
    void fortuneGradeRefused()
    {
        QFETCH(QJsonArray, grades);
        QFETCH(QString, shown);
        const NoticeReading r = readDrawNotice(withEntry([&](QJsonObject &e) { e.insert("prizegrades", grades); }));
        QCOMPARE(r.refusals, QStringList{T::badField("2026097", "奖级", shown)});
        QCOMPARE(r.entries.size(), 1);
    }

    // The same draw twice as it was (pages shift) is one draw; another draw under its number
    // goes on, for the batch to skip with its message.
    void repeatedDraws()
    {
        const QJsonObject a = noticeEntry("2026097", "03,09,14,21,27,30", "11");
        const QJsonObject b = noticeEntry("2026097", "03,09,14,21,27,31", "11");
        NoticeReading r = readDrawNotice(noticeBody(QJsonArray{a, a}));
        QCOMPARE(r.listed, 2);
        QCOMPARE(r.entries.size(), 1);
        r = readDrawNotice(noticeBody(QJsonArray{a, b}));
        QCOMPARE(r.entries.size(), 2);
        QCOMPARE(r.entries[1].batchLine, QStringLiteral("2026097 03 09 14 21 27 31 11"));
    }

    void refusesTheWhole_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        const QByteArray good = noticeBody(noticeEntries({"2026097 03 09 14 21 27 30 11"}));
        QTest::newRow("html page") << QByteArray("\r\n<!DOCTYPE html><html><head><title>访问被拒绝</title></head>"
                                                 "<body><h1>403 Forbidden</h1></body></html>")
                                   << T::htmlPage("访问被拒绝 403 Forbidden");
        QTest::newRow("state 1") << noticeBody(noticeEntries({"2026097 03 09 14 21 27 30 11"}), 0, 1)
                                 << T::stateNotZero("1", "系统繁忙");
        QTest::newRow("cut short") << good.left(good.size() / 2)
                                   << T::notJson("").chopped(2); // Qt's own words follow
        QTest::newRow("empty") << QByteArray() << T::notJson("第1个字节：").chopped(2);
        QTest::newRow("no result") << QByteArray(R"({"state":0,"message":"查询成功"})") << T::noNotice();
        QTest::newRow("result not a list") << QByteArray(R"({"state":0,"result":{}})") << T::noNotice();
        QTest::newRow("a list, not a notice") << QByteArray("[1,2]") << T::noNotice();
        QByteArray huge = good;
        huge.append(QByteArray(50 * 1024 * 1024, ' '));
        QTest::newRow("50 MB") << huge << T::tooBig(huge.size());
    }
    void refusesTheWhole()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        const NoticeReading r = readDrawNotice(body);
        QCOMPARE(r.outcome.status, Outcome::Status::Refused);
        // Where the JSON breaks off, Qt's own words follow the message.
        const bool qtWordsFollow = message.endsWith(QStringLiteral("（")) || message.endsWith(QStringLiteral("："));
        QVERIFY2(r.outcome.message == message || (qtWordsFollow && r.outcome.message.startsWith(message)),
                 qPrintable(r.outcome.message));
        QCOMPARE(r.entries.size(), 0);
    }

    void byteOrderMarkAndBlanks()
    {
        const NoticeReading r = readDrawNotice("\xEF\xBB\xBF\n  " + noticeBody(noticeEntries({"2026097 03 09 14 21 27 30 11"})));
        QVERIFY(r.outcome.ok());
        QCOMPARE(r.entries.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDrawNotice)
#include "tst_drawnotice.moc"

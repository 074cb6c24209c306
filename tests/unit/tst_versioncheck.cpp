// The version page's text decides status panel 3; pages come through PageFetch.
#include "PageServer.h"
#include "core/Version.h"
#include "core/download/VersionCheck.h"
#include "core/download/PageFetch.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace V = VersionTexts;

class TestVersionCheck : public QObject {
    Q_OBJECT

private slots:
    void panelText_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("panel");
        const QString newer15 = QString::fromUtf8("发现最新版本1.5，请到Varnelo或者Quindle下载！");
        QTest::newRow("1.5 and more text") << QString::fromUtf8("Balvora 最新版本：1.5 发布于今日") << newer15;
        QTest::newRow("its own version") << QString::fromUtf8("最新版本：") + kVersionText << V::noneFound;
        QTest::newRow("2.0 is 2, after 1.4") << QString::fromUtf8("最新版本：2.0")
                                             << QString::fromUtf8("发现最新版本2.0，请到Varnelo或者Quindle下载！");
        QTest::newRow("1.10 reads 1.1") << QString::fromUtf8("最新版本：1.10") << V::noneFound;
        QTest::newRow("older") << QString::fromUtf8("最新版本：0.9") << V::noneFound;
        QTest::newRow("letters") << QString::fromUtf8("最新版本：abc") << V::noneFound;
        QTest::newRow("inf is no version") << QString::fromUtf8("最新版本：inf") << V::noneFound;
        QTest::newRow("nan is no version") << QString::fromUtf8("最新版本：nan") << V::noneFound;
        QTest::newRow("comma is no point") << QString::fromUtf8("最新版本：1,5") << V::noneFound;
        QTest::newRow("no marker") << QString::fromUtf8("版本：1.5") << V::noneFound;
        QTest::newRow("empty page") << QString() << V::noneFound;
        QTest::newRow("first marker counts") << QString::fromUtf8("最新版本：1.3 最新版本：1.9") << V::noneFound;
        QTest::newRow("marker at the end") << QString::fromUtf8("最新版本：") << V::noneFound;
        QTest::newRow("short version") << QString::fromUtf8("最新版本：2") << QString::fromUtf8("发现最新版本2，请到Varnelo或者Quindle下载！");
        QTest::newRow("10. sorts after 1.4") << QString::fromUtf8("最新版本：10.")
                                             << QString::fromUtf8("发现最新版本10.，请到Varnelo或者Quindle下载！");
    }
    void panelText()
    {
        QFETCH(QString, page);
        QFETCH(QString, panel);
        QCOMPARE(versionPanelText(page), panel);
    }

    // The address is line 1 of user/Version.txt; a plain path is a file beside the program.
    void address()
    {
        QTemporaryDir dir;
        QCOMPARE(versionPageAddress(dir.path()), QUrl());
        QDir(dir.path()).mkpath(QStringLiteral("user"));
        QFile f(dir.filePath(QStringLiteral("user/Version.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("user/version.html\r\n");
        f.close();
        QCOMPARE(versionPageAddress(dir.path()), QUrl::fromLocalFile(dir.filePath(QStringLiteral("user/version.html"))));
    }

    // One finished() per fetch, for a served page, a missing one, a closed port and a file.
    void fetch_data()
    {
        QTest::addColumn<QString>("where");  // "served", "404", "closed", "file", "nofile"
        QTest::addColumn<bool>("ok");
        QTest::newRow("served page") << "served" << true;
        QTest::newRow("not found") << "404" << false;
        QTest::newRow("nothing listening") << "closed" << false;
        QTest::newRow("file") << "file" << true;
        QTest::newRow("missing file") << "nofile" << false;
    }
    void fetch()
    {
        QFETCH(QString, where);
        QFETCH(bool, ok);
        PageServer server;
        QVERIFY(server.listening());
        const QByteArray body = QString::fromUtf8("<p>最新版本：1.5</p>").toUtf8();
        server.serve(QStringLiteral("/v.html"), body, "text/html; charset=utf-8");
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("v.html")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(body);
        file.close();
        const QUrl url = where == QLatin1String("served")   ? server.url(QStringLiteral("/v.html"))
                         : where == QLatin1String("404")    ? server.url(QStringLiteral("/none.html"))
                         : where == QLatin1String("closed") ? PageServer::unreachableUrl()
                         : where == QLatin1String("file")   ? QUrl::fromLocalFile(file.fileName())
                                                            : QUrl::fromLocalFile(dir.filePath(QStringLiteral("no.html")));
        PageFetch fetch;
        QSignalSpy spy(&fetch, &PageFetch::finished);
        fetch.start(url);
        QVERIFY(spy.wait(10000));
        QTest::qWait(50);
        QCOMPARE(spy.count(), 1);
        const FetchedPage page = spy.first().first().value<FetchedPage>();
        QCOMPARE(page.ok, ok);
        if (ok)
            QCOMPARE(versionPanelText(page.text()), QString::fromUtf8("发现最新版本1.5，请到Varnelo或者Quindle下载！"));
        else
            QVERIFY(!page.error.isEmpty());
    }

    // A new start abandons the fetch before it: only the second page is reported.
    void restartAbandons()
    {
        PageServer server;
        server.serve(QStringLiteral("/a"), "a", "text/plain");
        server.serve(QStringLiteral("/b"), "b", "text/plain");
        PageFetch fetch;
        QSignalSpy spy(&fetch, &PageFetch::finished);
        fetch.start(server.url(QStringLiteral("/a")));
        fetch.start(server.url(QStringLiteral("/b")));
        QVERIFY(spy.wait(10000));
        QTest::qWait(100);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().value<FetchedPage>().body, QByteArray("b"));
    }
};

QTEST_GUILESS_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"

// balvora-cli download against pages served from 127.0.0.1, and import of the usual layouts.
#include "PageServer.h"
#include "core/history/DrawDatabase.h"
#include "core/download/DrawPage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace T = DrawPageTexts;

class TestCliDownload : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QStringList out;
        QString err;
    };

    QTemporaryDir m_dir;
    PageServer m_server;

    // Runs balvora-cli while the test's event loop keeps serving pages.
    Run cli(const QStringList &args, const QByteArray &input = QByteArray())
    {
        Run run;
        QProcess p;
        QSignalSpy finished(&p, &QProcess::finished);
        p.start(QStringLiteral(BALVORA_BINARY_DIR "/balvora-cli"), QStringList{"--dir", m_dir.path()} + args);
        if (!p.waitForStarted())
            return run;
        p.write(input);
        p.closeWriteChannel();
        if (!finished.wait(60000))
            return run;
        run.exitCode = p.exitCode();
        run.out = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        run.err = QString::fromUtf8(p.readAllStandardError());
        return run;
    }

    QStringList drawsStored()
    {
        DrawDatabase data;
        QStringList numbers;
        if (!data.open(m_dir.path()).ok())
            return numbers;
        QSqlQuery q(data.database());
        q.exec(QStringLiteral("select qishu, c1, c7, lxingqitian from data order by qishu"));
        while (q.next())
            numbers << QStringLiteral("%1 %2 %3 %4").arg(q.value(0).toString(), q.value(1).toString(),
                                                        q.value(2).toString(), q.value(3).isNull() ? "-" : "x");
        return numbers;
    }

    void clearDraws()
    {
        DrawDatabase data;
        QVERIFY(data.open(m_dir.path()).ok());
        QSqlQuery(data.database()).exec(QStringLiteral("delete from data"));
        QSqlQuery(data.database()).exec(QStringLiteral("delete from append"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listening());
        QVERIFY(DrawDatabase::createDatabase(m_dir.path()).ok());
        QDir(m_dir.path()).mkpath(QStringLiteral("user"));
        QFile f(m_dir.filePath(QStringLiteral("user/DownUpdate.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(m_server.url(QStringLiteral("/latest.html")).toEncoded() + "\n"
                + m_server.url(QStringLiteral("/all.html")).toEncoded() + "\n");
        QStringEncoder gbk("GBK");
        m_server.serve(QStringLiteral("/latest.html"),
                       gbk(QString::fromUtf8("<p>双色球：2007001期01020304050607<br>2007002期08091011121314</p>")),
                       "text/html; charset=gbk");
        m_server.serve(QStringLiteral("/all.html"),
                       QString::fromUtf8("<p>双色球：2003001期10111213262811</p>").toUtf8(), "text/html; charset=utf-8");
    }

    void downloadsThenFindsNothing()
    {
        Run first = cli({"download"});
        QCOMPARE(first.exitCode, 0);
        QCOMPARE(first.out, (QStringList{T::downloading, T::analysing, T::drawLog("2007001"),
                                         T::numbersLog("01 02 03 04 05 06 07"), T::drawLog("2007002"),
                                         T::numbersLog("08 09 10 11 12 13 14"), T::updated, "inserted 2, skipped 0"}));
        QCOMPARE(drawsStored(), (QStringList{"2007001 01 07 -", "2007002 08 14 -"}));
        Run second = cli({"download"});
        QCOMPARE(second.exitCode, 0);
        QCOMPARE(second.out, (QStringList{T::downloading, T::analysing, T::nothingNew}));
        Run history = cli({"download", "--history"});
        QCOMPARE(history.exitCode, 0);
        QCOMPARE(m_server.requests(QStringLiteral("/all.html")), 1);
        QCOMPARE(drawsStored().first(), QStringLiteral("2003001 10 11 -"));
        clearDraws();
    }

    void unreachablePageFails()
    {
        Run run = cli({"download", "--url", PageServer::unreachableUrl().toString()});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QString::fromUtf8("开奖数据页面无法下载")));
        Run missing = cli({"download", "--url", m_server.url(QStringLiteral("/gone.html")).toString()});
        QCOMPARE(missing.exitCode, 1);
        QCOMPARE(drawsStored(), QStringList());
    }

    // A mixed file: a CSV header, CSV rows, the other layouts; the unreadable line stops the
    // import after the lines before it, naming its line.
    void importLayouts()
    {
        const QByteArray file = "issue,red1,red2,red3,red4,red5,red6,blue,date\n"
                                "22001,06,05,04,03,02,01,07,2022-01-02\n"
                                "22002 01,02,03,04,05,06+08\n"
                                "2022003 01.02.03.04.05.06|09 10\n"
                                "2022004 01-02-03-04-05-06-07\n"
                                "2022005 01 02 03 04 05 06 07\n";
        Run run = cli({"import", "-"}, file);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, (QStringList{QString::fromUtf8("第5行（2022004 01-02-03-04-05-06-07）："
                                                         "您输入的彩票开奖号码位数不对,请检查后重新输入！"),
                                       "inserted 3, skipped 0, header line 1 ignored"}));
        QVERIFY(run.err.contains(QStringLiteral("stopped at line 5")));
        QCOMPARE(drawsStored(), (QStringList{"2022001 01 07 -", "2022002 01 08 -", "2022003 01 09 x"}));
        clearDraws();
    }
};

QTEST_GUILESS_MAIN(TestCliDownload)
#include "tst_cli_download.moc"

// balvora-cli notice against a results service on 127.0.0.1, and import of saved notices.
#include "NoticeJson.h"
#include "NoticeServer.h"
#include "core/download/DrawNotice.h"
#include "core/download/NoticeUpdate.h"
#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class TestCliNotice : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QStringList out;
        QString err;
    };

    std::unique_ptr<QTemporaryDir> m_dir;

    // Runs balvora-cli while the test's event loop keeps serving pages.
    Run cli(const QStringList &args)
    {
        Run run;
        QProcess p;
        QSignalSpy finished(&p, &QProcess::finished);
        p.start(QStringLiteral(BALVORA_BINARY_DIR "/balvora-cli"), QStringList{"--dir", m_dir->path()} + args);
        if (!p.waitForStarted())
            return run;
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
        QStringList rows;
        if (!data.open(m_dir->path()).ok())
            return {QStringLiteral("<no history>")};
        QSqlQuery q(data.database());
        q.exec(QStringLiteral("select d.qishu, d.c7, g.jiangjin1 from data d left join gonggao g on g.qishu = d.qishu "
                              "order by d.rowid"));
        while (q.next())
            rows << QStringLiteral("%1 %2 %3").arg(q.value(0).toString(), q.value(1).toString(),
                                                   q.value(2).isNull() ? QStringLiteral("-") : q.value(2).toString());
        return rows;
    }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(m_dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(DrawDatabase::createDatabase(m_dir->path()).ok());
        QDir(m_dir->path()).mkpath(QStringLiteral("user"));
    }

    void updatesFromThePages()
    {
        NoticeServer server;
        write("user/Notice.txt", server.address().toEncoded() + "\n");
        server.page(1, noticeBody(noticeEntries({"2026003 01 02 03 04 05 06 07", "2026002 01 02 03 04 05 07 08",
                                                 "2026001 01 02 03 04 05 08 09"})));
        server.page(2, noticeBody(QJsonArray{}));
        Run r = cli({"notice"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out.first(), NoticeUpdateTexts::fetchingPage(1));
        QCOMPARE(r.out.mid(r.out.size() - 2),
                 (QStringList{NoticeUpdateTexts::stored(3), QStringLiteral("inserted 3, skipped 0")}));
        QCOMPARE(drawsStored(), (QStringList{"2026001 09 1600", "2026002 08 2600", "2026003 07 3600"}));

        // Nothing new is still a notice read; --pages 1 asks for page 1 only.
        r = cli({"notice", "--pages", "1"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.last(), QStringLiteral("未发现更新开奖号码，请稍后再试！"));
        QCOMPARE(server.requestedPages(), (QList<int>{1, 2, 1}));
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("says");
        QTest::newRow("html") << QByteArray("text/html") << QByteArray("<html><title>维护中</title></html>")
                              << NoticeTexts::htmlPage("维护中");
        QTest::newRow("state 1") << QByteArray("application/json")
                                 << noticeBody(noticeEntries({"2026003 01 02 03 04 05 06 07"}), 0, 1)
                                 << NoticeTexts::stateNotZero("1", "系统繁忙");
    }
    void refusals()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        QFETCH(QString, says);
        NoticeServer server;
        write("user/Notice.txt", server.address().toEncoded() + "\n");
        server.page(1, NoticeServer::Answer{body, contentType});
        const Run r = cli({"notice"});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.trimmed(), QStringLiteral("balvora-cli notice: ") + NoticeUpdateTexts::fetchFailed(1, says));
        QCOMPARE(drawsStored(), QStringList());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no address in Notice.txt") << QStringList{"notice"};
        QTest::newRow("--pages 0") << QStringList{"notice", "--pages", "0", "--url", "http://127.0.0.1:1/"};
        QTest::newRow("--pages x") << QStringList{"notice", "--pages", "x", "--url", "http://127.0.0.1:1/"};
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        // Present but without an address (an absent one would be copied from the shipped defaults).
        write("user/Notice.txt", "\n");
        QCOMPARE(cli(args).exitCode, 2);
    }

    // Saved notices, one or several, go through the batch: stored draws bring its message,
    // a bad entry its own, and the summary counts both as skipped.
    void importsSavedNotices()
    {
        QJsonArray first = noticeEntries({"2026003 01 02 03 04 05 06 07", "2026002 01 02 03 04 05 07 08"});
        QJsonObject bad = first[1].toObject();
        bad.insert("red", "01,02,03,04,05,34");
        first[1] = bad;
        write("a.json", noticeBody(first));
        write("b.json", "\xEF\xBB\xBF" + noticeBody(noticeEntries({"2026003 01 02 03 04 05 06 07", "2026001 01 02 03 04 05 08 09"})));
        Run r = cli({"import", m_dir->filePath("a.json"), m_dir->filePath("b.json")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, (QStringList{NoticeTexts::entryRefused("2026002", EntryTexts::redAbove33),
                                     QStringLiteral("inserted 2, skipped 1")}));
        QCOMPARE(drawsStored(), (QStringList{"2026001 09 1600", "2026003 07 3600"}));

        r = cli({"import", m_dir->filePath("b.json")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, (QStringList{EntryTexts::alreadyExistsSkipped("2026001"), EntryTexts::alreadyExistsSkipped("2026003"),
                                     QStringLiteral("inserted 0, skipped 2")}));
    }

    void importRefusals()
    {
        write("good.json", noticeBody(noticeEntries({"2026001 01 02 03 04 05 08 09"})));
        write("cut.json", noticeBody(noticeEntries({"2026002 01 02 03 04 05 08 09"})).chopped(5));
        write("lines.txt", "2026002 01 02 03 04 05 08 09\n");
        // One bad file: nothing of the others is stored.
        Run r = cli({"import", m_dir->filePath("good.json"), m_dir->filePath("cut.json")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(NoticeTexts::notJson("").chopped(2)), qPrintable(r.err));
        QCOMPARE(drawsStored(), QStringList());
        // Several files only as notices.
        r = cli({"import", m_dir->filePath("good.json"), m_dir->filePath("lines.txt")});
        QCOMPARE(r.exitCode, 2);
        // A notice without entries holds no draw.
        write("empty.json", noticeBody(QJsonArray{}));
        r = cli({"import", m_dir->filePath("empty.json")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("no draw could be read")), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TestCliNotice)
#include "tst_cli_notice.moc"

// The download dialog and the version notice, with pages served from 127.0.0.1.
#include "MainWindowFixture.h"
#include "PageServer.h"
#include "core/Version.h"
#include "core/history/DrawEntry.h"
#include "core/download/DrawPage.h"
#include "core/download/VersionCheck.h"
#include "ui/history/DrawEntryDialog.h"
#include "ui/download/DownloadDialog.h"
#include "ui/history/HistoryTab.h"
#include "ui/main/MainWindow.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTimer>
#include <QtTest>

namespace T = DrawPageTexts;

namespace {

QByteArray encoded(const QString &text, const QByteArray &charset)
{
    if (charset == "utf-8")
        return text.toUtf8();
    QStringEncoder e(charset.constData());
    return e(text);
}

// An HTML page listing records "2007039期01020304050607" one per line.
QString htmlPage(const QStringList &records, const QByteArray &charset)
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"%1\"><title>开奖</title>"
                          "<script>var x = '双色球：2000001期01020304050607';</script></head>"
                          "<body><h3>双色球开奖结果</h3><p>双色球：%2</p></body></html>")
        .arg(QString::fromLatin1(charset), records.join(QStringLiteral("<br>\n")));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestDownloadDialog : public QObject {
    Q_OBJECT

    struct Fixture : MainWindowFixture {
        PageServer server;
        std::unique_ptr<DownloadDialog> update;

        Fixture()
        {
            addresses(server.url(QStringLiteral("/latest.html")).toString() + QLatin1Char('\n')
                      + server.url(QStringLiteral("/all.html")).toString() + QLatin1Char('\n'));
        }
        void addresses(const QString &text)
        {
            writeFile(dir.file(QStringLiteral("user/DownUpdate.txt")), text.toUtf8());
        }
        // The window after the draws of the history are stored.
        void open()
        {
            openMain();
            update = std::make_unique<DownloadDialog>(main->database(), dir.path(), messages, main.get());
            QObject::connect(update.get(), &DownloadDialog::drawsStored, main->historyTab(), &HistoryTab::drawsAdded);
            update->show();
        }
        // Presses "开始下载" and waits for the page to be analysed; false when nothing ended.
        bool download()
        {
            QSignalSpy ended(update.get(), &DownloadDialog::downloadEnded);
            QTest::mouseClick(start(), Qt::LeftButton);
            return ended.count() > 0 || ended.wait(20000);
        }
        QPushButton *start() const { return update->findChild<QPushButton *>(QStringLiteral("startButton")); }
        QRadioButton *historyChoice() const { return update->findChild<QRadioButton *>(QStringLiteral("historyChoice")); }
        QStringList log() const
        {
            QStringList lines;
            auto *list = update->findChild<QListWidget *>(QStringLiteral("logList"));
            for (int i = 0; i < list->count(); ++i)
                lines << list->item(i)->text();
            return lines;
        }
    };

private slots:
    void opensFromTheMenu()
    {
        Fixture f;
        QVERIFY(f.openMain());
        auto *action = f.main->findChild<QAction *>(QStringLiteral("actDownload"));
        QVERIFY(action);
        QVERIFY(action->isEnabled());
        QString title;
        bool latestChecked = false;
        int logLines = -1;
        QTimer::singleShot(0, f.main.get(), [&] {
            auto *dialog = qobject_cast<DownloadDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            latestChecked = dialog->findChild<QRadioButton *>(QStringLiteral("latestChoice"))->isChecked();
            logLines = dialog->findChild<QListWidget *>(QStringLiteral("logList"))->count();
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("quitButton")), Qt::LeftButton);
        });
        action->trigger();
        QCOMPARE(title, QString::fromUtf8("开奖数据自动更新"));
        QVERIFY(latestChecked);
        QCOMPARE(logLines, 0);
        // Each choice of the item makes its own dialog, gone when it closes.
        QCOMPARE(f.main->findChildren<DownloadDialog *>().size(), 0);
    }

    // Three draws on the page, the two older ones stored already: the newest is stored
    // through the batch, silently; a second download then finds nothing.
    void oneNewDrawThenNothing_data()
    {
        QTest::addColumn<QByteArray>("charset");
        QTest::addColumn<QByteArray>("contentType");
        QTest::newRow("GBK page, charset in the header") << QByteArray("gbk") << QByteArray("text/html; charset=GBK");
        QTest::newRow("GBK page, charset in a meta") << QByteArray("gb2312") << QByteArray("text/html");
        QTest::newRow("UTF-8 page") << QByteArray("utf-8") << QByteArray("text/html; charset=utf-8");
    }
    void oneNewDrawThenNothing()
    {
        QFETCH(QByteArray, charset);
        QFETCH(QByteArray, contentType);
        Fixture f;
        f.dir.addDraw(QStringLiteral("2007039"), {1, 2, 3, 4, 5, 6}, 7);
        f.dir.addDraw(QStringLiteral("2007040"), {2, 3, 4, 5, 6, 7}, 8);
        const QStringList records{QString::fromUtf8("2007039期01020304050607"), QString::fromUtf8("2007040期02030405060708"),
                                  QString::fromUtf8("2007041期33221012313005")};
        f.server.serve(QStringLiteral("/latest.html"), encoded(htmlPage(records, charset), charset), contentType);
        f.open();
        QVERIFY(f.download());

        QCOMPARE(f.log(), (QStringList{T::downloading, T::analysing, QString::fromUtf8("双色球期数:2007041"),
                                       QString::fromUtf8("开奖号码:33 22 10 12 31 30 05"), T::updated}));
        // The entry dialog is not a conduit: its batch box stays as it was.
        QCOMPARE(f.main->drawEntry()->findChild<QPlainTextEdit *>("batchEdit")->toPlainText(), QString());
        QCOMPARE(f.messages.shown, QStringList());  // no success message for the stored draw
        QVERIFY(f.update->foundNew());
        QCOMPARE(f.rows(QStringLiteral("data")), 3);
        QCOMPARE(f.rows(QStringLiteral("append")), 3);
        QCOMPARE(f.value(QStringLiteral("c1"), QStringLiteral("2007041")), QStringLiteral("10"));
        QCOMPARE(f.value(QStringLiteral("c6"), QStringLiteral("2007041")), QStringLiteral("33"));
        QCOMPARE(f.value(QStringLiteral("c7"), QStringLiteral("2007041")), QStringLiteral("05"));
        // A downloaded draw never carries the extra number.
        QCOMPARE(f.value(QStringLiteral("lxingqitian"), QStringLiteral("2007041")), QStringLiteral("<null>"));
        QCOMPARE(f.main->historyTab()->findChild<QComboBox *>("rangeEndBox")->currentText(), QStringLiteral("2007041"));
        QVERIFY(f.start()->isEnabled());

        QVERIFY(f.download());
        QCOMPARE(f.messages.shown, QStringList{QStringLiteral("info:") + T::nothingNew});
        QCOMPARE(f.log().mid(5), (QStringList{T::downloading, T::analysing}));
        QVERIFY(!f.update->foundNew());
        QCOMPARE(f.main->drawEntry()->findChild<QPlainTextEdit *>("batchEdit")->toPlainText(), QString());
        QCOMPARE(f.rows(QStringLiteral("data")), 3);
        QVERIFY(f.start()->isEnabled());
    }

    // Pages that yield no draws, or only the first.
    void fewerDraws_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QStringList>("stored");
        const QByteArray crlf = encoded(QString::fromUtf8("开奖结果\r\n双色球：2007001期01020304050607\r\n"
                                                          "2007002期01020304050608\r\n2007003期01020304050609\r\n"),
                                        "GBK");
        // The second record's mark falls one byte off, so only the first is read.
        QTest::newRow("two-byte line break") << crlf << QByteArray("text/plain; charset=gbk")
                                             << QStringList{"2007001"};
        QTest::newRow("no marker") << encoded(QString::fromUtf8("<p>2007001期01020304050607</p>"), "GBK")
                                   << QByteArray("text/html; charset=gbk") << QStringList{};
        QTest::newRow("first record without 期")
            << encoded(QString::fromUtf8("<p>双色球：2007001年01020304050607</p>"), "GBK")
            << QByteArray("text/html; charset=gbk") << QStringList{};
    }
    void fewerDraws()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(QStringList, stored);
        Fixture f;
        f.server.serve(QStringLiteral("/latest.html"), body, contentType);
        f.open();
        QVERIFY(f.download());
        QStringList numbers;
        QSqlQuery q(f.main->database());
        q.exec(QStringLiteral("select qishu from data order by qishu"));
        while (q.next())
            numbers << q.value(0).toString();
        QCOMPARE(numbers, stored);
        QCOMPARE(f.messages.shown, stored.isEmpty() ? QStringList{QStringLiteral("info:") + T::nothingNew}
                                                    : QStringList());
    }

    // A line the batch refuses stops it with the batch's own message; the draw before it stays.
    void batchRulesApply()
    {
        Fixture f;
        const QStringList records{QString::fromUtf8("2007001期01020304050607"), QString::fromUtf8("2007002期01023404050607"),
                                  QString::fromUtf8("2007003期01020304050607")};
        f.server.serve(QStringLiteral("/latest.html"), encoded(htmlPage(records, "gbk"), "gbk"), "text/html");
        f.open();
        QVERIFY(f.download());
        QCOMPARE(f.messages.shown, QStringList{QStringLiteral("info:") + EntryTexts::redAbove33});
        QCOMPARE(f.rows(QStringLiteral("data")), 1);
        QCOMPARE(f.log().last(), T::updated);
    }

    void historyChoice_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Cancel") << false;
        QTest::newRow("OK") << true;
    }
    void historyChoice()
    {
        QFETCH(bool, answer);
        Fixture f;
        f.server.serve(QStringLiteral("/all.html"),
                       encoded(htmlPage({QString::fromUtf8("2003001期10111213262811")}, "gbk"), "gbk"), "text/html");
        f.open();
        f.historyChoice()->setChecked(true);
        f.messages.answers.enqueue(answer);
        QSignalSpy ended(f.update.get(), &DownloadDialog::downloadEnded);
        QTest::mouseClick(f.start(), Qt::LeftButton);
        QCOMPARE(f.messages.shown.value(0), QStringLiteral("question:") + T::historyQuestion);
        if (!answer) {
            QTest::qWait(200);
            QCOMPARE(ended.count(), 0);
            QCOMPARE(f.log(), QStringList());
            QCOMPARE(f.server.requests(QStringLiteral("/all.html")) + f.server.requests(QStringLiteral("/latest.html")), 0);
            QVERIFY(f.start()->isEnabled());
            return;
        }
        QVERIFY(!f.start()->isEnabled());
        QVERIFY(ended.wait(20000));
        QCOMPARE(f.server.requests(QStringLiteral("/all.html")), 1);
        QCOMPARE(f.value(QStringLiteral("c7"), QStringLiteral("2003001")), QStringLiteral("11"));
    }

    // No usable address file: an error box, nothing fetched, the button stays enabled.
    void addressFileProblems_data()
    {
        QTest::addColumn<QByteArray>("file");  // null: no file
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("one line") << QByteArray("http://127.0.0.1:1/latest.html\n");
    }
    void addressFileProblems()
    {
        QFETCH(QByteArray, file);
        Fixture f;
        QFile::remove(f.dir.file(QStringLiteral("user/DownUpdate.txt")));
        if (!file.isNull())
            writeFile(f.dir.file(QStringLiteral("user/DownUpdate.txt")), file);
        f.open();
        QSignalSpy ended(f.update.get(), &DownloadDialog::downloadEnded);
        QTest::mouseClick(f.start(), Qt::LeftButton);
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY(f.messages.shown.first().startsWith(QStringLiteral("error:")));
        QVERIFY(f.messages.shown.first().contains(QStringLiteral("DownUpdate.txt")));
        QTest::qWait(100);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(f.log(), QStringList());
        QVERIFY(f.start()->isEnabled());
    }

    // A page that never arrives is said to have failed, not to have held nothing new.
    void unreachablePage()
    {
        Fixture f;
        f.addresses(PageServer::unreachableUrl().toString() + QStringLiteral("\nhttp://127.0.0.1:1/all\n"));
        f.open();
        QVERIFY(f.download());
        QCOMPARE(f.log().size(), 2);
        QVERIFY(f.log().last().startsWith(QString::fromUtf8("开奖数据页面无法下载：")));
        QCOMPARE(f.messages.shown, QStringList{QStringLiteral("info:") + f.log().last()});
        QCOMPARE(f.rows(QStringLiteral("data")), 0);
        QVERIFY(f.start()->isEnabled());
    }

    // 退出 while the page is on its way: the fetch is dropped, nothing is analysed later,
    // and the dialog goes without waiting for the server.
    void quitWhileFetching()
    {
        Fixture f;
        f.server.hold(QStringLiteral("/latest.html"));
        f.open();
        QSignalSpy ended(f.update.get(), &DownloadDialog::downloadEnded);
        QTest::mouseClick(f.start(), Qt::LeftButton);
        QVERIFY(!f.start()->isEnabled());
        QTRY_COMPARE(f.server.requests(QStringLiteral("/latest.html")), 1);
        QTest::mouseClick(f.update->findChild<QPushButton *>(QStringLiteral("quitButton")), Qt::LeftButton);
        QVERIFY(!f.update->isVisible());
        QVERIFY(!f.update->awaitingPage());
        QVERIFY(f.start()->isEnabled());
        QTest::qWait(200);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(f.log(), QStringList{T::downloading});
        f.update.reset();
        QCOMPARE(f.messages.shown, QStringList());
    }

    // The shipped address file and sample pages work as they are laid out beside the program.
    void shippedSamples()
    {
        Fixture f;
        for (const char *name : {"DownUpdate.txt", "ssq-latest.html", "ssq-history.html"}) {
            const QString target = f.dir.file(QStringLiteral("user/") + QLatin1String(name));
            QFile::remove(target);
            QVERIFY(QFile::copy(QStringLiteral(BALVORA_SOURCE_DIR "/data/user/") + QLatin1String(name), target));
        }
        f.open();
        QVERIFY(f.download());
        QCOMPARE(f.messages.shown, QStringList());
        QCOMPARE(f.log().last(), T::updated);
        QVERIFY(f.rows(QStringLiteral("data")) > 0);
    }

    // The real history as one page into an empty history.
    void wholeRealHistory()
    {
        QFile file(QStringLiteral(BALVORA_HISTORY_FILE));
        if (!file.open(QIODevice::ReadOnly))
            QFAIL("data/history/ssq-history.txt cannot be read");
        QStringList records;
        for (const QByteArray &raw : file.readAll().split('\n')) {
            const QStringList parts = QString::fromLatin1(raw).simplified().split(QLatin1Char(' '));
            if (parts.size() >= 8)
                records << parts[0] + QString::fromUtf8("期") + parts.mid(1, 7).join(QString());
        }
        QCOMPARE(records.size(), 3493);
        Fixture f;
        f.server.serve(QStringLiteral("/all.html"), encoded(htmlPage(records, "gbk"), "gbk"), "text/html");
        f.open();
        f.historyChoice()->setChecked(true);
        QVERIFY(f.download());
        QCOMPARE(f.messages.shown, QStringList{QStringLiteral("question:") + T::historyQuestion});
        QCOMPARE(f.rows(QStringLiteral("data")), 3493);
        QCOMPARE(f.rows(QStringLiteral("append")), 3493);
        QCOMPARE(f.log().size(), 2 + 2 * 3493 + 1);
        QCOMPARE(f.value(QStringLiteral("c1"), QStringLiteral("2026096")), QStringLiteral("01"));
        QCOMPARE(f.main->historyTab()->findChild<QComboBox *>("rangeEndBox")->currentText(), QStringLiteral("2026096"));
    }

    // The version notice: panel 3 after the page arrives; start-up does not wait for it.
    void versionPanel_data()
    {
        QTest::addColumn<QString>("page");  // null: nothing listens at the address
        QTest::addColumn<QString>("panel");
        QTest::newRow("1.5") << QString::fromUtf8("<p>最新版本：1.5 已发布</p>")
                             << QString::fromUtf8("发现最新版本1.5，请到Varnelo或者Quindle下载！");
        QTest::newRow("its own version") << QString::fromUtf8("<p>最新版本：") + kVersionText + QStringLiteral("</p>") << QString::fromUtf8("暂时未发现最新版本信息！");
        QTest::newRow("2.0") << QString::fromUtf8("<p>最新版本：2.0</p>")
                             << QString::fromUtf8("发现最新版本2.0，请到Varnelo或者Quindle下载！");
        QTest::newRow("1.10") << QString::fromUtf8("<p>最新版本：1.10</p>")
                              << QString::fromUtf8("暂时未发现最新版本信息！");
        QTest::newRow("letters") << QString::fromUtf8("<p>最新版本：new</p>")
                                 << QString::fromUtf8("暂时未发现最新版本信息！");
        QTest::newRow("no marker") << QString::fromUtf8("<p>Balvora 1.5</p>")
                                   << QString::fromUtf8("暂时未发现最新版本信息！");
        QTest::newRow("unreachable") << QString() << QString();
    }
    void versionPanel()
    {
        QFETCH(QString, page);
        QFETCH(QString, panel);
        Fixture f;
        f.server.serve(QStringLiteral("/version.html"), encoded(page, "GBK"), "text/html; charset=gbk");
        const QUrl url = page.isNull() ? PageServer::unreachableUrl() : f.server.url(QStringLiteral("/version.html"));
        writeFile(f.dir.file(QStringLiteral("user/Version.txt")), url.toString().toUtf8() + "\n");
        f.dir.addDraws(3);
        QVERIFY(f.openMain());
        auto *status = f.main->findChild<QLabel *>(QStringLiteral("statusVersion"));
        auto *fetch = f.main->findChild<PageFetch *>(QStringLiteral("versionFetch"));
        QVERIFY(status && fetch);
        // Shown, with the history filled, before the page has come.
        QCOMPARE(status->text(), QString());
        QCOMPARE(f.main->historyTab()->findChild<QComboBox *>("rangeEndBox")->count(), 3);
        QSignalSpy done(fetch, &PageFetch::finished);
        QVERIFY(done.wait(10000));
        QCOMPARE(status->text(), panel);
        QCOMPARE(f.messages.shown, QStringList());
    }
};

QTEST_MAIN(TestDownloadDialog)
#include "tst_downloaddialog.moc"

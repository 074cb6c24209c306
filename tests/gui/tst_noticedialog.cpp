// The notice dialog over a results service on 127.0.0.1: the menu items, an update that
// stores the new draws with their details (and the grid's tooltip showing them), a refused
// page, saved files, and a cancel that keeps what was stored and says how much.
#include "MainWindowFixture.h"
#include "NoticeJson.h"
#include "NoticeServer.h"
#include "core/download/DrawNotice.h"
#include "core/download/DrawPage.h"
#include "core/download/NoticeUpdate.h"
#include "core/history/DrawEntry.h"
#include "ui/download/NoticeDialog.h"
#include "ui/history/HistoryColumns.h"
#include "ui/history/HistoryGridModel.h"
#include "ui/history/HistoryTab.h"
#include "ui/widgets/BackgroundTask.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

namespace {
void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList lines(int newest, int oldest)
{
    QStringList result;
    for (int s = newest; s >= oldest; --s)
        result << QStringLiteral("2026%1 %2 08 13 21 27 33 %3").arg(s, 3, 10, QLatin1Char('0'))
                      .arg(1 + s % 7, 2, 10, QLatin1Char('0')).arg(1 + s % 16, 2, 10, QLatin1Char('0'));
    return result;
}
} // namespace

class TestNoticeDialog : public QObject {
    Q_OBJECT

    struct Fixture : MainWindowFixture {
        NoticeServer server;
        std::unique_ptr<NoticeDialog> notice;

        Fixture() { writeFile(dir.file(QStringLiteral("user/Notice.txt")), server.address().toEncoded() + "\n"); }
        void open()
        {
            openMain();
            notice = std::make_unique<NoticeDialog>(main->database(), dir.path(), messages, main.get());
            QObject::connect(notice.get(), &NoticeDialog::drawsStored, main->historyTab(), &HistoryTab::drawsAdded);
            notice->show();
        }
        // Runs a job and waits for it to end; false when it did not.
        template <class Start>
        bool runJob(Start start)
        {
            QSignalSpy ended(notice.get(), &NoticeDialog::updateEnded);
            start();
            return ended.count() > 0 || ended.wait(60000);
        }
        bool update()
        {
            return runJob([this] { QTest::mouseClick(notice->findChild<QPushButton *>("startButton"), Qt::LeftButton); });
        }
        QStringList log() const
        {
            QStringList result;
            auto *list = notice->findChild<QListWidget *>(QStringLiteral("logList"));
            for (int i = 0; i < list->count(); ++i)
                result << list->item(i)->text();
            return result;
        }
        // The tooltip of the draw-number cell of the grid row showing qishu.
        QString tooltip(const QString &qishu) const
        {
            HistoryGridModel *model = main->historyTab()->gridModel();
            int column = 0;
            while (historyColumns().at(column).kind != HistoryColumn::DrawNumber)
                ++column;
            for (int row = 0; row < model->rowCount(); ++row)
                if (model->index(row, column).data().toString() == qishu)
                    return model->index(row, column).data(Qt::ToolTipRole).toString();
            return QStringLiteral("<no row>");
        }
    };

private slots:
    void menuItemsBesideTheDownload()
    {
        Fixture f;
        QVERIFY(f.openMain());
        QMenu *dataMenu = nullptr;
        for (QAction *a : f.main->menuBar()->actions())
            if (a->text() == QStringLiteral("数据管理"))
                dataMenu = a->menu();
        QVERIFY(dataMenu);
        QStringList captions;
        for (QAction *a : dataMenu->actions())
            captions << a->text();
        const qsizetype at = captions.indexOf(QStringLiteral("自动下载数据..."));
        QVERIFY(at >= 0);
        QCOMPARE(captions.mid(at), (QStringList{"自动下载数据...", "从开奖公告更新...", "导入开奖公告文件..."}));
        auto *update = f.main->findChild<QAction *>(QStringLiteral("actNoticeUpdate"));
        QVERIFY(update && update->isEnabled());
        QVERIFY(f.main->findChild<QAction *>(QStringLiteral("actNoticeImport"))->isEnabled());

        QString title;
        QTimer::singleShot(0, f.main.get(), [&] {
            auto *dialog = qobject_cast<NoticeDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("quitButton")), Qt::LeftButton);
        });
        update->trigger();
        QCOMPARE(title, QStringLiteral("从开奖公告更新"));
        QCOMPARE(f.main->findChildren<NoticeDialog *>().size(), 0);
    }

    // Two pages of new draws, then a page of stored ones: five draws stored oldest first, the
    // grid shows them, and the draw number's tooltip has the notice's date and money.
    void updateStoresTheNewDraws()
    {
        Fixture f;
        const QStringList all = lines(8, 1);
        for (const QString &line : all.mid(5))
            QVERIFY(insertDraw(f.dir.db(), parseBatchLine(line).fields).ok());
        f.server.page(1, noticeBody(noticeEntries(all.mid(0, 3))));
        f.server.page(2, noticeBody(noticeEntries(all.mid(3, 3))));
        f.server.page(3, noticeBody(noticeEntries(all.mid(6, 2))));
        f.open();
        QSignalSpy stored(f.notice.get(), &NoticeDialog::drawsStored);
        QVERIFY(f.update());
        QCOMPARE(f.messages.shown, QStringList{"info:" + NoticeUpdateTexts::stored(5)});
        QCOMPARE(stored.count(), 1);
        QCOMPARE(stored.at(0).at(0).toStringList(), (QStringList{"2026004", "2026005", "2026006", "2026007", "2026008"}));
        const QStringList log = f.log();
        QCOMPARE(log.first(), NoticeUpdateTexts::fetchingPage(1));
        QVERIFY(log.contains(NoticeUpdateTexts::pageRead(2, 3, 2)));
        QVERIFY(log.contains(DrawPageTexts::drawLog("2026008")));
        QCOMPARE(log.last(), DrawPageTexts::updated);
        QCOMPARE(f.rows("gonggao"), 5);

        const QString tip = f.tooltip("2026008");
        QVERIFY2(tip.contains(QStringLiteral("开奖日期：2026-09-09")), qPrintable(tip));
        QVERIFY2(tip.contains(QStringLiteral("一等奖：18注，每注8,600元")), qPrintable(tip));
        QVERIFY2(tip.contains(QStringLiteral("销售额：350,000,008元")), qPrintable(tip));
        QCOMPARE(f.tooltip("2026002"), QString()); // typed, without a notice

        const QByteArray shots = qgetenv("BALVORA_SHOT_DIR");
        if (!shots.isEmpty()) {
            f.notice->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/notice-dialog.png"));
            QToolTip::showText(QPoint(100, 100), tip);
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->inherits("QTipLabel") && w->isVisible())
                    w->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/draw-tooltip.png"));
        }
    }

    // A page of HTML stores nothing and says what came back.
    void aRefusedPage()
    {
        Fixture f;
        f.server.page(1, noticeBody(noticeEntries(lines(6, 4))));
        f.server.page(2, NoticeServer::Answer{"<html><title>请稍后再试</title></html>", "text/html"});
        f.open();
        QVERIFY(f.update());
        const QString text = NoticeUpdateTexts::fetchFailed(2, NoticeTexts::htmlPage(QStringLiteral("请稍后再试")));
        QCOMPARE(f.messages.shown, QStringList{"error:" + text});
        QCOMPARE(f.log().last(), text);
        QCOMPARE(f.rows("data"), 0);
        QVERIFY(f.notice->findChild<QPushButton *>("startButton")->isEnabled());
    }

    void importsFiles()
    {
        Fixture f;
        QJsonArray entries = noticeEntries(lines(3, 1));
        QJsonObject bad = entries[0].toObject();
        bad.remove("red");
        entries[0] = bad;
        writeFile(f.dir.file("saved.json"), noticeBody(entries));
        f.open();
        QVERIFY(f.runJob([&] { f.notice->importFiles({f.dir.file("saved.json")}); }));
        QVERIFY(f.log().contains(NoticeTexts::missingField("2026003", "red")));
        QCOMPARE(f.messages.shown, QStringList{"info:" + NoticeUpdateTexts::stored(2)});
        QCOMPARE(f.rows("data"), 2);
    }

    // Cancelled while storing: the draws stored so far stay, each with its details, and the
    // dialog says how many they are.
    void cancelKeepsWhatIsStored()
    {
        Fixture f;
        f.server.page(1, noticeBody(noticeEntries(lines(999, 1)), 1));
        f.open();
        QSignalSpy ended(f.notice.get(), &NoticeDialog::updateEnded);
        QTest::mouseClick(f.notice->findChild<QPushButton *>("startButton"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(f.rows("data") > 0 || ended.count() > 0, 60000);
        QVERIFY(f.notice->task());
        f.notice->task()->cancel();
        QVERIFY(ended.count() > 0 || ended.wait(60000));
        const int stored = f.rows("data");
        QVERIFY(stored > 0);
        QCOMPARE(f.messages.shown, QStringList{"info:" + NoticeUpdateTexts::cancelled(stored)});
        QCOMPARE(f.log().last(), NoticeUpdateTexts::cancelled(stored));
        QCOMPARE(f.rows("append"), stored);
        QCOMPARE(f.rows("gonggao"), stored);
    }
};

QTEST_MAIN(TestNoticeDialog)
#include "tst_noticedialog.moc"

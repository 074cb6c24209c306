// Start-up over a db1.db that is not a sound history of ours: the program says so, ends
// with status 1 and leaves the file byte for byte as it was, so nothing the user might
// still recover is lost.
#include "ProgramDir.h"
#include "RecordingMessages.h"
#include "ui/main/StartUp.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

namespace {
const QString kOpenFailed = QStringLiteral("找不到数据文件或数据文件无法打开，请确认解压是否正确或者文件被删除！");

// A history of 300 draws, closed, as its bytes.
QByteArray soundHistory()
{
    ProgramDir dir;
    dir.addDraws(300);
    QFile f(dir.file(QStringLiteral("db1.db")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestDamagedHistory : public QObject {
    Q_OBJECT
private slots:
    void startUpRefusesAndKeepsTheFile_data()
    {
        const QByteArray sound = soundHistory();
        QVERIFY(sound.size() > 64 * 1024);
        QByteArray zeroedPage = sound;
        zeroedPage.replace(8 * 4096, 4096, QByteArray(4096, '\0'));
        QByteArray scribbled = sound;
        for (int i = 5 * 4096; i < 5 * 4096 + 12; ++i) // the b-tree page header
            scribbled[i] = char(0x5a);

        QByteArray newer = sound;
        newer.replace(60, 4, QByteArray("\0\0\0\x63", 4)); // the header's user_version: 99

        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("text, not SQLite") << QByteArray("2007001 01 02 03 04 05 06 07\r\n") << kOpenFailed;
        QTest::newRow("SQLite header only") << sound.left(100) << kOpenFailed;
        QTest::newRow("truncated to its first page") << sound.left(4096) << kOpenFailed;
        QTest::newRow("truncated to half") << sound.left(sound.size() / 2) << kOpenFailed;
        QTest::newRow("truncated by one byte") << sound.left(sound.size() - 1) << kOpenFailed;
        QTest::newRow("a page zeroed") << zeroedPage << kOpenFailed;
        QTest::newRow("a page header scribbled over") << scribbled << kOpenFailed;
        QTest::newRow("newer schema version")
            << newer << QStringLiteral("数据文件db1.db的版本（99）比本程序能打开的版本（%1）新，请使用新版本的程序打开！")
                          .arg(DrawDatabase::kSchemaVersion);
    }
    void startUpRefusesAndKeepsTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        ProgramDir dir(false);
        const QString path = dir.file(QStringLiteral("db1.db"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(content), qint64(content.size()));
        }
        RecordingMessages messages;
        // Should the window open after all, its event loop ends at once and the status shows it.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCOMPARE(startProgram(dir.path(), messages), 1);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown.first().endsWith(QLatin1Char(':') + message), qPrintable(messages.shown.first()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY2(f.readAll() == content, "db1.db is left byte for byte as it was");
    }
};

QTEST_MAIN(TestDamagedHistory)
#include "tst_damagedhistory.moc"

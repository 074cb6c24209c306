// The settings file: one key at a time, Chinese names as they are, every other
// line kept, GBK files from older copies still read.
#include "core/settings/DisplaySettings.h"
#include "core/settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {
void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void defaultsWhenAbsent()
    {
        QTemporaryDir dir;
        const DisplaySettings s = readDisplaySettings(dir.path());
        QCOMPARE(s.drawCount, 40);
        QCOMPARE(s.redWidth, 16);
        QCOMPARE(s.blueWidth, 16);
    }

    void writesIntoAnEmptyDirectoryInOrder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("user")));
        const IniFile ini(settingsFilePath(dir.path()));
        using namespace SettingsKeys;
        QVERIFY(ini.writeString(redSection, widthKey, QStringLiteral("20")).ok());
        QVERIFY(ini.writeString(blueSection, widthKey, QStringLiteral("18")).ok());
        QVERIFY(ini.writeString(startSection, drawCountKey, QStringLiteral("100")).ok());
        QCOMPARE(QString::fromUtf8(readBytes(ini.path())),
                 QStringLiteral("[红球区列宽]\r\n宽度=20\r\n[蓝球区列宽]\r\n宽度=18\r\n[启动设置]\r\n默认显示期数=100\r\n"));
        const DisplaySettings s = readDisplaySettings(dir.path());
        QCOMPARE(s.drawCount, 100);
        QCOMPARE(s.redWidth, 20);
        QCOMPARE(s.blueWidth, 18);
    }

    void keepsEverythingElse()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.ini"));
        const QByteArray before = QStringLiteral("; 用户的注释\n[其他]\n键=值\n宽度=99\n\n[红球区列宽]\n宽度=16\n其他键=1\n\n[末尾]\nx=y\n").toUtf8();
        writeBytes(path, before);
        const IniFile ini(path);
        QVERIFY(ini.writeString(QStringLiteral("红球区列宽"), QStringLiteral("宽度"), QStringLiteral("22")).ok());
        QVERIFY(ini.writeString(QStringLiteral("启动设置"), QStringLiteral("默认显示期数"), QStringLiteral("60")).ok());
        QCOMPARE(QString::fromUtf8(readBytes(path)),
                 QStringLiteral("; 用户的注释\r\n[其他]\r\n键=值\r\n宽度=99\r\n\r\n[红球区列宽]\r\n宽度=22\r\n其他键=1\r\n\r\n"
                                "[末尾]\r\nx=y\r\n[启动设置]\r\n默认显示期数=60\r\n"));
        QCOMPARE(ini.readString(QStringLiteral("其他"), QStringLiteral("宽度"), QString()), QStringLiteral("99"));
    }

    void readsGbkFiles()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("user")));
        QStringEncoder gbk("GBK");
        QVERIFY(gbk.isValid());
        writeBytes(settingsFilePath(dir.path()),
                   gbk.encode(QStringLiteral("[启动设置]\r\n默认显示期数=80\r\n[蓝球区列宽]\r\n宽度=24\r\n")));
        DisplaySettings s = readDisplaySettings(dir.path());
        QCOMPARE(s.drawCount, 80);
        QCOMPARE(s.blueWidth, 24);
        QCOMPARE(s.redWidth, 16);
        // Writing one key keeps the others readable.
        const IniFile ini(settingsFilePath(dir.path()));
        QVERIFY(ini.writeString(SettingsKeys::redSection, SettingsKeys::widthKey, QStringLiteral("30")).ok());
        s = readDisplaySettings(dir.path());
        QCOMPARE(s.drawCount, 80);
        QCOMPARE(s.blueWidth, 24);
        QCOMPARE(s.redWidth, 30);
    }

    void badValuesFallBackToDefaults()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("user")));
        writeBytes(settingsFilePath(dir.path()), QStringLiteral("[启动设置]\n默认显示期数=abc\n").toUtf8());
        QCOMPARE(readDisplaySettings(dir.path()).drawCount, 40);
    }

    void writeFailureNamesThePath()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/DefaultSet.ini"));
        const Outcome o = IniFile(path).writeString(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
        QCOMPARE(o.ok(), false);
        QCOMPARE(o.message, QStringLiteral("Unable to write to ") + path);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"

// "选项设置": shows the stored values, writes the three keys, keeps the rest of the file.
#include "ProgramDir.h"
#include "RecordingMessages.h"
#include "core/settings/DisplaySettings.h"
#include "ui/main/OptionsDialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QButtonGroup>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QStringEncoder>
#include <QTest>

namespace {
const QString kSaved = QStringLiteral("默认参数设置成功，重新启动程序设置生效！");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QString readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
QString checkedText(const OptionsDialog &dialog)
{
    QAbstractButton *b = dialog.findChild<QButtonGroup *>(QStringLiteral("drawCountGroup"))->checkedButton();
    return b ? b->text() : QString();
}
QSpinBox *spin(const OptionsDialog &dialog, const char *name)
{
    return dialog.findChild<QSpinBox *>(QString::fromLatin1(name));
}
} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT
private slots:
    void showsStoredValues_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("blue");
        QTest::newRow("no file") << QByteArray() << "40" << 16 << 16;
        QTest::newRow("100, 20, 18") << QByteArray("[启动设置]\n默认显示期数=100\n[红球区列宽]\n宽度=20\n[蓝球区列宽]\n宽度=18\n")
                                     << "100" << 20 << 18;
        QTest::newRow("50 selects 40") << QByteArray("[启动设置]\n默认显示期数=50\n") << "40" << 16 << 16;
        QTest::newRow("20") << QByteArray("[启动设置]\n默认显示期数=20\n") << "20" << 16 << 16;
        QTest::newRow("below the choices") << QByteArray("[启动设置]\n默认显示期数=5\n") << "20" << 16 << 16;
        QTest::newRow("above the choices") << QByteArray("[启动设置]\n默认显示期数=500\n") << "100" << 16 << 16;
        QTest::newRow("not whole numbers") << QByteArray("[启动设置]\n默认显示期数=abc\n[红球区列宽]\n宽度=2x\n") << "40" << 16 << 16;
    }
    void showsStoredValues()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, choice);
        QFETCH(int, red);
        QFETCH(int, blue);
        ProgramDir dir;
        if (!file.isEmpty())
            writeFile(settingsFilePath(dir.path()), file);
        RecordingMessages messages;
        OptionsDialog dialog(dir.path(), messages);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("选项设置"));
        QCOMPARE(checkedText(dialog), choice);
        QCOMPARE(spin(dialog, "redWidthBox")->value(), red);
        QCOMPARE(spin(dialog, "blueWidthBox")->value(), blue);
    }

    // A screen reader names each spin box by its label.
    void spinBoxesAreNamedByTheirLabels()
    {
        ProgramDir dir;
        RecordingMessages messages;
        OptionsDialog dialog(dir.path(), messages);
        for (const auto &[box, name] : {std::pair{"redWidthBox", "红色球区："}, std::pair{"blueWidthBox", "蓝色球区："}}) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(spin(dialog, box));
            QVERIFY(a);
            QCOMPARE(a->text(QAccessible::Name), QString::fromUtf8(name));
        }
    }

    void roundTripKeepsOtherSections()
    {
        ProgramDir dir;
        const QString path = settingsFilePath(dir.path());
        writeFile(path, QByteArray("[其他]\n键=值\n"));
        RecordingMessages messages;
        {
            OptionsDialog dialog(dir.path(), messages);
            dialog.show();
            dialog.findChild<QAbstractButton *>(QStringLiteral("radioCount100"))->click();
            spin(dialog, "redWidthBox")->setValue(20);
            spin(dialog, "blueWidthBox")->setValue(18);
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("saveButton")), Qt::LeftButton);
            QCOMPARE(messages.shown, QStringList{QStringLiteral("info:") + kSaved});
            QVERIFY(dialog.isVisible()); // the dialog stays open after saving
        }
        QCOMPARE(readFile(path), QStringLiteral("[其他]\r\n键=值\r\n[红球区列宽]\r\n宽度=20\r\n[蓝球区列宽]\r\n宽度=18\r\n"
                                                "[启动设置]\r\n默认显示期数=100\r\n"));
        OptionsDialog again(dir.path(), messages);
        QCOMPARE(checkedText(again), QStringLiteral("100"));
        QCOMPARE(spin(again, "redWidthBox")->value(), 20);
        QCOMPARE(spin(again, "blueWidthBox")->value(), 18);
        const DisplaySettings s = readDisplaySettings(dir.path());
        QCOMPARE(s.drawCount, 100);
        QCOMPARE(s.redWidth, 20);
    }

    void gbkFileIsReadAndKept()
    {
        ProgramDir dir;
        const QString path = settingsFilePath(dir.path());
        QStringEncoder gbk("GBK");
        writeFile(path, gbk.encode(QStringLiteral("[启动设置]\r\n默认显示期数=60\r\n[红球区列宽]\r\n宽度=25\r\n[注释]\r\n说明=旧文件\r\n")));
        RecordingMessages messages;
        OptionsDialog dialog(dir.path(), messages);
        QCOMPARE(checkedText(dialog), QStringLiteral("60"));
        QCOMPARE(spin(dialog, "redWidthBox")->value(), 25);
        spin(dialog, "blueWidthBox")->setValue(19);
        dialog.save();
        QCOMPARE(readFile(path), QStringLiteral("[启动设置]\r\n默认显示期数=60\r\n[红球区列宽]\r\n宽度=25\r\n[注释]\r\n说明=旧文件\r\n"
                                                "[蓝球区列宽]\r\n宽度=19\r\n"));
    }

    void writeFailureIsReported()
    {
        ProgramDir dir;
        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("user")));
        RecordingMessages messages;
        OptionsDialog dialog(dir.path(), messages);
        dialog.save();
        QCOMPARE(messages.shown, QStringList{QStringLiteral("error:Unable to write to ") + settingsFilePath(dir.path())});
    }

    void quitWritesNothing()
    {
        ProgramDir dir;
        RecordingMessages messages;
        OptionsDialog dialog(dir.path(), messages);
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("quitButton")), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!QFile::exists(settingsFilePath(dir.path())));
        QVERIFY(messages.shown.isEmpty());
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"

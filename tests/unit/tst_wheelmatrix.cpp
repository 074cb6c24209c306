// The wheel matrix reader: types, file names, the two refusals of the bet tab and
// faulty files, which must never lead to a position outside the candidate list.
#include "core/bets/WheelMatrix.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString noMatrix() { return QStringLiteral("您选择的侯选号码数量无此类旋转矩阵,请重新选择!"); }

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// Bets as the generator forms them from a matrix: blue outer, file rows inner.
QStringList betTexts(const std::vector<WheelRow> &rows, const QStringList &reds, const QStringList &blues)
{
    QStringList out;
    for (const QString &blue : blues)
        for (const WheelRow &row : rows) {
            QStringList six;
            for (std::uint8_t p : row)
                six << reds.at(p - 1);
            out << six.join(QLatin1Char(' ')) + blue;
        }
    return out;
}

} // namespace

class TestWheelMatrix : public QObject {
    Q_OBJECT
private slots:
    void typeByPositionCaptionOrCode_data();
    void typeByPositionCaptionOrCode();
    void fileNameFollowsCountAndType_data();
    void fileNameFollowsCountAndType();
    void refusesUnknownType_data();
    void refusesUnknownType();
    void refusesMissingOrUnreadableFile();
    void readsTheFileForTheCandidateCount();
    void rowsMapToCandidatesBlueOuter();
    void acceptsLineEndsAndTrailingText_data();
    void acceptsLineEndsAndTrailingText();
    void refusesFaultyFiles_data();
    void refusesFaultyFiles();

private:
    QTemporaryDir dir_;
};

void TestWheelMatrix::typeByPositionCaptionOrCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::newRow("中7保6") << QStringLiteral("中7保6") << 0;
    QTest::newRow("default 中6保5") << QStringLiteral("中6保5") << 1;
    QTest::newRow("中2保2 last") << QStringLiteral("中2保2") << 7;
    QTest::newRow("code S5E4") << QStringLiteral("S5E4") << 4;
    QTest::newRow("code lower case") << QStringLiteral("s4e4") << 5;
    QTest::newRow("typed text") << QStringLiteral("中8保6") << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestWheelMatrix::typeByPositionCaptionOrCode()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QCOMPARE(wheelTypeIndex(text), index);
}

void TestWheelMatrix::fileNameFollowsCountAndType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("path");
    QTest::newRow("10 with 中6保5") << 1 << 10 << QStringLiteral("/p/Matrix/C10S6E5.db");
    QTest::newRow("8 with 中5保4") << 4 << 8 << QStringLiteral("/p/Matrix/C8S5E4.db");
    QTest::newRow("9 with 中6保5") << 1 << 9 << QStringLiteral("/p/Matrix/C9S6E5.db");
    QTest::newRow("33 with 中2保2") << 7 << 33 << QStringLiteral("/p/Matrix/C33S2E2.db");
}

void TestWheelMatrix::fileNameFollowsCountAndType()
{
    QFETCH(int, type);
    QFETCH(int, n);
    QFETCH(QString, path);
    QCOMPARE(wheelMatrixPath(QStringLiteral("/p"), type, n), path);
}

void TestWheelMatrix::refusesUnknownType_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("typed text gives -1") << -1;
    QTest::newRow("one past the list") << 8;
}

void TestWheelMatrix::refusesUnknownType()
{
    QFETCH(int, type);
    const WheelMatrix m = readWheelMatrix(dir_.path(), type, 10);
    QVERIFY(!m.outcome.ok());
    QCOMPARE(m.outcome.message, QStringLiteral("您选择的旋转矩阵类型不正确,请重新选择!"));
    QVERIFY(m.rows.empty());
}

void TestWheelMatrix::refusesMissingOrUnreadableFile()
{
    const WheelMatrix missing = readWheelMatrix(dir_.path(), 1, 10);
    QVERIFY(!missing.outcome.ok());
    QCOMPARE(missing.outcome.message, noMatrix());

    // A folder where the file should be cannot be read as one.
    const QString folder = dir_.path() + QStringLiteral("/Matrix/C11S6E5.db");
    QVERIFY(QDir().mkpath(folder));
    const WheelMatrix unreadable = readWheelMatrix(dir_.path(), 1, 11);
    QVERIFY(!unreadable.outcome.ok());
    QCOMPARE(unreadable.outcome.message, noMatrix());
}

void TestWheelMatrix::readsTheFileForTheCandidateCount()
{
    writeFile(dir_.path() + QStringLiteral("/Matrix/C9S6E5.db"), "010203040506\n030405060709\n");
    const WheelMatrix nine = readWheelMatrix(dir_.path(), wheelTypeIndex(QStringLiteral("中6保5")), 9);
    QVERIFY2(nine.outcome.ok(), qPrintable(nine.outcome.message));
    QCOMPARE(nine.rows.size(), std::size_t(2));
    QCOMPARE(int(nine.rows[1][5]), 9);

    const WheelMatrix ten = readWheelMatrix(dir_.path(), 1, 10);
    QCOMPARE(ten.outcome.message, noMatrix());
}

void TestWheelMatrix::rowsMapToCandidatesBlueOuter()
{
    const QStringList reds = QStringLiteral("03 07 11 19 25 28 30").split(QLatin1Char(' '));
    const QString path = dir_.path() + QStringLiteral("/mapping.db");
    writeFile(path, "010203040506\n020304050607\n010304050607\n070605040302\n");
    const WheelMatrix m = readWheelMatrixFile(path, 7);
    QVERIFY2(m.outcome.ok(), qPrintable(m.outcome.message));
    QCOMPARE(m.rows.size(), std::size_t(4));

    const QStringList one = betTexts(m.rows, reds, {QStringLiteral("09")});
    QCOMPARE(one.at(0), QStringLiteral("03 07 11 19 25 2809"));
    QCOMPARE(one.at(1), QStringLiteral("07 11 19 25 28 3009"));
    QCOMPARE(one.at(3), QStringLiteral("30 28 25 19 11 0709")); // file order is kept

    const QStringList two = betTexts(m.rows, reds, {QStringLiteral("02"), QStringLiteral("05")});
    QCOMPARE(two.size(), 8);
    QCOMPARE(two.at(3), QStringLiteral("30 28 25 19 11 0702"));
    QCOMPARE(two.at(4), QStringLiteral("03 07 11 19 25 2805"));
}

void TestWheelMatrix::acceptsLineEndsAndTrailingText_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("rows");
    QTest::newRow("LF") << QByteArray("010203040506\n020304050607\n") << 2;
    QTest::newRow("CR LF") << QByteArray("010203040506\r\n020304050607\r\n") << 2;
    QTest::newRow("no newline at the end") << QByteArray("010203040506\n020304050607") << 2;
    QTest::newRow("blank lines at the end") << QByteArray("010203040506\n020304050607\n\r\n\n") << 2;
    QTest::newRow("text after the twelfth character") << QByteArray("010203040506 first\n02030405060799\n") << 2;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" "010203040506\n") << 1;
}

void TestWheelMatrix::acceptsLineEndsAndTrailingText()
{
    QFETCH(QByteArray, content);
    QFETCH(int, rows);
    const QString path = dir_.path() + QStringLiteral("/ok.db");
    writeFile(path, content);
    const WheelMatrix m = readWheelMatrixFile(path, 7);
    QVERIFY2(m.outcome.ok(), qPrintable(m.outcome.message));
    QCOMPARE(int(m.rows.size()), rows);
    QCOMPARE(m.rows[0], (WheelRow{1, 2, 3, 4, 5, 6}));
}

void TestWheelMatrix::refusesFaultyFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QString prefix = QStringLiteral("旋转矩阵文件C7S6E5.db");
    const QString check = QStringLiteral(",请检查该文件!");
    const QString notSix = QStringLiteral("不是六个两位数字");
    QTest::newRow("short line") << QByteArray("010203040506\n0102030405\n") << prefix + QStringLiteral("第2行") + notSix + check;
    QTest::newRow("letter") << QByteArray("01020304050a\n") << prefix + QStringLiteral("第1行") + notSix + check;
    QTest::newRow("blanks between numbers") << QByteArray("01 02 03 04 05 06\n") << prefix + QStringLiteral("第1行") + notSix + check;
    QTest::newRow("sign") << QByteArray("01020304-506\n") << prefix + QStringLiteral("第1行") + notSix + check;
    QTest::newRow("blank line inside") << QByteArray("010203040506\n\n020304050607\n") << prefix + QStringLiteral("第2行") + notSix + check;
    QTest::newRow("position 00") << QByteArray("000102030405\n") << prefix + QStringLiteral("第1行的位置00超出了候选号码的个数7") + check;
    QTest::newRow("position past n") << QByteArray("010203040506\n010203040508\n") << prefix + QStringLiteral("第2行的位置08超出了候选号码的个数7") + check;
    QTest::newRow("position 99") << QByteArray("990102030405\n") << prefix + QStringLiteral("第1行的位置99超出了候选号码的个数7") + check;
    QTest::newRow("repeated position") << QByteArray("010203040501\n") << prefix + QStringLiteral("第1行的位置01重复") + check;
    QTest::newRow("empty file") << QByteArray() << prefix + QStringLiteral("中没有号码行") + check;
    QTest::newRow("only line ends") << QByteArray("\r\n\n") << prefix + QStringLiteral("中没有号码行") + check;
}

void TestWheelMatrix::refusesFaultyFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    writeFile(dir_.path() + QStringLiteral("/Matrix/C7S6E5.db"), content);
    const WheelMatrix m = readWheelMatrix(dir_.path(), 1, 7);
    QVERIFY(!m.outcome.ok());
    QCOMPARE(m.outcome.message, message);
    QVERIFY(m.rows.empty());
}

QTEST_GUILESS_MAIN(TestWheelMatrix)
#include "tst_wheelmatrix.moc"

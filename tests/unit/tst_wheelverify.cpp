// The wheel verifier on small wheels worked out by hand, then on every wheel we ship:
// each must keep its promise, the set must be complete, and none may be larger than
// the sizes we hold ourselves to.
#include "CliRun.h"
#include "core/bets/WheelMatrix.h"
#include "core/bets/WheelVerify.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(std::vector<WheelRow>)

namespace {

const QString kShipped = QStringLiteral(BALVORA_SOURCE_DIR "/data/Matrix");

QList<int> positions(const QString &text)
{
    QList<int> out;
    for (const QString &p : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out << p.toInt();
    return out;
}

QList<int> asList(const std::vector<int> &v) { return QList<int>(v.begin(), v.end()); }

struct ShippedName {
    int n = 0;
    int type = -1;
};

ShippedName parseName(const QString &fileName)
{
    const auto m = QRegularExpression(QStringLiteral("^C(\\d+)(S\\dE\\d)\\.db$")).match(fileName);
    if (!m.hasMatch())
        return {};
    return {m.captured(1).toInt(), wheelTypeIndex(m.captured(2))};
}

} // namespace

class TestWheelVerify : public QObject {
    Q_OBJECT
private slots:
    void smallWheels_data();
    void smallWheels();
    void everyShippedWheelKeepsItsPromise();
    void shippedSetIsComplete();
    void shippedSizesMeetTheAnchors_data();
    void shippedSizesMeetTheAnchors();
    void cliVerifiesAFile_data();
    void cliVerifiesAFile();
};

void TestWheelVerify::smallWheels_data()
{
    QTest::addColumn<std::vector<WheelRow>>("rows");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("firstMissed"); // empty: the wheel holds

    const WheelRow low{1, 2, 3, 4, 5, 6}, high{3, 4, 5, 6, 7, 8}, edges{1, 2, 7, 8, 3, 4};
    QTest::newRow("中7保6, one row over 7") << std::vector<WheelRow>{low} << 7 << 0 << QString();
    QTest::newRow("中7保6, one row over 8") << std::vector<WheelRow>{low} << 8 << 0 << QStringLiteral("1 2 3 4 5 7 8");
    QTest::newRow("中2保2 misses a pair") << std::vector<WheelRow>{low, high} << 8 << 7 << QStringLiteral("1 7");
    QTest::newRow("中2保2 holds with a third row") << std::vector<WheelRow>{low, high, edges} << 8 << 7 << QString();
    QTest::newRow("中6保4, one row over 8") << std::vector<WheelRow>{low} << 8 << 2 << QString();
    QTest::newRow("中6保5, one row over 8") << std::vector<WheelRow>{low} << 8 << 1 << QStringLiteral("1 2 3 4 7 8");
    QTest::newRow("rows in any order") << std::vector<WheelRow>{{6, 5, 4, 3, 2, 1}} << 7 << 0 << QString();
    QTest::newRow("a row beyond n reaches nothing") << std::vector<WheelRow>{{1, 2, 3, 4, 5, 8}} << 7 << 0 << QStringLiteral("1 2 3 4 5 6 7");
    QTest::newRow("no rows") << std::vector<WheelRow>{} << 9 << 7 << QStringLiteral("1 2");
}

void TestWheelVerify::smallWheels()
{
    QFETCH(std::vector<WheelRow>, rows);
    QFETCH(int, n);
    QFETCH(int, type);
    QFETCH(QString, firstMissed);
    const WheelCheck check = verifyWheel(rows, n, kWheelTypes[std::size_t(type)]);
    QCOMPARE(check.ok, firstMissed.isEmpty());
    QCOMPARE(asList(check.firstMissed), positions(firstMissed));
}

void TestWheelVerify::everyShippedWheelKeepsItsPromise()
{
    const QStringList files = QDir(kShipped).entryList({QStringLiteral("C*.db")}, QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    QElapsedTimer timer;
    timer.start();
    for (const QString &name : files) {
        const ShippedName s = parseName(name);
        QVERIFY2(s.type >= 0, qPrintable(name));
        const WheelMatrix m = readWheelMatrixFile(kShipped + QLatin1Char('/') + name, s.n);
        QVERIFY2(m.outcome.ok(), qPrintable(name + QLatin1Char(' ') + m.outcome.message));
        const WheelCheck check = verifyWheel(m.rows, s.n, kWheelTypes[std::size_t(s.type)]);
        QVERIFY2(check.ok, qPrintable(name));
    }
    qInfo("verified %lld wheel files in %lld ms", qint64(files.size()), qint64(timer.elapsed()));
}

void TestWheelVerify::shippedSetIsComplete()
{
    QStringList absent;
    for (int n = 7; n <= 33; ++n)
        for (int t = 0; t < int(kWheelTypes.size()); ++t) {
            const WheelType &type = kWheelTypes[std::size_t(t)];
            const bool required = n <= 20 || (type.hit == type.keep && type.hit <= 4);
            if (required && !QFile::exists(wheelMatrixPath(QStringLiteral(BALVORA_SOURCE_DIR "/data"), t, n)))
                absent << QStringLiteral("C%1%2.db").arg(n).arg(QLatin1String(type.code));
        }
    QCOMPARE(absent, QStringList());
}

void TestWheelVerify::shippedSizesMeetTheAnchors_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("best");
    QTest::addColumn<int>("allowed");
    QFile anchors(QStringLiteral(BALVORA_SHARED_DATA "/wheel-anchors.tsv"));
    if (!anchors.open(QIODevice::ReadOnly | QIODevice::Text))
        QSKIP("wheel-anchors.tsv is not in the shared data folder");
    anchors.readLine(); // header
    QString worst;
    double worstRatio = 0;
    while (!anchors.atEnd()) {
        const QStringList f = QString::fromUtf8(anchors.readLine()).trimmed().split(QLatin1Char('\t'));
        if (f.size() < 6 || f.at(4).isEmpty())
            continue;
        const int type = wheelTypeIndex(f.at(0));
        const int n = f.at(3).toInt();
        const int best = f.at(4).toInt();
        // Only the files we ship: shippedSetIsComplete says which must be there.
        const QString path = type < 0 ? QString() : wheelMatrixPath(QStringLiteral(BALVORA_SOURCE_DIR "/data"), type, n);
        if (type < 0 || !QFile::exists(path))
            continue;
        // No larger than the best known up to 12 candidates, at most 10% above it after.
        QTest::addRow("%s n=%d", qPrintable(f.at(0)), n) << type << n << best << (n <= 12 ? best : int(std::floor(best * 1.1)));
        const WheelMatrix m = readWheelMatrixFile(path, n);
        const double ratio = double(m.rows.size()) / best;
        if (m.outcome.ok() && ratio > worstRatio) {
            worstRatio = ratio;
            worst = QStringLiteral("%1 n=%2: %3 / %4 = %5").arg(f.at(0)).arg(n).arg(m.rows.size()).arg(best).arg(ratio, 0, 'f', 3);
        }
    }
    qInfo("worst ratio to the best known size: %s", qPrintable(worst));
}

void TestWheelVerify::shippedSizesMeetTheAnchors()
{
    QFETCH(int, type);
    QFETCH(int, n);
    QFETCH(int, best);
    QFETCH(int, allowed);
    const WheelMatrix m = readWheelMatrixFile(wheelMatrixPath(QStringLiteral(BALVORA_SOURCE_DIR "/data"), type, n), n);
    QVERIFY2(m.outcome.ok(), qPrintable(m.outcome.message));
    QVERIFY2(int(m.rows.size()) <= allowed,
             qPrintable(QStringLiteral("%1 rows, allowed %2 (best known %3, ratio %4)")
                            .arg(m.rows.size())
                            .arg(allowed)
                            .arg(best)
                            .arg(double(m.rows.size()) / best, 0, 'f', 3)));
}

void TestWheelVerify::cliVerifiesAFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("holds") << QByteArray("010203040506\n030405060708\n010207080304\n") << QStringList() << 0 << QStringLiteral("ok");
    QTest::newRow("misses a pair") << QByteArray("010203040506\n030405060708\n") << QStringList() << 1 << QStringLiteral("not reached: 01 07");
    QTest::newRow("type given") << QByteArray("010203040506\n030405060708\n") << QStringList{QStringLiteral("--type"), QStringLiteral("中6保4")} << 0 << QStringLiteral("ok");
}

void TestWheelVerify::cliVerifiesAFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, extra);
    QFETCH(int, status);
    QFETCH(QString, lastLine);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("C8S2E2.db"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();

    const CliRun cli = runCli(QStringList{QStringLiteral("wheel"), QStringLiteral("verify"), path} + extra);
    QCOMPARE(cli.status, status);
    const QStringList lines = cli.outText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), QStringLiteral("rows %1").arg(content.count('\n')));
    QCOMPARE(lines.last(), lastLine);
}

QTEST_GUILESS_MAIN(TestWheelVerify)
#include "tst_wheelverify.moc"

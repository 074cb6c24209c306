// The wheel method end to end: a matrix file in Matrix/ of the program directory,
// read for the number of red candidates, turned into bets blue-outer.
#include "CliRun.h"
#include "core/bets/BetEngine.h"
#include "core/bets/BetText.h"
#include "core/bets/WheelMatrix.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

std::array<bool, 33> reds(std::initializer_list<int> balls)
{
    std::array<bool, 33> s{};
    for (int b : balls)
        s[b - 1] = true;
    return s;
}

std::array<bool, 16> blues(std::initializer_list<int> balls)
{
    std::array<bool, 16> s{};
    for (int b : balls)
        s[b - 1] = true;
    return s;
}

QStringList rows(const BetList &bets)
{
    QStringList out;
    for (const Bet &b : bets)
        out << betRowText(b);
    return out;
}

GenerationRequest wheelRequest(const QString &dir, const char *type)
{
    GenerationRequest r;
    r.method = BetMethod::Wheel;
    r.wheelTypeIndex = wheelTypeIndex(QString::fromUtf8(type));
    r.programDir = dir;
    return r;
}

} // namespace

class TestWheelBets : public QObject {
    Q_OBJECT
private slots:
    void candidatesAtThePositionsOfEachLine()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("Matrix/C7S6E5.db"), "010203040506\r\n020304050607\r\n");
        BetEngine engine;
        const EngineResult r = engine.generate(reds({3, 7, 11, 19, 25, 28, 30}), blues({9}), wheelRequest(dir.path(), "中6保5"));
        QVERIFY(r.outcome.ok());
        QCOMPARE(rows(engine.current()), (QStringList{"03 07 11 19 25 2809", "07 11 19 25 28 3009"}));
    }

    void blueOuterLinesInner()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("Matrix/C8S5E4.db"), "010203040506\n030405060708\n010203070805\n020406080103\n");
        BetEngine engine;
        const EngineResult r = engine.generate(reds({1, 2, 3, 4, 5, 6, 7, 8}), blues({2, 5}), wheelRequest(dir.path(), "S5E4"));
        QVERIFY(r.outcome.ok());
        QCOMPARE(rows(engine.current()),
                 (QStringList{"01 02 03 04 05 0602", "03 04 05 06 07 0802", "01 02 03 07 08 0502", "02 04 06 08 01 0302",
                              "01 02 03 04 05 0605", "03 04 05 06 07 0805", "01 02 03 07 08 0505", "02 04 06 08 01 0305"}));
        QCOMPARE(rows(engine.generated()), rows(engine.current()));
    }

    void theCountOfCandidatesChoosesTheFile()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("Matrix/C9S6E5.db"), "010203040506\n040506070809\n");
        writeFile(dir.filePath("Matrix/C10S6E5.db"), "010203040510\n");
        BetEngine engine;
        QVERIFY(engine.generate(reds({1, 2, 3, 4, 5, 6, 7, 8, 9}), blues({1}), wheelRequest(dir.path(), "中6保5")).outcome.ok());
        QCOMPARE(rows(engine.current()), (QStringList{"01 02 03 04 05 0601", "04 05 06 07 08 0901"}));
        QVERIFY(engine.generate(reds({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), blues({1}), wheelRequest(dir.path(), "中6保5")).outcome.ok());
        QCOMPARE(rows(engine.current()), (QStringList{"01 02 03 04 05 1001"}));
        // No file for 11 candidates: refused, both lists empty.
        const EngineResult r = engine.generate(reds({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), blues({1}), wheelRequest(dir.path(), "中6保5"));
        QCOMPARE(r.outcome.ok(), false);
        QCOMPARE(r.outcome.message, QStringLiteral("您选择的侯选号码数量无此类旋转矩阵,请重新选择!"));
        QCOMPARE(int(engine.generated().size()), 0);
        QCOMPARE(int(engine.current().size()), 0);
    }

    void faultyFileIsRefusedAndNothingIsGenerated()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("Matrix/C7S6E5.db"), "010203040506\n010203040508\n");
        BetEngine engine;
        engine.generate(reds({1, 2, 3, 4, 5, 6, 7}), blues({1}), {});
        QCOMPARE(int(engine.current().size()), 7);
        const EngineResult r = engine.generate(reds({1, 2, 3, 4, 5, 6, 7}), blues({1}), wheelRequest(dir.path(), "中6保5"));
        QCOMPARE(r.outcome.ok(), false);
        QVERIFY(!r.outcome.message.isEmpty());
        QCOMPARE(int(engine.generated().size()), 0);
        QCOMPARE(int(engine.current().size()), 0);
    }

    // The shipped C9S6E5.db, through balvora-cli as a user would run it.
    void shippedWheelThroughTheCommandLine()
    {
        const QString program = QStringLiteral(BALVORA_BINARY_DIR);
        if (!QFile::exists(program + "/Matrix/C9S6E5.db"))
            QSKIP("the build has not laid out Matrix/ yet");
        const CliRun r = runCli({"--dir", program, "bets", "--red", "1,2,3,4,5,6,7,8,9", "--blue", "3,4", "--method",
                                 "wheel", "--wheel", "中6保5"});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.outText().split("\r\n", Qt::SkipEmptyParts);
        const WheelMatrix matrix = readWheelMatrix(program, wheelTypeIndex("中6保5"), 9);
        QVERIFY(matrix.outcome.ok());
        QCOMPARE(lines.size(), int(matrix.rows.size()) * 2);
        QVERIFY(lines.first().endsWith(" 03"));
        QVERIFY(lines.last().endsWith(" 04"));
    }
};

QTEST_GUILESS_MAIN(TestWheelBets)
#include "tst_wheelbets.moc"

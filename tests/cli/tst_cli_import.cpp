// balvora-cli import never drops a line without a word: a header only by its shape and named
// in the summary, a file without a single draw is an error naming it, a wrong line is quoted
// short, and a line longer than any layout is refused without being read whole.
#include "CliRun.h"
#include "ProgramDir.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString kWrongCount = QString::fromUtf8("您输入的彩票开奖号码位数不对,请检查后重新输入！");

QString wrongLine(int line, const QString &quoted)
{
    return QString::fromUtf8("第%1行（%2）：").arg(line).arg(quoted) + kWrongCount;
}

struct Import {
    CliRun run;
    QStringList out;
    int stored = -1;
};

// Imports bytes from a file in a fresh program directory (or through standard input).
Import importInto(ProgramDir &dir, const QByteArray &bytes, bool viaStdin = false)
{
    Import result;
    QStringList args{"--dir", dir.path(), "import"};
    if (viaStdin) {
        args << "-";
        result.run = runCli(args, bytes);
    } else {
        QFile file(dir.file(QStringLiteral("draws.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return result;
        file.close();
        result.run = runCli(args << file.fileName());
    }
    result.out = result.run.outText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QSqlQuery q(dir.db());
    if (q.exec(QStringLiteral("select count(*) from data")) && q.next())
        result.stored = q.value(0).toInt();
    return result;
}

} // namespace

class TestCliImport : public QObject {
    Q_OBJECT

private slots:
    void import_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("viaStdin");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QStringList>("err"); // each is part of standard error
        QTest::addColumn<int>("stored");
        const QString noDraw = QStringLiteral("no draw could be read from ");

        QTest::newRow("comma layout: the first draw is a draw")
            << QByteArray("2022135 01,02,03,04,05,06+07\n2022136 02,03,04,05,06,07+08\n") << false << 0
            << QStringList{"inserted 2, skipped 0"} << QStringList() << 2;
        QTest::newRow("CSV header named in the summary")
            << QString::fromUtf8("期号,红1,红2,红3,红4,红5,红6,蓝球,开奖日期\n22001,06,05,04,03,02,01,07,2022-01-02\n").toUtf8()
            << false << 0 << QStringList{"inserted 1, skipped 0, header line 1 ignored"} << QStringList() << 1;
        QTest::newRow("JSON file")
            << QByteArray("{\n  \"draws\": [\n    {\"qishu\": \"2022135\", \"red\": [1, 2, 3, 4, 5, 6], \"blue\": 7}\n  ]\n}\n")
            << false << 1 << QStringList{wrongLine(1, "{"), "inserted 0, skipped 0"}
            << QStringList{"stopped at line 1", noDraw, "/draws.txt"} << 0;
        QTest::newRow("JSON on one line, quoted short")
            << QByteArray("[{\"qishu\":\"2022135\",\"red\":\"01,02,03,04,05,06\",\"blue\":\"07\",\"date\":\"2022-11-24\"}]\n")
            << false << 1
            << QStringList{wrongLine(1, "[{\"qishu\":\"2022135\",\"red\":\"01,02,03,04,05,06\",\"blue\":\"07\",\"d..."),
                           "inserted 0, skipped 0"}
            << QStringList{"stopped at line 1", noDraw} << 0;
        QTest::newRow("only line names columns") << QByteArray("issue,red1\n") << false << 1
                                                 << QStringList{"inserted 0, skipped 0, header line 1 ignored"}
                                                 << QStringList{noDraw, "/draws.txt"} << 0;
        QTest::newRow("only line holds numbers and a comma")
            << QByteArray("1,2\n") << false << 1 << QStringList{wrongLine(1, "1,2"), "inserted 0, skipped 0"}
            << QStringList{noDraw} << 0;
        QTest::newRow("empty file") << QByteArray("\n\n") << false << 1 << QStringList{"inserted 0, skipped 0"}
                                    << QStringList{noDraw, "/draws.txt"} << 0;
        QTest::newRow("empty standard input") << QByteArray() << true << 1 << QStringList{"inserted 0, skipped 0"}
                                              << QStringList{noDraw + "standard input"} << 0;
        QTest::newRow("a line longer than any layout, after a draw")
            << QByteArray("2022001 01 02 03 04 05 06 07\n2022002 01 02 03 04 05 06 07") + QByteArray(5000, ' ')
                   + "1\n2022003 01 02 03 04 05 06 07\n"
            << false << 1 << QStringList{wrongLine(2, "2022002 01 02 03 04 05 06 07..."), "inserted 1, skipped 0"}
            << QStringList{"stopped at line 2"} << 1;
    }
    void import()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, viaStdin);
        QFETCH(int, status);
        QFETCH(QStringList, out);
        QFETCH(QStringList, err);
        QFETCH(int, stored);
        ProgramDir dir;
        const Import result = importInto(dir, file, viaStdin);
        QCOMPARE(result.run.status, status);
        QCOMPARE(result.out, out);
        for (const QString &part : err)
            QVERIFY2(result.run.err.contains(part), qPrintable(result.run.err));
        if (err.isEmpty())
            QCOMPARE(result.run.err, QString());
        QCOMPARE(result.stored, stored);
    }

    // Whatever bytes a file holds, the message quotes at most 60 characters of them, and no
    // control character reaches the terminal.
    void binaryFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QByteArray noise(200000, Qt::Uninitialized);
        quint32 x = 12345;
        for (char &c : noise) {
            x = x * 1103515245u + 12345u;
            c = char(x >> 24);
        }
        QByteArray noiseWithoutLineEnds = noise;
        noiseWithoutLineEnds.replace('\n', 'x');
        QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + noise;
        QTest::newRow("noise without line ends") << noiseWithoutLineEnds;
        QTest::newRow("zero bytes") << QByteArray(100000, '\0');
        QTest::newRow("escape sequences") << QByteArray("\x1b[2J\x1b]0;title\x07,\x1b[31m\n");
    }
    void binaryFile()
    {
        QFETCH(QByteArray, file);
        ProgramDir dir;
        const Import result = importInto(dir, file);
        QCOMPARE(result.run.status, 1);
        QCOMPARE(result.out.size(), 2);
        static const QRegularExpression quoted(QString::fromUtf8("^第1行（(.*)）：") + kWrongCount + "$");
        const QRegularExpressionMatch m = quoted.match(result.out[0]);
        QVERIFY2(m.hasMatch(), qPrintable(result.out[0]));
        QVERIFY2(m.captured(1).size() <= 63, qPrintable(m.captured(1)));
        for (const QChar c : result.run.outText())
            QVERIFY(c == QLatin1Char('\n') || c.isPrint());
        QCOMPARE(result.out[1], QStringLiteral("inserted 0, skipped 0"));
        QVERIFY(result.run.err.contains(QStringLiteral("no draw could be read from ")));
    }

    // A single line of 28 MB is refused as a wrong line after its first bytes (how little
    // memory that takes is measured in bench/bench_import).
    void hugeSingleLine()
    {
        ProgramDir dir;
        const QString path = dir.file(QStringLiteral("huge.txt"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            const QByteArray chunk = QByteArray("2022135 01 02 03 04 05 06 07 ").repeated(36158); // about 1 MB
            for (int i = 0; i < 28; ++i)
                QCOMPARE(file.write(chunk), qint64(chunk.size()));
        }
        const CliRun r = runCli({"--dir", dir.path(), "import", path});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.outText().split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 (QStringList{wrongLine(1, "2022135 01 02 03 04 05 06 07 2022135 01 02 03 04 05 06 07 20..."),
                              "inserted 0, skipped 0"}));
        QVERIFY(r.err.contains(QStringLiteral("stopped at line 1")));
        QVERIFY(r.err.contains(QStringLiteral("no draw could be read from ") + path));
    }
};

QTEST_GUILESS_MAIN(TestCliImport)
#include "tst_cli_import.moc"

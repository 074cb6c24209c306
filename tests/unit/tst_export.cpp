// Writing the current list as output lines.
#include "BetFixtures.h"
#include "core/bets/Export.h"
#include "core/bets/Generation.h"

#include <QtTest>

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void linesWithCrLf();
    void emptyList();
    void unwritablePath();
    void cancelKeepsOldFile();
};

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}
} // namespace

void TestExport::linesWithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bets.txt");
    // More lines than one write block, banker order kept as it stands.
    BetList list = generateAllCombinations(fixtures::range(1, 14), {2, 16}).bets;
    list.insert(list.begin() + 1, fixtures::row("04 05 06 07 08 0216"));
    QVERIFY(exportBets(path, list).ok());
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), qsizetype(list.size()) * 22);
    QCOMPARE(bytes.left(66), QByteArray("01 02 03 04 05 06 02\r\n04 05 06 07 08 02 16\r\n01 02 03 04 05 06 16\r\n"));
    QCOMPARE(bytes.right(22), QByteArray("09 10 11 12 13 14 16\r\n"));
    QCOMPARE(bytes.count('\n'), qsizetype(list.size()));
    QCOMPARE(bytes.count('\r'), qsizetype(list.size()));
}

void TestExport::emptyList()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("none.txt");
    QVERIFY(exportBets(path, {}).ok());
    QVERIFY(QFile::exists(path));
    QCOMPARE(readAll(path), QByteArray());
}

void TestExport::unwritablePath()
{
    QTemporaryDir dir;
    const Outcome o = exportBets(dir.filePath("no/such/dir/bets.txt"), fixtures::list({"01 02 03 04 05 0601"}));
    QCOMPARE(o.status, Outcome::Status::Failed);
    QVERIFY(!o.message.isEmpty());
}

void TestExport::cancelKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bets.txt");
    QVERIFY(exportBets(path, fixtures::list({"01 02 03 04 05 0601"})).ok());
    const BetList big = generateAllCombinations(fixtures::range(1, 20), {1, 2}).bets;
    const Outcome o = exportBets(path, big, [](qint64 done, qint64) { return done == 0; });
    QCOMPARE(o.status, Outcome::Status::Cancelled);
    QVERIFY(o.message.isEmpty());
    QCOMPARE(readAll(path), QByteArray("01 02 03 04 05 06 01\r\n"));
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"

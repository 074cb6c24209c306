// The bet engine when memory runs out: the address space of the test process is capped a
// little above what it uses (as `ulimit -v` does), so the next big list cannot be made.
// Each operation then fails with its message and both lists stay as they were; an export
// fails with its message and leaves the file that was there.
#include "BetFixtures.h"
#include "core/Parallel.h"
#include "core/bets/BetEngine.h"
#include "core/bets/BetText.h"
#include "core/bets/Export.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <string>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define BALVORA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BALVORA_ASAN 1
#endif
#endif

namespace {

long long virtualBytes()
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmSize:", 0) == 0)
            return std::stoll(line.substr(7)) * 1024;
    return 0;
}

// Caps the address space at what is mapped now plus headroom, until it goes out of scope.
class AddressSpaceCap {
public:
    explicit AddressSpaceCap(long long headroom)
    {
        m_ok = getrlimit(RLIMIT_AS, &m_saved) == 0;
        rlimit cap = m_saved;
        cap.rlim_cur = rlim_t(virtualBytes() + headroom);
        m_ok = m_ok && setrlimit(RLIMIT_AS, &cap) == 0;
    }
    ~AddressSpaceCap() { setrlimit(RLIMIT_AS, &m_saved); }
    bool ok() const { return m_ok; }

private:
    rlimit m_saved{};
    bool m_ok = false;
};

std::array<bool, 33> reds(int count)
{
    std::array<bool, 33> r{};
    for (int i = 0; i < count; ++i)
        r[std::size_t(i)] = true;
    return r;
}
std::array<bool, 16> blues(int count)
{
    std::array<bool, 16> b{};
    for (int i = 0; i < count; ++i)
        b[std::size_t(i)] = true;
    return b;
}

QStringList firstRows(const BetList &list)
{
    QStringList rows;
    for (std::size_t i = 0; i < std::min<std::size_t>(3, list.size()); ++i)
        rows << betRowText(list[i]);
    return rows;
}

} // namespace

class TestOutOfMemory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
#ifdef BALVORA_ASAN
        QSKIP("AddressSanitizer reserves more address space than any cap leaves");
#endif
        // Worker threads leave address space reserved (malloc arenas, cached stacks) that a
        // later list can grow into under the cap; the jobs allocate their lists on the calling
        // thread either way, so one thread tests the same paths.
        Parallel::setThreadCount(1);
    }

    // Runs first, while the process has freed no big block that could hold the export's.
    // The cap leaves 512 KB, enough to open the file but not for the 700 KB block of lines.
    void exportFailsAndKeepsTheFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("bets.txt"));
        const QByteArray before = "01 02 03 04 05 06 07\r\n";
        {
            QFile existing(path);
            QVERIFY(existing.open(QIODevice::WriteOnly));
            QCOMPARE(existing.write(before), qint64(before.size()));
        }
        const BetList bets = fixtures::list({"01 02 03 04 05 0607", "01 02 03 04 05 0708"});
        Outcome o;
        {
            AddressSpaceCap cap(512 << 10);
            QVERIFY(cap.ok());
            o = exportBets(path, bets);
        }
        QCOMPARE(o.status, Outcome::Status::Failed);
        QCOMPARE(o.message, kExportOutOfMemoryMessage);
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("bets.txt")});

        QVERIFY(exportBets(path, bets).ok());
    }

    // The lists before: 33 reds and 4 blues (4,430,272 bets, 35 MB), the current list
    // filtered to a part of them. The cap leaves 16 MB, less than any list each step makes.
    void operationsFailAndKeepBothLists_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("generate all 17,721,088") << "generate";
        QTest::newRow("filter the generated list") << "filter";
        QTest::newRow("delete a bet from the shared list") << "delete";
        QTest::newRow("delete a bet through the engine") << "delete in the engine";
    }
    void operationsFailAndKeepBothLists()
    {
        QFETCH(QString, operation);
        BetEngine engine;
        QVERIFY(engine.generate(reds(33), blues(4), GenerationRequest{}).outcome.ok());
        const std::size_t generated = engine.generated().size();
        QCOMPARE(generated, std::size_t(4430272));
        if (operation.startsWith(QLatin1String("delete")))
            QVERIFY(engine.current().data() == engine.generated().data());
        const QStringList generatedRows = firstRows(engine.generated());
        const std::size_t current = engine.current().size();

        FilterSettings filters = defaultFilterSettings();
        filters[0] = {true, QStringLiteral("21"), QStringLiteral("150")}; // keeps nearly all
        EngineResult r;
        {
            AddressSpaceCap cap(16 << 20);
            QVERIFY(cap.ok());
            if (operation == QLatin1String("generate"))
                r = engine.generate(reds(33), blues(16), GenerationRequest{});
            else if (operation == QLatin1String("filter"))
                r = engine.filter(BetMethod::AllCombinations, filters);
            else if (operation == QLatin1String("delete"))
                r = engine.apply(listsAfterDeletion(engine.lists(), 2));
            else
                r.outcome = engine.deleteBet(2);
        }
        QCOMPARE(r.outcome.status, Outcome::Status::Failed);
        QCOMPARE(r.outcome.message, kOutOfMemoryMessage);
        QVERIFY(!r.installs());
        QCOMPARE(engine.generated().size(), generated);
        QCOMPARE(engine.current().size(), current);
        QCOMPARE(firstRows(engine.generated()), generatedRows);

        // With the memory back the same operation goes through.
        if (operation == QLatin1String("filter")) {
            QVERIFY(engine.filter(BetMethod::AllCombinations, filters).outcome.ok());
            QVERIFY(engine.current().size() < generated);
        }
    }
};

QTEST_GUILESS_MAIN(TestOutOfMemory)
#include "tst_outofmemory.moc"

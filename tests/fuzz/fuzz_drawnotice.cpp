// Draw notices as the results service answers them or a browser saves them: the JSON read
// into batch lines and details, each entry refused alone or the whole body refused; each
// entry's details, 福运奖 included, read back from a history as they were stored.
#include "FuzzSupport.h"

#include "core/download/DrawNotice.h"
#include "core/history/DrawDatabase.h"
#include "core/history/DrawEntry.h"

#include <QSet>

namespace {

// A history of the current layout in the scratch directory, open for the whole run.
QSqlDatabase history()
{
    static DrawDatabase *data = [] {
        const QString dir = scratchDir().path();
        FUZZ_CHECK(DrawDatabase::createDatabase(dir).ok());
        auto *opened = new DrawDatabase;
        FUZZ_CHECK(opened->open(dir).ok());
        return opened;
    }();
    return data->database();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const NoticeReading r = readDrawNotice(body);
    if (!r.outcome.ok()) {
        FUZZ_CHECK(r.outcome.status == Outcome::Status::Refused);
        FUZZ_CHECK(!r.outcome.message.isEmpty());
        FUZZ_CHECK(r.entries.isEmpty() && r.refusals.isEmpty());
        return 0;
    }
    // Every entry is read or refused; only word-for-word repeats are dropped.
    FUZZ_CHECK(r.entries.size() + r.refusals.size() <= r.listed);
    QSet<QString> numbers;
    for (const NoticeEntry &e : r.entries) {
        // What goes to the batch is a whole draw the entry rules accept, under the details' number.
        const BatchLine line = parseBatchLine(e.batchLine);
        FUZZ_CHECK(line.kind == BatchLine::Draw);
        FUZZ_CHECK(line.fields.qishu == e.details.qishu);
        FUZZ_CHECK(e.details.qishu.size() == 7);
        FUZZ_CHECK(e.details.date.size() == 10);
        FUZZ_CHECK(line.fields.extra.isEmpty());
        FUZZ_CHECK(e.batchLine.size() == 7 + 7 * 3);
        for (const PrizeGrade &g : e.details.grades)
            FUZZ_CHECK(g.winners >= -1 && g.money >= -1);
        // 福运奖 listed has both cells (0 where the notice left one empty), so it tells the
        // draw's state; not listed, neither.
        const PrizeGrade &fortune = e.details.grades[PrizeRules::FortuneGrade - 1];
        FUZZ_CHECK((fortune.winners == -1) == (fortune.money == -1));
        FUZZ_CHECK((PrizeRules::noticeFortune(fortune.winners, fortune.money) == PrizeRules::Fortune::Unknown)
                   == (fortune.winners == -1));
        FUZZ_CHECK(DrawDetailsStore::store(history(), e.details).ok());
        const Result<DrawDetails> back = DrawDetailsStore::read(history(), e.details.qishu);
        FUZZ_CHECK(back.ok() && back.value == e.details);
        numbers.insert(e.details.qishu);
    }
    for (const QString &m : r.refusals)
        FUZZ_CHECK(!m.isEmpty());
    return 0;
}

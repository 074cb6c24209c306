// The prize check's list box: ticket lines typed or pasted by the user, checked against a
// stored draw. A refused list reports no prize at all; an accepted one never counts more
// prizes than it has lines, and lines in the output form count as the bet list check does.
#include "FuzzSupport.h"

#include "core/bets/BetText.h"
#include "core/prize/PrizeCheck.h"

#include <QSqlQuery>

namespace {

QSqlDatabase history()
{
    static const bool ready = [] {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fuzz"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        QSqlQuery q(db);
        return db.open()
            && q.exec(QStringLiteral("create table data (qishu text, c1 text, c2 text, c3 text, c4 text, c5 text, c6 text, c7 text)"))
            && q.exec(QStringLiteral("insert into data values ('2007001', '03', '09', '14', '22', '27', '31', '07')"));
    }();
    FUZZ_CHECK(ready);
    return QSqlDatabase::database(QStringLiteral("fuzz"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const PrizeCheck::ListCheck check = PrizeCheck::checkList(history(), QStringLiteral("2007001"), text, {});
    qint64 total = 0;
    for (qint64 c : check.counts) {
        FUZZ_CHECK(c >= 0);
        total += c;
    }
    if (!check.outcome.ok()) {
        FUZZ_CHECK(total == 0 && !check.outcome.message.isEmpty());
        FUZZ_CHECK(check.prizeMessages().isEmpty());
        return 0;
    }
    const QStringList lines = PrizeCheck::listLines(text);
    FUZZ_CHECK(total <= lines.size());
    FUZZ_CHECK(check.prizeMessages().size() <= PrizeRules::kGrades);
    // A draw before the rules: 福运奖 is never unknown, never won.
    FUZZ_CHECK(check.fortuneUnknown == 0 && check.counts[PrizeRules::FortuneGrade - 1] == 0);

    BetList bets;
    for (const QString &line : lines) {
        const std::optional<Bet> bet = parseBetLine(line);
        if (!bet)
            return 0;
        bets.push_back(*bet);
    }
    const Result<PrizeCheck::DrawBalls> draw = PrizeCheck::findDraw(history(), QStringLiteral("2007001"));
    FUZZ_CHECK(draw.ok());
    FUZZ_CHECK(PrizeRules::grade(PrizeCheck::tallyHits(bets, draw.value), PrizeRules::Fortune::NotInForce).counts
               == check.counts);
    return 0;
}

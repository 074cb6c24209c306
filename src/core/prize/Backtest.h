#pragma once
// A bet list played in every draw of a range: how many bets would have won each prize. The
// counting finds each draw's bets per red hits and blue hit; the grades follow per draw, from
// PrizeRules and the draw's 福运奖.
#include "core/Outcome.h"
#include "core/bets/Bet.h"
#include "core/bets/Progress.h"
#include "core/prize/PrizeCheck.h"

#include <QSqlDatabase>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace Backtest {

// The hits of BETS in each of DRAWS, in the same order; nullopt when progress asked to
// cancel. Long lists are counted by their red sets, so the work grows with the bets plus the
// draws; short ones bet by bet. Both give the grades PrizeCheck::tallyHits gives (the red-set
// count puts the bets with fewer than three reds in row 2).
std::optional<std::vector<PrizeRules::HitTally>> countOverDraws(const BetList &bets,
                                                                const std::vector<PrizeCheck::DrawBalls> &draws,
                                                                const ProgressFn &progress = {});

// The same, always bet by bet (for lists whose reds are not sets, and to compare with).
std::optional<std::vector<PrizeRules::HitTally>> countBetByBet(const BetList &bets,
                                                               const std::vector<PrizeCheck::DrawBalls> &draws,
                                                               const ProgressFn &progress = {});

struct PlayedDraw {
    QString qishu;
    PrizeCheck::DrawBalls balls;
    // The first and second prize's yuan per winning bet from the draw's notice; 0 where the
    // history has no notice of the draw, or the notice did not say.
    std::array<qint64, 2> floatingYuan{};
    PrizeRules::Fortune fortune = PrizeRules::Fortune::NotInForce;
};
// The stored draws from..to (text order, both included), ascending, with their notice's
// first and second prize money; failed when the history cannot be read. Their 福运奖 is
// left to withFortunes.
Result<std::vector<PlayedDraw>> drawsInRange(QSqlDatabase db, const QString &from, const QString &to);
// Sets the 福运奖 of each of DRAWS from the history and PERIODS.
Outcome withFortunes(QSqlDatabase db, std::vector<PlayedDraw> &draws, const PrizeRules::FortunePeriods &periods);

// What a list of BETS bets won and cost in one draw.
struct DrawReturn {
    qint64 wonYuan = 0;           // the fixed prizes, and the first and second where their money is known
    bool floatingUnknown = false; // a first or second prize was won whose money per bet is not known
    bool fortuneUnknown = false;  // bets of three reds without the blue, in a draw whose 福运奖 is not known
    qint64 costYuan = 0;
};
// floatingYuan: the first and second prize's money per bet in that draw, 0 where unknown.
DrawReturn returnOf(const PrizeRules::Graded &graded, qint64 bets, std::array<qint64, 2> floatingYuan = {});

// A bet list played in every stored draw of a range: a row per draw and the totals.
struct PlayedRow {
    PlayedDraw draw;
    PrizeRules::PrizeCounts counts{};
    qint64 fortuneUnknown = 0; // bets of three reds without the blue not counted (PrizeRules::Graded)
    DrawReturn money;
};
struct Report {
    Outcome outcome; // failed when the history cannot be read, cancelled when progress asked
    qint64 bets = 0;
    std::vector<PlayedRow> rows;
    PrizeRules::PrizeCounts totalCounts{};
    qint64 totalFortuneUnknown = 0;
    DrawReturn total; // floatingUnknown, fortuneUnknown when any row has it
    // What came back for each yuan spent (won / cost); 0 when nothing was bought.
    double returnRatio() const;
};
Report playRange(QSqlDatabase db, const QString &from, const QString &to, const BetList &bets,
                 const PrizeRules::FortunePeriods &periods, const ProgressFn &progress = {});
// The same on a connection of its own to the history in DIR, for a worker.
Report playRangeAt(const QString &historyDir, const QString &from, const QString &to, const BetList &bets,
                   const PrizeRules::FortunePeriods &periods, const ProgressFn &progress = {});

} // namespace Backtest

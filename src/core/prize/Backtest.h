#pragma once
// A bet list played in every draw of a range: how many bets would have won each prize.
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

// The prize counts of BETS in each of DRAWS, in the same order; nullopt when progress asked
// to cancel. Long lists are counted by their red sets, so the work grows with the bets plus
// the draws; short ones bet by bet. Both give the counts PrizeCheck::countPrizes gives.
std::optional<std::vector<PrizeCheck::PrizeCounts>> countOverDraws(const BetList &bets,
                                                                   const std::vector<PrizeCheck::DrawBalls> &draws,
                                                                   const ProgressFn &progress = {});

// The same, always bet by bet (for lists whose reds are not sets, and to compare with).
std::optional<std::vector<PrizeCheck::PrizeCounts>> countBetByBet(const BetList &bets,
                                                                  const std::vector<PrizeCheck::DrawBalls> &draws,
                                                                  const ProgressFn &progress = {});

struct PlayedDraw {
    QString qishu;
    PrizeCheck::DrawBalls balls;
    // The first and second prize's yuan per winning bet from the draw's notice; 0 where the
    // history has no notice of the draw, or the notice did not say.
    std::array<qint64, 2> floatingYuan{};
};
// The stored draws from..to (text order, both included), ascending, with their notice's
// first and second prize money; failed when the history cannot be read.
Result<std::vector<PlayedDraw>> drawsInRange(QSqlDatabase db, const QString &from, const QString &to);

// What a list of BETS bets won and cost in one draw.
struct DrawReturn {
    qint64 wonYuan = 0;           // the fixed prizes, and the first and second where their money is known
    bool floatingUnknown = false; // a first or second prize was won whose money per bet is not known
    qint64 costYuan = 0;
};
// floatingYuan: the first and second prize's money per bet in that draw, 0 where unknown.
DrawReturn returnOf(const PrizeCheck::PrizeCounts &counts, qint64 bets, std::array<qint64, 2> floatingYuan = {});

// A bet list played in every stored draw of a range: a row per draw and the totals.
struct PlayedRow {
    PlayedDraw draw;
    PrizeCheck::PrizeCounts counts{};
    DrawReturn money;
};
struct Report {
    Outcome outcome; // failed when the history cannot be read, cancelled when progress asked
    qint64 bets = 0;
    std::vector<PlayedRow> rows;
    PrizeCheck::PrizeCounts totalCounts{};
    DrawReturn total; // floatingUnknown when any row has it
    // What came back for each yuan spent (won / cost); 0 when nothing was bought.
    double returnRatio() const;
};
Report playRange(QSqlDatabase db, const QString &from, const QString &to, const BetList &bets,
                 const ProgressFn &progress = {});
// The same on a connection of its own to the history in DIR, for a worker.
Report playRangeAt(const QString &historyDir, const QString &from, const QString &to, const BetList &bets,
                   const ProgressFn &progress = {});

} // namespace Backtest

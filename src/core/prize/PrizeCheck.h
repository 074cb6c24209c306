#pragma once
// The prize check: a ticket, a list of ticket lines or a whole bet list against one stored
// draw. Every input error ends the check with its message and no prize is reported.
#include "core/Game.h"
#include "core/Outcome.h"
#include "core/bets/Bet.h"

#include <QSqlDatabase>
#include <QStringList>
#include <array>
#include <optional>

namespace PrizeCheck {

// 0 is no prize, 1 .. 6 the first to the sixth prize.
int prizeFor(int redHits, bool blueHit);
// The single check's result line for a prize (0 gives the no-prize text).
QString singleResultText(int prize);
QString noPrizeText();

struct DrawBalls {
    std::array<int, Game::kRedsPerBet> reds{};
    int blue = 0;
};
// The draw whose qishu equals the text exactly (a bound value), or the not-entered refusal.
// Failed when the history cannot be read.
Result<DrawBalls> findDraw(QSqlDatabase db, const QString &qishu);

// Reads a whole number the way the check accepts it: leading spaces, an optional sign, digits.
std::optional<int> wholeNumber(const QString &text);

struct SingleCheck {
    Outcome outcome;         // refused with the message to show; ok: result is the line text
    QString result;
    // The six red fields in text order, to write back whenever the check got as far as sorting.
    std::optional<QStringList> sortedReds;
};
// The "单注查询": six red field texts, the blue field text, the draw number text.
SingleCheck checkSingle(QSqlDatabase db, const QString &qishu, const QStringList &redFields, const QString &blueField);

// Prize counters, first to sixth.
using PrizeCounts = std::array<qint64, Game::kPrizeLevels>;
struct ListCheck {
    Outcome outcome;         // refused: the input error to show, and no prize
    PrizeCounts counts{};
    // One "恭喜您买中了 N 注X等奖！" per prize won, first to sixth; empty when nothing was won.
    QStringList prizeMessages() const;
};
// The lines of the list box text: split at line ends; a final line end adds no empty line.
QStringList listLines(const QString &text);
// The "批量查询" over the list box text.
ListCheck checkList(QSqlDatabase db, const QString &qishu, const QString &text);
// The same over bets handed over as they are (a bet is always six distinct reds and a blue).
ListCheck checkBets(QSqlDatabase db, const QString &qishu, const BetList &bets);
// The counting alone, for the bets above.
PrizeCounts countPrizes(const BetList &bets, const DrawBalls &draw);

} // namespace PrizeCheck

#pragma once
// The prize check: a ticket, a list of ticket lines or a whole bet list against one stored
// draw. Every input error ends the check with its message and no prize is reported. The
// grades come from PrizeRules, with the draw's 福运奖 as the history and the table tell it.
#include "core/Game.h"
#include "core/Outcome.h"
#include "core/bets/Bet.h"
#include "core/prize/PrizeRules.h"

#include <QSqlDatabase>
#include <QStringList>
#include <array>
#include <optional>

namespace PrizeCheck {

// The single check's result line for a grade (0 gives the no-prize text).
QString singleResultText(int grade);
QString noPrizeText();
// The draw's 福运奖 is not known, so three reds without the blue were not counted; the single
// check's result line for such a ticket.
QString fortuneUnknownText();

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
SingleCheck checkSingle(QSqlDatabase db, const QString &qishu, const QStringList &redFields, const QString &blueField,
                        const PrizeRules::FortunePeriods &periods);

struct ListCheck {
    Outcome outcome;         // refused: the input error to show, and no prize
    PrizeRules::PrizeCounts counts{};
    // Bets of three reds without the blue, counted in no grade as the draw's 福运奖 is not known.
    qint64 fortuneUnknown = 0;
    // One "恭喜您买中了 N 注X等奖！" per grade won, first to 福运奖; empty when nothing was won.
    QStringList prizeMessages() const;
    // The note on the bets of fortuneUnknown and how many they are; empty when there are none.
    QString fortuneUnknownMessage() const;
};
// The lines of the list box text: split at line ends; a final line end adds no empty line.
QStringList listLines(const QString &text);
// The "批量查询" over the list box text.
ListCheck checkList(QSqlDatabase db, const QString &qishu, const QString &text, const PrizeRules::FortunePeriods &periods);
// The same over bets handed over as they are (a bet is always six distinct reds and a blue).
ListCheck checkBets(QSqlDatabase db, const QString &qishu, const BetList &bets,
                    const PrizeRules::FortunePeriods &periods);
// The counting alone, for the bets above: the bets per red hits and blue hit.
PrizeRules::HitTally tallyHits(const BetList &bets, const DrawBalls &draw);
// The state of the draw DRAWNUMBER, from the history and PERIODS; failed when it cannot be read.
Result<PrizeRules::Fortune> fortuneOf(QSqlDatabase db, const QString &drawNumber, const PrizeRules::FortunePeriods &periods);

} // namespace PrizeCheck

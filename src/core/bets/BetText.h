#pragma once
// The two texts of a bet. The 19-character row "01 02 03 04 05 0612" (red part, then the
// blue with no separator) is what the grid and the rules read; the 20-character output line
// "01 02 03 04 05 06 12" is what export, printing and the prize check take.
#include "core/bets/Bet.h"

#include <QString>
#include <QStringView>
#include <optional>

inline constexpr int kBetRowLength = 19;
inline constexpr int kOutputLineLength = 20;

// Writes exactly 19 / 20 characters (no terminator) to out.
void formatBetRow(const Bet &bet, char *out);
void formatOutputLine(const Bet &bet, char *out);

QString betRowText(const Bet &bet);
QString outputLine(const Bet &bet);
// Characters 1-17 and 18-19 of the row.
QString redPart(const Bet &bet);
QString bluePart(const Bet &bet);
int redSum(const Bet &bet);

// Reads a 19-character row or a 20-character output line back; reds 1..33 and blue 1..16
// in two digits, six distinct reds, blanks where they belong. Anything else gives no bet.
std::optional<Bet> parseBetLine(QStringView line);
// Convenience for tests and tools: reds in the given order.
Bet makeBet(int r1, int r2, int r3, int r4, int r5, int r6, int blue);

#pragma once
// The prize rules: the grade a bet wins from its red hits, its blue hit and whether the draw
// had 福运奖; the names and the fixed money of the grades; and whether a stored draw had 福运奖.
// Every check, count, backtest and printout takes its grades from here.
//
// 福运奖 came with the rules that apply from draw 2026014: during a special regulation period
// (特别规定期间) three reds without the blue win 5 yuan; three reds with the blue stay a fifth
// prize, and a bet wins one grade only. A period starts with the draw after one whose pool is
// at least 1,500,000,000 yuan and stops with the draw after one whose pool is below
// 300,000,000 yuan; between the two the state carries over.
#include "core/Game.h"
#include "core/Outcome.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

namespace PrizeRules {

// 1 .. 6 are 一等奖 .. 六等奖, 7 福运奖; 0 is no prize.
enum Grade : int { NoPrize = 0, FirstGrade, SecondGrade, ThirdGrade, FourthGrade, FifthGrade, SixthGrade, FortuneGrade };
inline constexpr int kGrades = 7;

// Whether a draw had 福运奖.
enum class Fortune { NotInForce, InForce, Unknown };

// The grade of the six grades for red hits 0..6 and the blue missed or hit.
inline constexpr int kGradeTable[Game::kRedsPerBet + 1][2] = {
    {0, 6}, {0, 6}, {0, 6}, {0, 5}, {5, 4}, {4, 3}, {2, 1}};

constexpr int gradeFor(int redHits, bool blueHit, bool fortuneInForce)
{
    if (redHits < 0 || redHits > Game::kRedsPerBet)
        return NoPrize;
    if (redHits == 3 && !blueHit && fortuneInForce)
        return FortuneGrade;
    return kGradeTable[redHits][blueHit ? 1 : 0];
}
// The bets whose grade depends on 福运奖: three reds, no blue.
constexpr bool dependsOnFortune(int redHits, bool blueHit) { return redHits == 3 && !blueHit; }

// "一等奖" .. "六等奖", "福运奖" for grades 1 .. 7; empty for anything else.
QString gradeName(int grade);

// Yuan per winning bet of grades 1 .. 7 (index grade - 1). The first and second are shares of
// the pool, known only from the draw's notice: 0 here.
inline constexpr qint64 kFixedYuan[kGrades] = {0, 0, 3000, 200, 10, 5, 5};
constexpr bool isFloating(int grade) { return grade == FirstGrade || grade == SecondGrade; }

// Winning bets of each grade, first to 福运奖.
using PrizeCounts = std::array<qint64, kGrades>;

// What a count of bets against one draw finds: the bets per red hits 0..6 and blue missed
// or hit. The grades follow from it and the draw's state alone, so a count never needs the
// rule. A count may put every bet with fewer than three reds in row 2, as they share a grade.
struct HitTally {
    std::array<std::array<qint64, 2>, Game::kRedsPerBet + 1> bets{};
    qint64 &at(int redHits, bool blueHit) { return bets[std::size_t(redHits)][blueHit ? 1 : 0]; }
    qint64 at(int redHits, bool blueHit) const { return bets[std::size_t(redHits)][blueHit ? 1 : 0]; }
    HitTally &operator+=(const HitTally &o);
    bool operator==(const HitTally &o) const { return bets == o.bets; }
};

struct Graded {
    PrizeCounts counts{};
    // Bets of three reds without the blue in a draw whose 福运奖 is not known: counted in no grade.
    qint64 fortuneUnknown = 0;
};
Graded grade(const HitTally &tally, Fortune fortune);

// ---- Whether a draw had 福运奖 -----------------------------------------------------------
// In this order: (1) the draw's stored notice (grade 7 with winners or money: in force; listed
// empty: not); (2) the shipped table of known periods; (3) the pool after the draw before it
// (at least the start: in force; below the stop: not; between: that draw's state), when the
// history holds that draw's notice; (4) otherwise unknown. Draws before the rules never had it.

inline const QString kFirstDrawOfRules = QStringLiteral("2026014");
inline constexpr qint64 kStartPoolYuan = 1500000000;
inline constexpr qint64 kStopPoolYuan = 300000000;

// The shipped table, relative to the folder of the program's files.
inline const QString kFortunePeriodsFile = QStringLiteral("rules/fortune-periods.txt");

// Known special regulation periods, first and last draw of each, ascending. Every period up to
// the last one listed is listed, and each stopped after its last draw: a draw between two of
// them, or the draw right after the last, had no 福运奖.
struct FortunePeriods {
    std::vector<std::pair<QString, QString>> periods;
    Fortune stateOf(const QString &drawNumber) const;
};
// Lines "FIRST LAST" (seven-digit draw numbers, blanks between), "#" comments and blank lines.
// Refused, naming the line, when a line is not that, a period ends before it starts, starts
// before the rules or overlaps the one before it.
Result<FortunePeriods> parseFortunePeriods(const QString &text);
// The same from a file; failed when it cannot be read.
Result<FortunePeriods> readFortunePeriods(const QString &path);

// What a stored draw tells of the rule: its notice's 福运奖 and the pool after it.
struct DrawFortuneFacts {
    QString drawNumber;
    Fortune notice = Fortune::Unknown;
    qint64 pool = -1; // yuan; -1 when the history has no notice saying it
};
// The state of each draw of FACTS, ascending by draw number as the history holds them.
std::vector<Fortune> fortuneStates(const std::vector<DrawFortuneFacts> &facts, const FortunePeriods &periods);
// What a stored notice's 福运奖 says: winners or money: in force; listed without either (0 bets
// at 0 yuan as stored): not; not listed (-1): unknown.
Fortune noticeFortune(qint64 winners, qint64 money);

// The state of each of DRAWNUMBERS from the stored draws; a number the history lacks is
// unknown (from the rules on). Failed when the history cannot be read.
Result<std::vector<Fortune>> storedFortunes(QSqlDatabase db, const QStringList &drawNumbers, const FortunePeriods &periods);

} // namespace PrizeRules

#include "core/prize/PrizeCheck.h"

#include "core/Game.h"
#include "core/Parallel.h"
#include "core/history/DrawEntry.h"
#include "core/history/Query.h"
#include "core/stats/StatsQuery.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace PrizeCheck {

namespace {

const QString kNotEntered = QStringLiteral("您选择的期数开奖号码还没有录入，请先录入开奖号码！");
const QString kDuplicate = QStringLiteral("您输入的号码有误，不能有重复，请确认后重新输入！");
const QString kNothingTyped = QStringLiteral("您还未输入您购买的号码，请输入后再查询！");

const char *const kPositions[] = {"一", "二", "三", "四", "五", "六"};

QString notWholeNumber(const QString &where, const QString &text)
{
    return QStringLiteral("您输入的号码有误，%1“%2”不是整数，请确认后重新输入！").arg(where, text);
}

} // namespace

QString noPrizeText()
{
    return QStringLiteral("很抱歉，您暂时还未中奖，还需继续努力！");
}

QString singleResultText(int grade)
{
    const QString name = PrizeRules::gradeName(grade);
    return name.isEmpty() ? noPrizeText() : QStringLiteral("恭喜您买中了%1！").arg(name);
}

QString fortuneUnknownText()
{
    return QStringLiteral("本期是否设福运奖尚不可知，3个红球的投注未计奖。");
}

Result<PrizeRules::Fortune> fortuneOf(QSqlDatabase db, const QString &drawNumber, const PrizeRules::FortunePeriods &periods)
{
    const Result<std::vector<PrizeRules::Fortune>> states = PrizeRules::storedFortunes(db, {drawNumber}, periods);
    return {states.ok() ? states.value.front() : PrizeRules::Fortune::Unknown, states.outcome};
}

Result<DrawBalls> findDraw(QSqlDatabase db, const QString &qishu)
{
    Result<DrawBalls> draw;
    Query::Rows rows = Query::run(db, {QStringLiteral("select * from data where qishu=?"), {qishu}});
    draw.outcome = rows.outcome;
    if (!rows.ok())
        return draw;
    if (!rows.query.next()) {
        draw.outcome = Outcome::refused(kNotEntered);
        return draw;
    }
    for (int i = 0; i < Game::kRedsPerBet; ++i)
        draw.value.reds[i] = StatsQuery::wholeNumber(rows.query.value(QStringLiteral("c%1").arg(i + 1)));
    draw.value.blue = StatsQuery::wholeNumber(rows.query.value(QStringLiteral("c7")));
    return draw;
}

std::optional<int> wholeNumber(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^ *([+-]?[0-9]+)$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int n = m.captured(1).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

namespace {

int redHits(const std::array<int, 6> &ticket, const DrawBalls &draw)
{
    int hits = 0;
    for (int n : ticket)
        hits += std::count(draw.reds.begin(), draw.reds.end(), n) > 0 ? 1 : 0;
    return hits;
}

} // namespace

SingleCheck checkSingle(QSqlDatabase db, const QString &qishu, const QStringList &redFields, const QString &blueField,
                        const PrizeRules::FortunePeriods &periods)
{
    SingleCheck result;
    for (int i = 0; i < 6; ++i) {
        if (redFields.value(i).isEmpty()) {
            result.outcome = Outcome::refused(
                QStringLiteral("请输入您购买的第%1位红球号码！").arg(QString::fromUtf8(kPositions[i])));
            return result;
        }
    }
    if (blueField.isEmpty()) {
        result.outcome = Outcome::refused(QStringLiteral("请输入您购买的蓝球号码！"));
        return result;
    }
    const Result<DrawBalls> found = findDraw(db, qishu);
    result.outcome = found.outcome;
    if (!found.ok())
        return result;
    const DrawBalls &draw = found.value;

    // The fields are put in text order and shown so, whatever follows.
    QStringList sorted = redFields.mid(0, 6);
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 6; ++j)
            if (sorted[i] > sorted[j])
                sorted.swapItemsAt(i, j);
    result.sortedReds = sorted;

    std::array<int, 6> reds{};
    for (int i = 0; i < 6; ++i) {
        const std::optional<int> n = wholeNumber(sorted[i]);
        if (!n) {
            result.outcome = Outcome::refused(notWholeNumber(
                QStringLiteral("第%1位红球号码").arg(QString::fromUtf8(kPositions[i])), sorted[i]));
            return result;
        }
        reds[i] = *n;
    }
    // Duplicates by value: 7 and 07 are the same ball, though text order keeps them apart.
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 6; ++j)
            if (reds[i] == reds[j]) {
                result.outcome = Outcome::refused(kDuplicate);
                return result;
            }
    const std::optional<int> blue = wholeNumber(blueField);
    if (!blue) {
        result.outcome = Outcome::refused(notWholeNumber(QStringLiteral("蓝球号码"), blueField));
        return result;
    }
    // The blue by value too, so a blue typed as 7 hits the stored 07.
    const int hits = redHits(reds, draw);
    const bool blueHit = *blue == draw.blue;
    const Result<PrizeRules::Fortune> fortune = fortuneOf(db, qishu, periods);
    if (!fortune.ok()) {
        result.outcome = fortune.outcome;
        return result;
    }
    result.result = PrizeRules::dependsOnFortune(hits, blueHit) && fortune.value == PrizeRules::Fortune::Unknown
                        ? fortuneUnknownText()
                        : singleResultText(PrizeRules::gradeFor(hits, blueHit, fortune.value == PrizeRules::Fortune::InForce));
    result.outcome = Outcome::success();
    return result;
}

QStringList ListCheck::prizeMessages() const
{
    QStringList out;
    for (int i = 0; i < PrizeRules::kGrades; ++i)
        if (counts[i] > 0)
            out << QStringLiteral("恭喜您买中了 %1 注%2！").arg(counts[i]).arg(PrizeRules::gradeName(i + 1));
    return out;
}

QString ListCheck::fortuneUnknownMessage() const
{
    if (fortuneUnknown <= 0)
        return QString();
    return fortuneUnknownText() + QStringLiteral("\n3个红球的投注共 %1 注。").arg(fortuneUnknown);
}

QStringList listLines(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineEnd);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

namespace {

// Reads one list line into seven numbers (0 where none was given). Spaces separate
// numbers; anything after the seventh is ignored.
Outcome readLine(const QString &line, int lineNumber, std::array<int, 7> &numbers)
{
    numbers.fill(0);
    int position = 0;
    QString token;
    auto store = [&]() -> Outcome {
        const std::optional<int> n = wholeNumber(token);
        if (!n)
            return Outcome::refused(notWholeNumber(QStringLiteral("第%1行的").arg(lineNumber), token));
        if (*n > 33)
            return Outcome::refused(EntryTexts::redAbove33);
        numbers[position++] = *n;
        token.clear();
        return Outcome::success();
    };
    for (const QChar ch : line) {
        if (position >= 7)
            break;
        if (ch != QLatin1Char(' ')) {
            token += ch;
        } else if (!token.isEmpty()) {
            const Outcome stored = store();
            if (!stored.ok())
                return stored;
        }
    }
    if (position < 7 && !token.isEmpty())
        return store();
    return Outcome::success();
}

// The draw QISHU a list is checked against, or in result the refusal that ends the check
// before a bet is read: nothing to check, or no such draw.
std::optional<DrawBalls> drawToCheck(QSqlDatabase db, const QString &qishu, bool listEmpty, ListCheck &result)
{
    if (listEmpty) {
        result.outcome = Outcome::refused(kNothingTyped);
        return std::nullopt;
    }
    Result<DrawBalls> found = findDraw(db, qishu);
    result.outcome = found.outcome;
    if (!found.ok())
        return std::nullopt;
    return std::move(found.value);
}

// The grades of TALLY in the draw QISHU; failed, with no prize, when the history cannot tell
// the draw's 福运奖.
ListCheck graded(QSqlDatabase db, const QString &qishu, const PrizeRules::HitTally &tally,
                 const PrizeRules::FortunePeriods &periods)
{
    ListCheck result;
    const Result<PrizeRules::Fortune> fortune = fortuneOf(db, qishu, periods);
    result.outcome = fortune.outcome;
    if (!fortune.ok())
        return result;
    const PrizeRules::Graded graded = PrizeRules::grade(tally, fortune.value);
    result.counts = graded.counts;
    result.fortuneUnknown = graded.fortuneUnknown;
    return result;
}

} // namespace

ListCheck checkList(QSqlDatabase db, const QString &qishu, const QString &text, const PrizeRules::FortunePeriods &periods)
{
    ListCheck result;
    const std::optional<DrawBalls> checked = drawToCheck(db, qishu, text.isEmpty(), result);
    if (!checked)
        return result;
    const DrawBalls &draw = *checked;
    const QStringList lines = listLines(text);
    PrizeRules::HitTally tally;
    for (int l = 0; l < lines.size(); ++l) {
        std::array<int, 7> numbers;
        const Outcome read = readLine(lines[l], l + 1, numbers);
        if (!read.ok() || numbers[6] > 16) {
            result.outcome = read.ok() ? Outcome::refused(EntryTexts::blueAbove16) : read;
            return result;
        }
        std::array<int, 6> reds;
        std::copy(numbers.begin(), numbers.begin() + 6, reds.begin());
        std::sort(reds.begin(), reds.end());
        if (std::adjacent_find(reds.begin(), reds.end()) != reds.end()) {
            result.outcome = Outcome::refused(kDuplicate);
            return result;
        }
        ++tally.at(redHits(reds, draw), numbers[6] == draw.blue);
    }
    return graded(db, qishu, tally, periods);
}

PrizeRules::HitTally tallyHits(const BetList &bets, const DrawBalls &draw)
{
    // A byte per ball saying whether it was drawn, and a count per (hits, blue hit) pair whose
    // grades follow after the count: the loop itself only adds.
    std::array<std::uint8_t, 256> drawn{};
    for (int n : draw.reds)
        if (n >= 0 && n < 256)
            drawn[std::size_t(n)] = 1;
    using Tally = std::array<qint64, 14>;
    const Parallel::Split split(bets.size());
    std::vector<Tally> tallies(split.blocks(), Tally{});
    split.run({}, [&](std::size_t block, Parallel::BlockTicker &) {
        Tally &tally = tallies[block];
        for (std::size_t i = split.begin(block); i < split.end(block); ++i) {
            const Bet &b = bets[i];
            const int hits = drawn[b.red[0]] + drawn[b.red[1]] + drawn[b.red[2]] + drawn[b.red[3]] + drawn[b.red[4]]
                             + drawn[b.red[5]];
            ++tally[std::size_t(hits * 2 + (b.blue == draw.blue ? 1 : 0))];
        }
        return true;
    });
    PrizeRules::HitTally hitTally;
    for (const Tally &tally : tallies)
        for (int hits = 0; hits <= 6; ++hits)
            for (int blue = 0; blue <= 1; ++blue)
                hitTally.at(hits, blue == 1) += tally[std::size_t(hits * 2 + blue)];
    return hitTally;
}

ListCheck checkBets(QSqlDatabase db, const QString &qishu, const BetList &bets, const PrizeRules::FortunePeriods &periods)
{
    ListCheck result;
    const std::optional<DrawBalls> checked = drawToCheck(db, qishu, bets.empty(), result);
    if (!checked)
        return result;
    return graded(db, qishu, tallyHits(bets, *checked), periods);
}

} // namespace PrizeCheck

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

int prizeFor(int redHits, bool blueHit)
{
    return Game::prizeFor(redHits, blueHit);
}

QString noPrizeText()
{
    return QStringLiteral("很抱歉，您暂时还未中奖，还需继续努力！");
}

QString singleResultText(int prize)
{
    if (prize < 1 || prize > Game::kPrizeLevels)
        return noPrizeText();
    return QStringLiteral("恭喜您买中了%1等奖！").arg(QString::fromUtf8(kPositions[prize - 1]));
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

SingleCheck checkSingle(QSqlDatabase db, const QString &qishu, const QStringList &redFields, const QString &blueField)
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
    result.result = singleResultText(prizeFor(redHits(reds, draw), *blue == draw.blue));
    result.outcome = Outcome::success();
    return result;
}

QStringList ListCheck::prizeMessages() const
{
    QStringList out;
    for (int i = 0; i < 6; ++i)
        if (counts[i] > 0)
            out << QStringLiteral("恭喜您买中了 %1 注%2等奖！").arg(counts[i]).arg(QString::fromUtf8(kPositions[i]));
    return out;
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

} // namespace

ListCheck checkList(QSqlDatabase db, const QString &qishu, const QString &text)
{
    ListCheck result;
    const std::optional<DrawBalls> checked = drawToCheck(db, qishu, text.isEmpty(), result);
    if (!checked)
        return result;
    const DrawBalls &draw = *checked;
    const QStringList lines = listLines(text);
    for (int l = 0; l < lines.size(); ++l) {
        std::array<int, 7> numbers;
        const Outcome read = readLine(lines[l], l + 1, numbers);
        if (!read.ok() || numbers[6] > 16) {
            result.outcome = read.ok() ? Outcome::refused(EntryTexts::blueAbove16) : read;
            result.counts.fill(0);
            return result;
        }
        std::array<int, 6> reds;
        std::copy(numbers.begin(), numbers.begin() + 6, reds.begin());
        std::sort(reds.begin(), reds.end());
        if (std::adjacent_find(reds.begin(), reds.end()) != reds.end()) {
            result.outcome = Outcome::refused(kDuplicate);
            result.counts.fill(0);
            return result;
        }
        const int prize = prizeFor(redHits(reds, draw), numbers[6] == draw.blue);
        if (prize > 0)
            ++result.counts[prize - 1];
    }
    result.outcome = Outcome::success();
    return result;
}

PrizeCounts countPrizes(const BetList &bets, const DrawBalls &draw)
{
    // A byte per ball saying whether it was drawn, and the prize of every (hits, blue hit)
    // pair looked up once after the count: the loop itself only adds.
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
    PrizeCounts counts{};
    for (const Tally &tally : tallies)
        for (int hits = 0; hits <= 6; ++hits)
            for (int blue = 0; blue <= 1; ++blue)
                if (const int prize = prizeFor(hits, blue == 1))
                    counts[prize - 1] += tally[hits * 2 + blue];
    return counts;
}

ListCheck checkBets(QSqlDatabase db, const QString &qishu, const BetList &bets)
{
    ListCheck result;
    const std::optional<DrawBalls> checked = drawToCheck(db, qishu, bets.empty(), result);
    if (!checked)
        return result;
    result.counts = countPrizes(bets, *checked);
    result.outcome = Outcome::success();
    return result;
}

} // namespace PrizeCheck

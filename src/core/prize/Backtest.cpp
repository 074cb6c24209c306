#include "core/prize/Backtest.h"

#include "core/Parallel.h"
#include "core/history/DrawDatabase.h"
#include "core/history/Query.h"
#include "core/prize/RedSetIndex.h"
#include "core/stats/StatsQuery.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace Backtest {

namespace {

using PrizeCheck::DrawBalls;
using PrizeRules::HitTally;

// Below this many bets one pass per draw is cheaper than building the index.
constexpr std::size_t kIndexFrom = 200000;

// The sets of six reds that share h >= 3 of a draw's reds: 20 * C(27,3) + 15 * C(27,2) + 6 * 27 + 1.
constexpr qint64 kSetsPerDraw = 63928;

// The rules give every red count below three the same grade, with 福运奖 or without, so the
// bets with fewer hits are counted together, as whatever is left of their blue, in row 2.
static_assert(PrizeRules::gradeFor(0, true, true) == PrizeRules::gradeFor(2, true, true)
              && PrizeRules::gradeFor(1, true, true) == PrizeRules::gradeFor(2, true, true)
              && PrizeRules::gradeFor(0, false, true) == 0 && PrizeRules::gradeFor(1, false, true) == 0
              && PrizeRules::gradeFor(2, false, true) == 0 && !PrizeRules::dependsOnFortune(2, true));

// The masks of every K-subset of the balls in POOL.
std::vector<std::uint64_t> subsets(const std::vector<int> &pool, int k)
{
    std::vector<std::uint64_t> out;
    std::vector<int> pick(static_cast<std::size_t>(k));
    for (int i = 0; i < k; ++i)
        pick[std::size_t(i)] = i;
    const int n = int(pool.size());
    if (k > n)
        return out;
    for (;;) {
        std::uint64_t mask = 0;
        for (int i : pick)
            mask |= std::uint64_t(1) << pool[std::size_t(i)];
        out.push_back(mask);
        int i = k - 1;
        while (i >= 0 && pick[std::size_t(i)] == n - k + i)
            --i;
        if (i < 0)
            return out;
        ++pick[std::size_t(i)];
        for (int j = i + 1; j < k; ++j)
            pick[std::size_t(j)] = pick[std::size_t(j - 1)] + 1;
    }
}

HitTally countDraw(const RedSetIndex &index, const DrawBalls &draw)
{
    std::vector<int> drawn, others;
    std::uint64_t drawnMask = 0;
    for (int r : draw.reds)
        drawnMask |= std::uint64_t(1) << (r - 1);
    for (int ball = 0; ball < Game::kRedBalls; ++ball)
        (drawnMask >> ball & 1 ? drawn : others).push_back(ball);

    std::uint64_t all[Game::kRedsPerBet + 1]{};
    std::uint64_t blue[Game::kRedsPerBet + 1]{};
    for (int hits = 3; hits <= Game::kRedsPerBet; ++hits) {
        const std::vector<std::uint64_t> inside = subsets(drawn, hits);
        const std::vector<std::uint64_t> outside = subsets(others, Game::kRedsPerBet - hits);
        for (std::uint64_t in : inside)
            for (std::uint64_t out : outside) {
                const std::uint32_t set = RedSetIndex::rankOfMask(in | out);
                all[hits] += index.all(set);
                blue[hits] += index.withBlue(draw.blue, set);
            }
    }
    HitTally tally;
    std::uint64_t blueWithThreeOrMore = 0;
    for (int hits = 3; hits <= Game::kRedsPerBet; ++hits) {
        tally.at(hits, true) = qint64(blue[hits]);
        tally.at(hits, false) = qint64(all[hits] - blue[hits]);
        blueWithThreeOrMore += blue[hits];
    }
    tally.at(2, true) = qint64(index.blueTotal(draw.blue) - blueWithThreeOrMore);
    return tally;
}

// Six distinct reds 1..33 and a blue 1..16, as every stored draw is.
bool drawIsSet(const DrawBalls &draw)
{
    if (draw.blue < 1 || draw.blue > Game::kBlueBalls)
        return false;
    std::uint64_t mask = 0;
    for (int r : draw.reds) {
        if (r < 1 || r > Game::kRedBalls)
            return false;
        mask |= std::uint64_t(1) << (r - 1);
    }
    return __builtin_popcountll(mask) == Game::kRedsPerBet;
}

} // namespace

std::optional<std::vector<HitTally>> countBetByBet(const BetList &bets, const std::vector<DrawBalls> &draws,
                                                   const ProgressFn &progress)
{
    // Blocks of draws on the threads, each draw's count written to its own place.
    ProgressTicker ticker(progress, qint64(draws.size()) * qint64(bets.size()));
    std::vector<HitTally> counts(draws.size());
    const Parallel::Split split(draws.size(), 1, 1, 1);
    const bool finished = split.run([&](qint64 done) { return ticker.tick(done * qint64(bets.size())); },
                                    [&](std::size_t block, Parallel::BlockTicker &blockTicker) {
        for (std::size_t d = split.begin(block); d < split.end(block); ++d) {
            if (!blockTicker.tick(d))
                return false;
            counts[d] = PrizeCheck::tallyHits(bets, draws[d]);
        }
        return true;
    });
    if (!finished || !ticker.finish())
        return std::nullopt;
    return counts;
}

std::optional<std::vector<HitTally>> countOverDraws(const BetList &bets, const std::vector<DrawBalls> &draws,
                                                    const ProgressFn &progress)
{
    bool allSets = true;
    for (const DrawBalls &draw : draws)
        allSets = allSets && drawIsSet(draw);
    if (bets.size() < kIndexFrom || draws.size() < 2 || !allSets)
        return countBetByBet(bets, draws, progress);

    const qint64 buildWork = qint64(bets.size());
    ProgressTicker ticker(progress, buildWork + qint64(draws.size()) * kSetsPerDraw);
    RedSetIndex index;
    switch (index.build(bets, ticker)) {
    case RedSetIndex::Built::Cancelled:
        return std::nullopt;
    case RedSetIndex::Built::NotRedSets:
        return countBetByBet(bets, draws, progress);
    case RedSetIndex::Built::Done:
        break;
    }
    // Draws of one blue read one plane of the index; taken together, it stays in the cache.
    std::vector<std::size_t> order(draws.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return draws[a].blue < draws[b].blue; });
    // Blocks of that order on the threads, each draw's count written to its own place.
    std::vector<HitTally> counts(draws.size());
    const Parallel::Split split(order.size(), 1, 1, 1);
    const bool finished = split.run([&](qint64 done) { return ticker.tick(buildWork + done * kSetsPerDraw); },
                                    [&](std::size_t block, Parallel::BlockTicker &blockTicker) {
        for (std::size_t done = split.begin(block); done < split.end(block); ++done) {
            if (!blockTicker.tick(done))
                return false;
            counts[order[done]] = countDraw(index, draws[order[done]]);
        }
        return true;
    });
    if (!finished || !ticker.finish())
        return std::nullopt;
    return counts;
}

Result<std::vector<PlayedDraw>> drawsInRange(QSqlDatabase db, const QString &from, const QString &to)
{
    Result<std::vector<PlayedDraw>> result;
    Query::Rows rows = Query::run(
        db, {QStringLiteral("select data.qishu, data.c1, data.c2, data.c3, data.c4, data.c5, data.c6, data.c7, "
                            "gonggao.jiangjin1, gonggao.jiangjin2 from data left join gonggao on gonggao.qishu = data.qishu "
                            "where data.qishu >= ? and data.qishu <= ? order by data.qishu"),
             {from, to}});
    result.outcome = rows.outcome;
    if (!rows.ok())
        return result;
    while (rows.query.next()) {
        PlayedDraw draw;
        draw.qishu = rows.query.value(QStringLiteral("qishu")).toString();
        for (int i = 0; i < Game::kRedsPerBet; ++i)
            draw.balls.reds[std::size_t(i)] = StatsQuery::wholeNumber(rows.query.value(QStringLiteral("c%1").arg(i + 1)));
        draw.balls.blue = StatsQuery::wholeNumber(rows.query.value(QStringLiteral("c7")));
        for (int level = 0; level < 2; ++level) {
            const QVariant money = rows.query.value(QStringLiteral("jiangjin%1").arg(level + 1));
            draw.floatingYuan[std::size_t(level)] = money.isNull() ? 0 : std::max<qint64>(0, money.toLongLong());
        }
        result.value.push_back(draw);
    }
    return result;
}

Outcome withFortunes(QSqlDatabase db, std::vector<PlayedDraw> &draws, const PrizeRules::FortunePeriods &periods)
{
    QStringList numbers;
    numbers.reserve(qsizetype(draws.size()));
    for (const PlayedDraw &d : draws)
        numbers << d.qishu;
    const Result<std::vector<PrizeRules::Fortune>> states = PrizeRules::storedFortunes(db, numbers, periods);
    if (states.ok())
        for (std::size_t d = 0; d < draws.size(); ++d)
            draws[d].fortune = states.value[d];
    return states.outcome;
}

DrawReturn returnOf(const PrizeRules::Graded &graded, qint64 bets, std::array<qint64, 2> floatingYuan)
{
    DrawReturn r;
    r.costYuan = bets * Game::kBetPriceYuan;
    for (int grade = PrizeRules::FirstGrade; grade <= PrizeRules::kGrades; ++grade) {
        const qint64 won = graded.counts[std::size_t(grade - 1)];
        const qint64 perBet = PrizeRules::isFloating(grade) ? floatingYuan[std::size_t(grade - 1)]
                                                            : PrizeRules::kFixedYuan[grade - 1];
        if (won > 0 && perBet == 0)
            r.floatingUnknown = true;
        r.wonYuan += won * perBet;
    }
    r.fortuneUnknown = graded.fortuneUnknown > 0;
    return r;
}

double Report::returnRatio() const
{
    return total.costYuan > 0 ? double(total.wonYuan) / double(total.costYuan) : 0.0;
}

Report playRange(QSqlDatabase db, const QString &from, const QString &to, const BetList &bets,
                 const PrizeRules::FortunePeriods &periods, const ProgressFn &progress)
{
    Report report;
    report.bets = qint64(bets.size());
    Result<std::vector<PlayedDraw>> draws = drawsInRange(db, from, to);
    if (draws.ok())
        draws.outcome = withFortunes(db, draws.value, periods);
    report.outcome = draws.outcome;
    if (!draws.ok())
        return report;
    std::vector<DrawBalls> balls;
    balls.reserve(draws.value.size());
    for (const PlayedDraw &d : draws.value)
        balls.push_back(d.balls);
    const std::optional<std::vector<HitTally>> tallies = countOverDraws(bets, balls, progress);
    if (!tallies) {
        report.outcome = Outcome::cancelled();
        return report;
    }
    report.rows.reserve(draws.value.size());
    for (std::size_t d = 0; d < draws.value.size(); ++d) {
        const PlayedDraw &draw = draws.value[d];
        const PrizeRules::Graded graded = PrizeRules::grade((*tallies)[d], draw.fortune);
        PlayedRow row{draw, graded.counts, graded.fortuneUnknown, returnOf(graded, report.bets, draw.floatingYuan)};
        for (std::size_t grade = 0; grade < row.counts.size(); ++grade)
            report.totalCounts[grade] += row.counts[grade];
        report.totalFortuneUnknown += row.fortuneUnknown;
        report.total.wonYuan += row.money.wonYuan;
        report.total.costYuan += row.money.costYuan;
        report.total.floatingUnknown = report.total.floatingUnknown || row.money.floatingUnknown;
        report.total.fortuneUnknown = report.total.fortuneUnknown || row.money.fortuneUnknown;
        report.rows.push_back(std::move(row));
    }
    return report;
}

Report playRangeAt(const QString &historyDir, const QString &from, const QString &to, const BetList &bets,
                   const PrizeRules::FortunePeriods &periods, const ProgressFn &progress)
{
    return onHistoryAt<Report>(historyDir,
                               [&](QSqlDatabase db) { return playRange(db, from, to, bets, periods, progress); });
}

} // namespace Backtest

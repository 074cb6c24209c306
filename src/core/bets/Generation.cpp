#include "core/bets/Generation.h"

#include "core/Game.h"
#include "core/Parallel.h"
#include "core/bets/Combinatorics.h"
#include "core/bets/Guarantee.h"

#include <array>

namespace {

// The k-subset of 0..n-1 at place rank of the lexicographic order, as an ascending tuple.
std::array<int, 6> combinationAt(int n, int k, std::uint64_t rank)
{
    std::array<int, 6> idx{};
    int next = 0;
    for (int i = 0; i < k; ++i)
        for (;; ++next) {
            const std::uint64_t starting = binomial(n - 1 - next, k - 1 - i); // subsets with idx[i] == next
            if (rank < starting) {
                idx[i] = next++;
                break;
            }
            rank -= starting;
        }
    return idx;
}

// Calls visit(idx) for count k-subsets of 0..n-1 as ascending index tuples, in lexicographic
// order from the one at place first. Stops early, returning false, when visit does.
template <typename Visit>
bool forEachCombination(int n, int k, std::uint64_t first, std::uint64_t count, Visit visit)
{
    if (k > n || k < 0 || count == 0)
        return true;
    std::array<int, 6> idx = combinationAt(n, k, first);
    for (std::uint64_t done = 1;; ++done) {
        if (!visit(idx))
            return false;
        if (done == count)
            return true;
        int i = k - 1;
        while (i >= 0 && idx[i] == n - k + i)
            --i;
        if (i < 0)
            return true;
        ++idx[i];
        for (int j = i + 1; j < k; ++j)
            idx[j] = idx[j - 1] + 1;
    }
}

template <typename Visit>
bool forEachCombination(int n, int k, Visit visit)
{
    return forEachCombination(n, k, 0, binomial(n, k), visit);
}

// Every k-subset of 0..n-1 in lexicographic order, each as a bet (setReds fills its reds) with
// every blue in turn. The subsets are split in blocks over the threads, each block writing its
// own part of the list. Empty when cancelled.
template <typename SetReds>
GenerationResult allCombinations(int n, int k, const std::vector<int> &blues, const ProgressFn &progress,
                                 SetReds setReds)
{
    const std::size_t combos = std::size_t(binomial(n, k));
    GenerationResult result;
    result.bets.resize(combos * blues.size());
    Bet *out = result.bets.data();
    ProgressTicker ticker(progress, qint64(combos));
    const Parallel::Split split(combos);
    const bool finished = split.run([&](qint64 done) { return ticker.tick(done); },
                                    [&](std::size_t block, Parallel::BlockTicker &blockTicker) {
        std::size_t c = split.begin(block);
        return forEachCombination(n, k, c, split.end(block) - c, [&](const std::array<int, 6> &idx) {
            if (!blockTicker.tick(c))
                return false;
            Bet bet{};
            setReds(idx, bet);
            Bet *row = out + c++ * blues.size();
            for (int b : blues) {
                bet.blue = std::uint8_t(b);
                *row++ = bet;
            }
            return true;
        });
    });
    if (!finished || !ticker.finish())
        return GenerationResult::cancelled();
    return result;
}

} // namespace

GenerationResult generateAllCombinations(const std::vector<int> &reds, const std::vector<int> &blues,
                                         int guaranteeN, const ProgressFn &progress)
{
    const int n = int(reds.size());
    const qint64 combos = qint64(binomial(n, 6));
    if (combos == 0 || blues.empty())
        return {};
    auto setReds = [&reds](const std::array<int, 6> &idx, Bet &bet) {
        for (int i = 0; i < 6; ++i)
            bet.red[i] = std::uint8_t(reds[idx[i]]);
    };
    const bool guarded = guaranteeN >= 2 && guaranteeN <= 5;
    if (!guarded)
        return allCombinations(n, 6, blues, progress, setReds);

    // The keep-first rule is sequential. The blue loop is innermost and every blue sees the same
    // red rows in the same order, so the verdict on a red row is the same for all blues: decide
    // it once per row.
    GenerationResult result;
    BetList &out = result.bets;
    ProgressTicker ticker(progress, combos);
    qint64 done = 0;
    GuaranteeIndex index(guaranteeN);
    const bool finished = forEachCombination(n, 6, [&](const std::array<int, 6> &idx) {
        if (!ticker.tick(done++))
            return false;
        Bet bet{};
        setReds(idx, bet);
        if (!index.tryKeep(bet))
            return true;
        for (int b : blues) {
            bet.blue = std::uint8_t(b);
            out.push_back(bet);
        }
        return true;
    });
    if (!finished || !ticker.finish())
        return GenerationResult::cancelled();
    out.shrink_to_fit();
    return result;
}

GenerationResult generateBankerDrag(const QString &bankerText, const std::vector<int> &reds,
                                    const std::vector<int> &blues, const ProgressFn &progress)
{
    GenerationResult result;
    const int length = int(bankerText.size());
    if (length < 2) {
        result.outcome = Outcome::refused(kNoBankerMessage);
        return result;
    }
    // Only whole "NN " groups of one to five bankers make bets; anything longer makes none.
    if (length % 3 != 0 || length > 15)
        return result;
    const int k = length / 3;
    std::vector<int> bankers;
    for (int j = 0; j < k; ++j) {
        bool ok = false;
        const int ball = bankerText.mid(3 * j, 2).toInt(&ok);
        bool repeated = false;
        for (int b : bankers)
            repeated = repeated || b == ball;
        if (!ok || ball < 1 || ball > Game::kRedBalls || repeated) {
            result.outcome = Outcome::refused(kBadBankerMessage);
            return result;
        }
        bankers.push_back(ball);
    }
    std::vector<int> drags;
    for (int r : reds) {
        bool isBanker = false;
        for (int b : bankers)
            isBanker = isBanker || b == r;
        if (!isBanker)
            drags.push_back(r);
    }
    const int take = 6 - k;
    const qint64 combos = qint64(binomial(int(drags.size()), take));
    if (combos == 0 || blues.empty())
        return result;
    return allCombinations(int(drags.size()), take, blues, progress, [&](const std::array<int, 6> &idx, Bet &bet) {
        for (int i = 0; i < take; ++i)
            bet.red[i] = std::uint8_t(drags[idx[i]]);
        for (int j = 0; j < k; ++j)
            bet.red[take + j] = std::uint8_t(bankers[j]);
    });
}

GenerationResult generateFromWheel(const std::vector<WheelRow> &rows, const std::vector<int> &reds,
                                   const std::vector<int> &blues, const ProgressFn &progress)
{
    GenerationResult result;
    const int n = int(reds.size());
    // The reader checks the positions too; never index outside the candidates whatever it let through.
    for (const WheelRow &row : rows)
        for (std::uint8_t p : row)
            if (p < 1 || p > n) {
                result.outcome = Outcome::refused(kBadWheelRowMessage);
                return result;
            }
    const qint64 total = qint64(rows.size()) * qint64(blues.size());
    result.bets.reserve(std::size_t(total));
    ProgressTicker ticker(progress, total);
    qint64 done = 0;
    for (int b : blues)
        for (const WheelRow &row : rows) {
            if (!ticker.tick(done++))
                return GenerationResult::cancelled();
            Bet bet{};
            for (int i = 0; i < 6; ++i)
                bet.red[i] = std::uint8_t(reds[row[i] - 1]);
            bet.blue = std::uint8_t(b);
            result.bets.push_back(bet);
        }
    if (!ticker.finish())
        return GenerationResult::cancelled();
    return result;
}

GenerationResult generateBets(const GenerationRequest &request, const Candidates &candidates,
                              const ProgressFn &progress)
{
    switch (request.method) {
    case BetMethod::AllCombinations:
        return generateAllCombinations(candidates.reds, candidates.blues, request.guaranteeN, progress);
    case BetMethod::BankerDrag:
        return generateBankerDrag(request.bankerText, candidates.reds, candidates.blues, progress);
    case BetMethod::Wheel: {
        // The file is read even without a blue candidate; its refusal is the generation's.
        const WheelMatrix matrix =
            readWheelMatrix(request.programDir, request.wheelTypeIndex, int(candidates.reds.size()));
        if (!matrix.outcome.ok())
            return {matrix.outcome, {}};
        return generateFromWheel(matrix.rows, candidates.reds, candidates.blues, progress);
    }
    }
    return {};
}

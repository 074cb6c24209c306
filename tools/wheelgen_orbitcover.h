#pragma once
// Wheels as unions of whole orbits, chosen from all orbits at once. Under a group G a
// wheel that G keeps reaches an X-subset exactly when it reaches every image of it, so
// the problem shrinks to a set cover: the elements are the orbits of X-subsets, the
// sets are the orbits of 6-subsets (each reaches at most C(6,X) orbits of X-subsets),
// and a set costs the rows of its orbit. With a group of order a few dozen to a few
// hundred that cover has a few hundred to a few thousand elements, small enough for a
// weighting local search over every orbit rather than over moves of base rows.
#include "wheelgen_orbits.h"

#include <limits>

namespace wheelgen {

class OrbitCover {
public:
    OrbitCover(const Problem &p, const PermGroup &g) : p_(p)
    {
        // Orbits of X-subsets, numbered in rank order of their first member.
        std::vector<std::int32_t> elementOf(p.subsets(), -1);
        forSubsets(p.all(), p.x, 0, [&](Mask s) {
            if (elementOf[rankOf(s)] >= 0)
                return;
            for (std::size_t e = 0; e < g.order(); ++e)
                elementOf[rankOf(g.apply(e, s))] = elements_;
            ++elements_;
        });
        // Orbits of rows: a representative, its size and the elements it reaches.
        std::vector<bool> seen(binomial(p.n, 6), false);
        forSubsets(p.all(), 6, 0, [&](Mask row) {
            if (seen[rankOf(row)])
                return;
            std::vector<Mask> images = orbitOf(g, row);
            for (Mask r : images)
                seen[rankOf(r)] = true;
            Set s{row, std::uint32_t(images.size()), {}};
            p.forReached(row, [&](Mask x) { s.reach.push_back(std::uint32_t(elementOf[rankOf(x)])); });
            std::sort(s.reach.begin(), s.reach.end());
            s.reach.erase(std::unique(s.reach.begin(), s.reach.end()), s.reach.end());
            sets_.push_back(std::move(s));
        });
        within_.resize(std::size_t(elements_));
        for (std::uint32_t i = 0; i < sets_.size(); ++i)
            for (std::uint32_t e : sets_[i].reach)
                within_[e].push_back(i);
    }

    std::size_t elementCount() const { return std::size_t(elements_); }
    std::size_t setCount() const { return sets_.size(); }

    // Searches for `seconds`: a greedy cover first, then, holding the rows below the
    // smallest cover so far (or at most `aim` once one that small is found), each step
    // adds the orbit with the most weight per row among those reaching a random
    // unreached element and drops the orbits whose loss per row is least until the rows
    // fit again; every unreached element then weighs one more. Returns the smallest
    // cover's representatives, or, when none fits `aim`, the state with the fewest rows'
    // worth of unreached X-subsets, with `complete` saying which.
    std::vector<Mask> search(long aim, double seconds, std::mt19937_64 &rng, bool &complete, bool verbose)
    {
        const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
        count_.assign(std::size_t(elements_), 0);
        weight_.assign(std::size_t(elements_), 1);
        in_.assign(sets_.size(), false);
        tabuUntil_.assign(sets_.size(), 0);
        open_.clear();
        where_.assign(std::size_t(elements_), -1);
        for (std::uint32_t e = 0; e < std::uint32_t(elements_); ++e)
            openElement(e);
        chosen_.clear();
        rows_ = 0;
        // Greedy start: the most new elements per row, through a random open element.
        while (!open_.empty()) {
            const std::uint32_t e = open_[rng() % open_.size()];
            add(bestToAdd(e, 0, rng));
        }
        std::vector<std::uint32_t> best = chosen_;
        long bestRows = rows_;
        std::vector<std::uint32_t> nearest;
        std::size_t nearestOpen = std::numeric_limits<std::size_t>::max();
        if (verbose)
            std::printf("    orbit cover: %d elements, %zu orbits, greedy %ld rows\n", elements_, sets_.size(), rows_);
        long limit = bestRows - 1;
        if (aim > 0 && aim < limit)
            limit = aim;
        for (long step = 1;; ++step) {
            if (open_.empty()) {
                if (rows_ < bestRows) {
                    best = chosen_;
                    bestRows = rows_;
                    if (verbose) {
                        std::printf("    orbit cover: %ld rows after %ld steps\n", rows_, step);
                        std::fflush(stdout);
                    }
                }
                if (aim > 0 && bestRows <= aim)
                    break;
                limit = std::min(limit, bestRows - 1);
            }
            if ((step & 63) == 0 && Clock::now() > deadline)
                break;
            while (rows_ > limit && !chosen_.empty())
                drop(bestToDrop(std::numeric_limits<std::uint32_t>::max(), rng), step);
            if (open_.empty())
                continue;
            if (open_.size() < nearestOpen && (aim <= 0 || bestRows > aim)) {
                nearestOpen = open_.size();
                nearest = chosen_;
            }
            const std::uint32_t e = open_[rng() % open_.size()];
            const std::uint32_t a = bestToAdd(e, step, rng);
            add(a);
            while (rows_ > limit)
                drop(bestToDrop(a, rng), step);
            for (std::uint32_t o : open_)
                ++weight_[o];
        }
        complete = aim <= 0 || bestRows <= aim;
        if (verbose && !complete)
            std::printf("    orbit cover: at most %ld rows leave %zu orbits of X-subsets unreached at best\n", limit, nearestOpen);
        std::vector<Mask> out;
        for (std::uint32_t i : complete ? best : nearest)
            out.push_back(sets_[i].rep);
        return out;
    }

private:
    struct Set {
        Mask rep;
        std::uint32_t size;
        std::vector<std::uint32_t> reach;
    };

    void openElement(std::uint32_t e)
    {
        where_[e] = std::int32_t(open_.size());
        open_.push_back(e);
    }
    void closeElement(std::uint32_t e)
    {
        const std::int32_t at = where_[e];
        open_[std::size_t(at)] = open_.back();
        where_[open_.back()] = at;
        open_.pop_back();
        where_[e] = -1;
    }
    void add(std::uint32_t i)
    {
        in_[i] = true;
        chosen_.push_back(i);
        rows_ += sets_[i].size;
        for (std::uint32_t e : sets_[i].reach)
            if (count_[e]++ == 0)
                closeElement(e);
    }
    void drop(std::uint32_t i, long step)
    {
        in_[i] = false;
        *std::find(chosen_.begin(), chosen_.end(), i) = chosen_.back();
        chosen_.pop_back();
        rows_ -= sets_[i].size;
        tabuUntil_[i] = step + 2;
        for (std::uint32_t e : sets_[i].reach)
            if (--count_[e] == 0)
                openElement(e);
    }
    // Among the orbits reaching e that are not just dropped, the one whose newly
    // reached weight per row is largest (ties at random).
    std::uint32_t bestToAdd(std::uint32_t e, long step, std::mt19937_64 &rng) const
    {
        double best = -1;
        std::uint32_t pick = within_[e].front();
        std::size_t ties = 0;
        for (std::uint32_t i : within_[e]) {
            if (in_[i] || tabuUntil_[i] > step)
                continue;
            std::uint64_t gain = 0;
            for (std::uint32_t x : sets_[i].reach)
                if (count_[x] == 0)
                    gain += weight_[x];
            const double score = double(gain) / double(sets_[i].size);
            if (score > best) {
                best = score;
                pick = i;
                ties = 1;
            } else if (score == best && rng() % ++ties == 0) {
                pick = i;
            }
        }
        return pick;
    }
    // The chosen orbit (other than `keep`) whose lost weight per row is least.
    std::uint32_t bestToDrop(std::uint32_t keep, std::mt19937_64 &rng) const
    {
        double best = std::numeric_limits<double>::max();
        std::uint32_t pick = chosen_.front();
        std::size_t ties = 0;
        for (std::uint32_t i : chosen_) {
            if (i == keep)
                continue;
            std::uint64_t loss = 0;
            for (std::uint32_t x : sets_[i].reach)
                if (count_[x] == 1)
                    loss += weight_[x];
            const double score = double(loss) / double(sets_[i].size);
            if (score < best) {
                best = score;
                pick = i;
                ties = 1;
            } else if (score == best && rng() % ++ties == 0) {
                pick = i;
            }
        }
        return pick;
    }

    Problem p_;
    std::int32_t elements_ = 0;
    std::vector<Set> sets_;
    std::vector<std::vector<std::uint32_t>> within_; // per element, the orbits reaching it
    std::vector<std::uint32_t> count_; // per element, chosen orbits reaching it
    std::vector<std::uint64_t> weight_;
    std::vector<bool> in_;
    std::vector<long> tabuUntil_;
    std::vector<std::uint32_t> open_;
    std::vector<std::int32_t> where_;
    std::vector<std::uint32_t> chosen_;
    long rows_ = 0;
};

} // namespace wheelgen

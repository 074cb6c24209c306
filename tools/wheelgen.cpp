// wheelgen: builds the shipped wheel files Matrix/C<n><code>.db. For each type and n it
// starts from the file already there (or a greedy cover), then anneals with fewer and
// fewer rows toward the best known size, and rewrites the file whenever it finds a
// smaller wheel that still reaches every X-subset. Run it again to keep improving.
//
//   wheelgen --out data/Matrix --anchors ../shared/data/wheel-anchors.tsv
//            [--types S4E4,S3E3] [--from 7] [--to 20] [--budget 60] [--attempt 10] [--seed 1]
//            [--t0 0.35] [--tmin 0.2] (annealing temperatures) [--slack 1.1] [--verbose]
//            [--group 15+14,17+2] (first anneal wheels made of the orbits of x -> x+1 mod M
//            on the first M positions plus F rows more; M*A+F uses x -> A*x + b instead,
//            MxC+F turns C runs of M positions at once) [--aim ROWS] (the size it asks for)
//            [--weighted] (a weighting local search over those wheels instead of annealing)
//            [--cover] (or a set cover over all orbits of rows under each group in turn)
//            [--extend] (also the wheels over n-1 and n-2 with rows through the new positions,
//            and the one over n+1 less a position)
//   wheelgen --report --out data/Matrix --anchors ...   (the size table, as markdown)
#include "core/bets/WheelMatrix.h"
#include "wheelgen_designs.h"
#include "wheelgen_orbitcover.h"
#include "wheelgen_orbits.h"
#include "wheelgen_search.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

using namespace wheelgen;

namespace {

struct Anchor {
    long best = 0, lower = 0;
};

std::map<std::string, Anchor> readAnchors(const std::string &path)
{
    std::map<std::string, Anchor> out;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, '\t'))
            f.push_back(cell);
        if (f.size() < 6)
            continue;
        Anchor a;
        a.best = f[4].empty() ? 0 : std::atol(f[4].c_str());
        a.lower = f[5].empty() ? 0 : std::atol(f[5].c_str());
        out[f[1] + "/" + f[2] + "/" + f[3]] = a;
    }
    return out;
}

std::string fileName(const std::string &dir, const WheelType &t, int n)
{
    return dir + "/C" + std::to_string(n) + t.code + ".db";
}

std::vector<Mask> readRows(const std::string &path, int n)
{
    std::vector<Mask> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 12)
            continue;
        Mask m = 0;
        for (int k = 0; k < 6; ++k) {
            const int pos = (line[2 * k] - '0') * 10 + (line[2 * k + 1] - '0');
            if (pos < 1 || pos > n)
                return {};
            m |= Mask(1) << (pos - 1);
        }
        rows.push_back(m);
    }
    return rows;
}

void writeRows(const std::string &path, std::vector<Mask> rows)
{
    std::vector<std::string> lines;
    for (Mask r : rows) {
        std::string s;
        int pts[64];
        const int m = bitsOf(r, pts);
        for (int k = 0; k < m; ++k) {
            s += char('0' + (pts[k] + 1) / 10);
            s += char('0' + (pts[k] + 1) % 10);
        }
        lines.push_back(s);
    }
    std::sort(lines.begin(), lines.end());
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        for (const auto &l : lines)
            out << l << '\n';
    }
    std::rename(tmp.c_str(), path.c_str());
}

long countingBound(const Problem &p);

bool verbose = false;
double slack = 1.0; // stop once within this factor of the best known size

// Turns through the groups given with --group, each time asking for one orbit fewer
// than the smallest wheel so far would need, until the goal is met or time is up.
struct GroupChoice {
    int m, a; // x -> a*x + b (mod m) on each run of m positions
    int free; // rows outside the orbits
    int cycles; // runs of m positions that turn; the rest stay fixed
};
std::vector<GroupChoice> groups;
long aimRows = 0; // --aim: the size the orbit search asks for instead
bool weighted = false; // --weighted: the weighting search instead of annealing the orbits
bool extend = false; // --extend: also build on the wheels over n - 2, n - 1 and n + 1
bool wholeOrbits = false; // --cover: choose among all orbits of rows (OrbitCover) instead

template <class Offer, class Elapsed>
void searchOrbits(const Problem &p, long goal, double budget, double attempt, const AnnealOptions &anneal0,
                  std::mt19937_64 &rng, const std::vector<Mask> &best, Offer &&offer, Elapsed &&elapsed)
{
    // Per group, the base rows of its last success: the next try starts from them with
    // one orbit dropped, which beats a fresh start once the orbits are good.
    struct Carried {
        std::vector<Mask> bases;
        long k = 0;
    };
    std::vector<Carried> carried(groups.size());
    if (wholeOrbits) {
        for (std::size_t which = 0; which < groups.size() && elapsed() < budget; ++which) {
            const GroupChoice c = groups[which];
            if (c.m * c.cycles > p.n)
                continue;
            const PermGroup g = PermGroup::affine(p.n, c.m, c.a, c.cycles);
            OrbitCover cover(p, g);
            bool complete = false;
            const auto bases = cover.search(aimRows, std::min(attempt, budget - elapsed()), rng, complete, verbose);
            const std::vector<Mask> wheel = expandOrbits(g, bases, bases.size());
            if (verbose)
                std::printf("    x -> %d*x + b mod %d (x%d): %zu orbits, %zu rows%s\n", c.a, c.m, c.cycles, bases.size(),
                            wheel.size(), complete ? "" : " short of the aim");
            if (complete)
                offer(pruned(p, wheel, rng), "whole orbits");
            else
                offer(greedyCover(p, rng, 4000, wheel), "whole orbits, mended");
        }
        return;
    }
    for (int round = 0; elapsed() < budget && (best.empty() || long(best.size()) > goal); ++round) {
        const std::size_t which = std::size_t(round) % groups.size();
        const GroupChoice c = groups[which];
        if (c.m * c.cycles > p.n)
            return;
        const PermGroup g = PermGroup::affine(p.n, c.m, c.a, c.cycles);
        const long have = best.empty() ? long(binomial(p.n, p.x)) : long(best.size());
        std::vector<Mask> bases;
        long k = 0, free = 0;
        if (carried[which].k > 1) {
            bases = carried[which].bases;
            k = carried[which].k - 1;
            bases.erase(bases.begin() + long(rng() % std::size_t(carried[which].k)));
            free = long(bases.size()) - k;
        } else {
            // Aim a fortieth under the best so far: a near miss is mended with a few
            // greedy rows below. The rows the orbits leave over F become free rows.
            const long rows = aimRows > 0 ? aimRows : std::min(have - 1, have - have / 40);
            k = (rows - c.free) / long(g.order());
            if (k < 1)
                continue;
            free = rows - k * long(g.order());
            for (long i = 0; i < k + free; ++i)
                bases.push_back(randomSubset(p.all(), 6, rng));
        }
        AnnealOptions o = anneal0;
        o.seconds = std::min(attempt, budget - elapsed());
        const std::size_t left = weighted ? weightedOrbits(p, g, bases, std::size_t(k), rng, o.seconds)
                                          : annealOrbits(p, g, bases, std::size_t(k), rng, o);
        if (verbose) {
            std::printf("    x -> %d*x + b mod %d (x%d), %ld orbits and %ld rows: %zu unreached\n", c.a, c.m, c.cycles, k, free,
                        left);
            std::fflush(stdout);
        }
        std::vector<Mask> wheel = expandOrbits(g, bases, std::size_t(k));
        if (left == 0) {
            carried[which] = {bases, k};
            offer(pruned(p, wheel, rng), "orbits");
            continue;
        }
        // A near miss: a few greedy rows reach what the orbits leave.
        offer(greedyCover(p, rng, 4000, wheel), "orbits, mended");
    }
}


// Every T-subset of m positions within rows of k positions: random rows annealed, from
// the counting bound up, each size for at most `seconds`.
std::vector<Mask> smallCover(int m, int t, int k, double seconds, std::mt19937_64 &rng)
{
    const Problem q{m, t, t};
    std::uint64_t reach = binomial(k, t);
    for (std::uint64_t size = (q.subsets() + reach - 1) / reach;; size += std::max<std::uint64_t>(1, size / 100)) {
        std::vector<Mask> rows;
        for (std::uint64_t i = 0; i < size; ++i)
            rows.push_back(randomSubset(q.all(), k, rng));
        AnnealOptions o;
        o.seconds = seconds;
        if (anneal(q, rows, rng, o) == 0)
            return rows;
    }
}

// A wheel over n from the one over n + 1 less its last position: every X-subset of the
// others still shares Y positions with the same row, and a row that held the last
// position takes the lowest one it lacks instead.
std::vector<Mask> shrunkWheel(const std::string &dir, const WheelType &t, int n, std::mt19937_64 &rng)
{
    const Problem p{n, t.hit, t.keep};
    std::vector<Mask> rows = readRows(fileName(dir, t, n + 1), n + 1);
    std::set<Mask> distinct;
    for (Mask r : rows) {
        if (r >> n & 1) {
            const Mask lacked = ~r & p.all();
            r = (r & p.all()) | (lacked & -lacked);
        }
        distinct.insert(r);
    }
    return rows.empty() ? rows : pruned(p, {distinct.begin(), distinct.end()}, rng);
}

// A wheel over n from the shipped one over n - d (d = 1 or 2) when X = Y: its rows,
// and the d new positions with the rows of a cover of the (X-1)-subsets of the old
// ones by (6-d)-subsets. An X-subset with new positions in it has its old part (at
// most X-1 positions) inside one of those rows, which holds every new position too.
std::vector<Mask> extendedWheel(const std::string &dir, const WheelType &t, int n, int d, std::mt19937_64 &rng)
{
    const int m = n - d;
    if (t.hit != t.keep || t.hit < 2 || m < 7)
        return {};
    std::vector<Mask> rows = readRows(fileName(dir, t, m), m);
    if (rows.empty())
        return {};
    const Mask added = ((Mask(1) << d) - 1) << m;
    for (Mask r : smallCover(m, t.hit - 1, 6 - d, 2, rng))
        rows.push_back(r | added);
    return rows;
}

void build(const std::string &dir, const WheelType &t, int n, const Anchor &a, double budget, double attempt,
           const AnnealOptions &anneal0, std::mt19937_64 &rng)
{
    const Problem p{n, t.hit, t.keep};
    const auto start = Clock::now();
    const auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    const std::string path = fileName(dir, t, n);
    // Without a published bound, use the plain counting bound: every X-subset needs
    // a row, and one row reaches only so many.
    const long lower = std::max<long>(a.lower, countingBound(p));
    const long goal = a.best > 0 ? std::max(lower, long(std::floor(double(a.best) * slack))) : lower;

    std::vector<Mask> best = readRows(path, n);
    if (!best.empty() && !reachesAll(p, best)) {
        std::printf("%s: the existing file does not reach every subset; rebuilding\n", path.c_str());
        best.clear();
    }
    const std::size_t onDisk = best.size();
    auto offer = [&](std::vector<Mask> rows, const char *how) {
        if (rows.empty() || !reachesAll(p, rows))
            return;
        if (best.empty() || rows.size() < best.size()) {
            best = std::move(rows);
            writeRows(path, best);
            std::printf("  C%d%s: %zu rows (%s, %.1fs)\n", n, t.code, best.size(), how, elapsed());
            std::fflush(stdout);
        }
    };
    if (onDisk == 0 || long(onDisk) > goal) {
        offer(knownDesign(p), "known design");
        if (best.empty() || long(best.size()) > goal)
            offer(greedyCover(p, rng), "greedy");
        for (int d = 1; extend && d <= 2; ++d)
            offer(extendedWheel(dir, t, n, d, rng), d == 1 ? "one position more" : "two positions more");
        if (extend && n < 33)
            offer(shrunkWheel(dir, t, n, rng), "one position less");
    }
    if (!groups.empty())
        searchOrbits(p, goal, budget, attempt, anneal0, rng, best, offer, elapsed);
    long hi = long(best.size());
    long lo = lower - 1; // sizes at or below lo are given up
    std::vector<Mask> lastTry; // rows of a failed attempt, taken up again at the same size
    while (hi > goal && hi - lo > 1 && elapsed() < budget) {
        const long target = std::max(goal, lo + 1);
        // Halve the gap, but by at most a twentieth: a failed try costs a whole attempt.
        const long b = std::max(target, hi - std::max<long>(1, std::min((hi - target + 1) / 2, hi / 20)));
        std::vector<Mask> rows = best;
        std::shuffle(rows.begin(), rows.end(), rng);
        rows.resize(std::size_t(b));
        if (long(lastTry.size()) == b)
            rows = lastTry;
        AnnealOptions o = anneal0;
        o.seconds = std::min(attempt, budget - elapsed());
        const std::size_t left = anneal(p, rows, rng, o);
        if (verbose)
            std::printf("    %ld rows: %zu unreached\n", b, left);
        if (left == 0) {
            offer(pruned(p, rows, rng), "annealed");
            hi = long(best.size());
            lo = lower - 1; // a failure is only bad luck: aim low again
        } else {
            lastTry = rows;
            lo = b;
            if (hi - lo <= 1)
                lo = hi - 2; // keep trying one row fewer while time is left
        }
    }
    std::printf("C%d%s\t%zu\tgoal %ld\tlower %ld\t%.1fs\n", n, t.code, best.size(), goal, lower, elapsed());
    std::fflush(stdout);
}

long countingBound(const Problem &p)
{
    std::uint64_t reach = 0;
    p.forReached(p.all() & ((Mask(1) << 6) - 1), [&](Mask) { ++reach; });
    return long((p.subsets() + reach - 1) / reach);
}

// The markdown table of docs/wheels.md: every shipped file against the anchors.
void report(const std::string &dir, const std::map<std::string, Anchor> &table)
{
    std::printf("| type | n | our rows | best known | lower bound | rows / best known | rows / lower bound |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
    for (const WheelType &t : kWheelTypes)
        for (int n = 7; n <= 33; ++n) {
            const Problem p{n, t.hit, t.keep};
            const auto rows = readRows(fileName(dir, t, n), n);
            if (rows.empty())
                continue;
            const auto it = table.find(std::to_string(t.hit) + "/" + std::to_string(t.keep) + "/" + std::to_string(n));
            const Anchor a = it == table.end() ? Anchor{} : it->second;
            const bool counted = a.lower == 0;
            const long lower = counted ? countingBound(p) : a.lower;
            const std::string best = a.best ? std::to_string(a.best) : "-";
            char ratioBest[32] = "-", ratioLower[32];
            if (a.best)
                std::snprintf(ratioBest, sizeof ratioBest, "%.3f", double(rows.size()) / double(a.best));
            std::snprintf(ratioLower, sizeof ratioLower, "%.3f", double(rows.size()) / double(lower));
            std::printf("| %s | %d | %zu | %s | %ld%s | %s | %s |\n", t.caption, n, rows.size(), best.c_str(), lower,
                        counted ? "*" : "", ratioBest, ratioLower);
        }
}

} // namespace

int main(int argc, char **argv)
{
    std::string out = "data/Matrix", anchors = "../shared/data/wheel-anchors.tsv", types;
    int from = 7, to = 20;
    double budget = 60, attempt = 10;
    unsigned long seed = 1;
    AnnealOptions anneal0;
    bool reportOnly = false;
    for (int i = 1; i < argc; i += 2) {
        if (std::string(argv[i]) == "--verbose") {
            verbose = true;
            --i;
            continue;
        }
        if (std::string(argv[i]) == "--weighted") {
            weighted = true;
            --i;
            continue;
        }
        if (std::string(argv[i]) == "--extend") {
            extend = true;
            --i;
            continue;
        }
        if (std::string(argv[i]) == "--cover") {
            wholeOrbits = true;
            --i;
            continue;
        }
        if (std::string(argv[i]) == "--report") {
            reportOnly = true;
            --i;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "wheelgen: %s needs a value\n", argv[i]);
            return 2;
        }
        const std::string k = argv[i], v = argv[i + 1];
        if (k == "--out") out = v;
        else if (k == "--anchors") anchors = v;
        else if (k == "--types") types = v;
        else if (k == "--from") from = std::atoi(v.c_str());
        else if (k == "--to") to = std::atoi(v.c_str());
        else if (k == "--budget") budget = std::atof(v.c_str());
        else if (k == "--attempt") attempt = std::atof(v.c_str());
        else if (k == "--t0") anneal0.t0 = std::atof(v.c_str());
        else if (k == "--tmin") anneal0.tMin = std::atof(v.c_str());
        else if (k == "--slack") slack = std::atof(v.c_str());
        else if (k == "--group") {
            // M[*A][xC][+F], comma-separated: first try wheels made of the orbits of
            // x -> A*x + b (mod M) on C runs of M positions and F rows more
            std::stringstream ss(v);
            std::string g;
            while (std::getline(ss, g, ',')) {
                const auto number = [&](char mark, int otherwise) {
                    const auto at = g.find(mark);
                    return at == std::string::npos ? otherwise : std::atoi(g.c_str() + at + 1);
                };
                groups.push_back({std::atoi(g.c_str()), number('*', 1), number('+', 0), number('x', 1)});
            }
        }
        else if (k == "--aim") aimRows = std::atol(v.c_str());
        else if (k == "--seed") seed = std::strtoul(v.c_str(), nullptr, 10);
        else {
            std::fprintf(stderr, "wheelgen: unknown option %s\n", k.c_str());
            return 2;
        }
    }
    const auto table = readAnchors(anchors);
    if (reportOnly) {
        report(out, table);
        return 0;
    }
    std::mt19937_64 rng(seed);
    for (int n = from; n <= to; ++n)
        for (const WheelType &t : kWheelTypes) {
            if (!types.empty() && types.find(t.code) == std::string::npos)
                continue;
            const auto it = table.find(std::to_string(t.hit) + "/" + std::to_string(t.keep) + "/" + std::to_string(n));
            build(out, t, n, it == table.end() ? Anchor{} : it->second, budget, attempt, anneal0, rng);
        }
    return 0;
}

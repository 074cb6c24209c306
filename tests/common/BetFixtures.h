#pragma once
// Small builders shared by the bet tests.
#include "core/bets/Bet.h"
#include "core/bets/BetText.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <numeric>
#include <random>

namespace fixtures {

using RedToggles = std::array<bool, 33>;
using BlueToggles = std::array<bool, 16>;

template <std::size_t N>
std::array<bool, N> selected(std::initializer_list<int> balls)
{
    std::array<bool, N> a{};
    for (int b : balls)
        a[std::size_t(b - 1)] = true;
    return a;
}

template <std::size_t N>
std::array<bool, N> selectedRange(int first, int last)
{
    std::array<bool, N> a{};
    for (int b = first; b <= last; ++b)
        a[std::size_t(b - 1)] = true;
    return a;
}

inline std::vector<int> range(int first, int last)
{
    std::vector<int> v(std::size_t(last - first + 1));
    std::iota(v.begin(), v.end(), first);
    return v;
}

inline QStringList rows(const BetList &list)
{
    QStringList out;
    for (const Bet &b : list)
        out << betRowText(b);
    return out;
}

inline Bet row(const char *text)
{
    return parseBetLine(QString::fromLatin1(text)).value();
}

inline BetList list(std::initializer_list<const char *> texts)
{
    BetList out;
    for (const char *t : texts)
        out.push_back(row(t));
    return out;
}

// Random bets of six distinct reds from 1..maxRed and a blue from 1..maxBlue. shuffled puts
// the reds in any order, as banker bets have them; repeatEvery > 0 copies an earlier bet in
// place of every repeatEvery-th one.
inline BetList randomBets(std::size_t count, int maxRed, int maxBlue, bool shuffled, int repeatEvery,
                          unsigned seed)
{
    std::mt19937 rng(seed);
    BetList out;
    out.reserve(count);
    std::vector<int> balls = range(1, maxRed);
    for (std::size_t i = 0; i < count; ++i) {
        if (repeatEvery > 0 && i > 0 && i % std::size_t(repeatEvery) == 0) {
            out.push_back(out[std::uniform_int_distribution<std::size_t>(0, i - 1)(rng)]);
            continue;
        }
        std::shuffle(balls.begin(), balls.end(), rng);
        Bet b{};
        std::array<int, 6> reds;
        std::copy_n(balls.begin(), 6, reds.begin());
        if (!shuffled)
            std::sort(reds.begin(), reds.end());
        for (int k = 0; k < 6; ++k)
            b.red[k] = std::uint8_t(reds[std::size_t(k)]);
        b.blue = std::uint8_t(std::uniform_int_distribution<int>(1, maxBlue)(rng));
        out.push_back(b);
    }
    return out;
}

} // namespace fixtures

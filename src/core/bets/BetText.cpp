#include "core/bets/BetText.h"

#include "core/Game.h"

namespace {

inline void twoDigits(std::uint8_t n, char *out)
{
    out[0] = char('0' + n / 10);
    out[1] = char('0' + n % 10);
}

// The six reds as "01 02 03 04 05 06": 17 characters.
inline void redPart(const Bet &bet, char *out)
{
    for (int i = 0; i < 6; ++i) {
        twoDigits(bet.red[i], out + 3 * i);
        if (i < 5)
            out[3 * i + 2] = ' ';
    }
}

int twoDigitValue(QStringView s, int at)
{
    const QChar a = s[at], b = s[at + 1];
    if (!a.isDigit() || !b.isDigit() || a.unicode() > '9' || b.unicode() > '9')
        return -1;
    return (a.unicode() - '0') * 10 + (b.unicode() - '0');
}

} // namespace

void formatBetRow(const Bet &bet, char *out)
{
    redPart(bet, out);
    twoDigits(bet.blue, out + 17);
}

void formatOutputLine(const Bet &bet, char *out)
{
    redPart(bet, out);
    out[17] = ' ';
    twoDigits(bet.blue, out + 18);
}

QString betRowText(const Bet &bet)
{
    char buf[kBetRowLength];
    formatBetRow(bet, buf);
    return QString::fromLatin1(buf, kBetRowLength);
}

QString outputLine(const Bet &bet)
{
    char buf[kOutputLineLength];
    formatOutputLine(bet, buf);
    return QString::fromLatin1(buf, kOutputLineLength);
}

QString redPart(const Bet &bet)
{
    return betRowText(bet).left(17);
}

QString bluePart(const Bet &bet)
{
    return betRowText(bet).mid(17, 2);
}

int redSum(const Bet &bet)
{
    int sum = 0;
    for (std::uint8_t r : bet.red)
        sum += r;
    return sum;
}

std::optional<Bet> parseBetLine(QStringView line)
{
    if (line.size() != kBetRowLength && line.size() != kOutputLineLength)
        return std::nullopt;
    Bet bet{};
    for (int i = 0; i < 6; ++i) {
        const int r = twoDigitValue(line, 3 * i);
        if (r < 1 || r > Game::kRedBalls)
            return std::nullopt;
        if (i < 5 && line[3 * i + 2] != QLatin1Char(' '))
            return std::nullopt;
        for (int j = 0; j < i; ++j)
            if (bet.red[j] == r)
                return std::nullopt; // a bet holds six distinct reds
        bet.red[i] = std::uint8_t(r);
    }
    int blueAt = 17;
    if (line.size() == kOutputLineLength) {
        if (line[17] != QLatin1Char(' '))
            return std::nullopt;
        blueAt = 18;
    }
    const int b = twoDigitValue(line, blueAt);
    if (b < 1 || b > Game::kBlueBalls)
        return std::nullopt;
    bet.blue = std::uint8_t(b);
    return bet;
}

Bet makeBet(int r1, int r2, int r3, int r4, int r5, int r6, int blue)
{
    return Bet{{std::uint8_t(r1), std::uint8_t(r2), std::uint8_t(r3), std::uint8_t(r4), std::uint8_t(r5),
                std::uint8_t(r6)},
               std::uint8_t(blue),
               0};
}

#include "core/bets/NumberGroups.h"

#include "core/Game.h"

#include <QRegularExpression>

namespace {

bool allDigits(const QString &token)
{
    for (QChar c : token)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QStringList ballTokens(const QString &text)
{
    // Blanks, commas (also the full-width one) and 、 separate the balls.
    static const QRegularExpression separators(QStringLiteral("[\\s,，、]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

} // namespace

void NumberGroups::add(const NumberGroup &g)
{
    const int lane = count++;
    group[std::size_t(lane)] = g;
    for (int ball = 1; ball <= Game::kRedBalls; ++ball)
        if (g.mask >> ball & 1)
            lanes[std::size_t(ball)] |= std::uint64_t(1) << (8 * lane);
    lower |= std::uint64_t(g.minimum) << (8 * lane);
    upper |= std::uint64_t(g.maximum) << (8 * lane);
}

bool isUnusedNumberGroup(const NumberGroupSetting &s)
{
    return s.minimum == 0 && s.maximum == kNumberGroupMaxCount && ballTokens(s.balls).isEmpty();
}

Outcome parseNumberGroup(const NumberGroupSetting &s, int row, NumberGroup &group)
{
    const QString name = QStringLiteral("号码组%1：").arg(row);
    const QStringList tokens = ballTokens(s.balls);
    if (tokens.isEmpty())
        return Outcome::refused(name + QStringLiteral("请输入红球号码！"));
    NumberGroup g;
    for (const QString &token : tokens) {
        if (!allDigits(token))
            return Outcome::refused(name + QStringLiteral("“%1”不是有效的红球号码，请重新输入！").arg(token));
        bool ok = false;
        const int ball = token.toInt(&ok);
        if (!ok || ball < 1 || ball > Game::kRedBalls)
            return Outcome::refused(name + QStringLiteral("红球号码“%1”不在01到33之间，请重新输入！").arg(token));
        const std::uint64_t bit = std::uint64_t(1) << ball;
        if (g.mask & bit)
            return Outcome::refused(name + QStringLiteral("红球号码“%1”重复，请重新输入！").arg(token));
        g.mask |= bit;
    }
    if (s.minimum < 0 || s.maximum < 0 || s.minimum > kNumberGroupMaxCount || s.maximum > kNumberGroupMaxCount)
        return Outcome::refused(name + QStringLiteral("个数必须在0到6之间，请重新输入！"));
    if (s.minimum > s.maximum)
        return Outcome::refused(
            name + QStringLiteral("最少个数%1大于最多个数%2，请重新输入！").arg(s.minimum).arg(s.maximum));
    g.minimum = s.minimum;
    g.maximum = s.maximum;
    group = g;
    return Outcome::success();
}

Outcome parseNumberGroups(const NumberGroupSettings &settings, NumberGroups &groups)
{
    NumberGroups parsed;
    for (int i = 0; i < kNumberGroupCount; ++i) {
        const NumberGroupSetting &s = settings[std::size_t(i)];
        if (isUnusedNumberGroup(s))
            continue;
        NumberGroup g;
        const Outcome o = parseNumberGroup(s, i + 1, g);
        if (!o.ok())
            return o;
        parsed.add(g);
    }
    groups = parsed;
    return Outcome::success();
}

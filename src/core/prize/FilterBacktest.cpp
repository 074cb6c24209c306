#include "core/prize/FilterBacktest.h"

#include "core/bets/BetText.h"
#include "core/prize/Backtest.h"

#include <algorithm>

namespace FilterBacktest {

Bet drawAsBet(const PrizeCheck::DrawBalls &draw)
{
    std::array<int, Game::kRedsPerBet> reds = draw.reds;
    std::sort(reds.begin(), reds.end());
    return makeBet(reds[0], reds[1], reds[2], reds[3], reds[4], reds[5], draw.blue);
}

QString shareText(qint64 passed, qint64 draws)
{
    if (draws <= 0)
        return QStringLiteral("-");
    return QString::number(100.0 * double(passed) / double(draws), 'f', 2) + QLatin1Char('%');
}

QString togetherCaption(int tolerance)
{
    return QStringLiteral("全部勾选条件（容错%1）").arg(tolerance);
}

QStringList Table::header() const
{
    return {QStringLiteral("过滤条件"), QStringLiteral("范围"), QStringLiteral("通过期数"), QStringLiteral("回测期数"),
            QStringLiteral("通过比例")};
}

std::vector<QStringList> Table::rows() const
{
    std::vector<QStringList> out;
    auto text = [this](const Line &line) {
        return QStringList{line.caption, line.bounds, QString::number(line.passed), QString::number(draws),
                           shareText(line.passed, draws)};
    };
    for (const Line &line : conditions)
        out.push_back(text(line));
    out.push_back(text(together));
    return out;
}

Result<Table> count(const FilterSettings &settings, const std::vector<PrizeCheck::DrawBalls> &draws)
{
    Result<Table> result;
    FilterBounds bounds;
    result.outcome = parseFilterBounds(settings, bounds);
    if (!result.ok())
        return result;
    std::vector<int> ticked;
    for (int c = 0; c < kConditionCount; ++c)
        if (bounds.on[c])
            ticked.push_back(c);
    if (ticked.empty() && bounds.groups.empty()) {
        result.outcome = Outcome::refused(kNothingTicked);
        return result;
    }

    Table &table = result.value;
    table.draws = qint64(draws.size());
    // Each condition alone: the bounds with only that one ticked, and no tolerance.
    std::vector<FilterBounds> alone;
    for (int c : ticked) {
        FilterBounds one;
        one.on[c] = true;
        one.lower[c] = bounds.lower[c];
        one.upper[c] = bounds.upper[c];
        alone.push_back(one);
        table.conditions.push_back({QString::fromUtf8(kFilterConditions[c].caption),
                                    QStringLiteral("%1至%2").arg(bounds.lower[c]).arg(bounds.upper[c]), 0});
    }
    // Each used number group alone, under its row's name.
    for (int row = 0; row < kNumberGroupCount; ++row) {
        const NumberGroupSetting &setting = settings.groups[std::size_t(row)];
        NumberGroup group;
        if (isUnusedNumberGroup(setting) || !parseNumberGroup(setting, row + 1, group).ok())
            continue;
        FilterBounds one;
        one.groups.add(group);
        alone.push_back(one);
        QStringList balls;
        for (int ball = 1; ball <= Game::kRedBalls; ++ball)
            if (group.mask >> ball & 1)
                balls << QStringLiteral("%1").arg(ball, 2, 10, QLatin1Char('0'));
        table.conditions.push_back({QStringLiteral("号码组%1").arg(row + 1),
                                    QStringLiteral("%1：%2至%3个").arg(balls.join(QLatin1Char(' '))).arg(group.minimum).arg(group.maximum),
                                    0});
    }
    table.together = {togetherCaption(bounds.tolerance),
                      QStringLiteral("%1个条件").arg(ticked.size() + std::size_t(bounds.groups.count)), 0};
    for (const PrizeCheck::DrawBalls &draw : draws) {
        const Bet bet = drawAsBet(draw);
        for (std::size_t i = 0; i < alone.size(); ++i)
            table.conditions[i].passed += passesFilters(bet, alone[i]) ? 1 : 0;
        table.together.passed += passesFilters(bet, bounds) ? 1 : 0;
    }
    return result;
}

Result<Table> countRange(QSqlDatabase db, const QString &from, const QString &to, const FilterSettings &settings)
{
    // The settings are checked before the history is read: a refusal reads nothing.
    Result<Table> checked = count(settings, {});
    if (!checked.ok())
        return checked;
    const Result<std::vector<Backtest::PlayedDraw>> played = Backtest::drawsInRange(db, from, to);
    if (!played.ok()) {
        checked.outcome = played.outcome;
        return checked;
    }
    std::vector<PrizeCheck::DrawBalls> draws;
    draws.reserve(played.value.size());
    for (const Backtest::PlayedDraw &d : played.value)
        draws.push_back(d.balls);
    return count(settings, draws);
}

} // namespace FilterBacktest

#include "core/prize/PrizeRules.h"

#include "core/history/DrawDatabase.h"
#include "core/history/Query.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QVariant>
#include <algorithm>

namespace PrizeRules {

QString gradeName(int grade)
{
    static const QString names[kGrades] = {
        QStringLiteral("一等奖"), QStringLiteral("二等奖"), QStringLiteral("三等奖"), QStringLiteral("四等奖"),
        QStringLiteral("五等奖"), QStringLiteral("六等奖"), QStringLiteral("福运奖")};
    return grade >= FirstGrade && grade <= kGrades ? names[grade - 1] : QString();
}

HitTally &HitTally::operator+=(const HitTally &o)
{
    for (std::size_t h = 0; h < bets.size(); ++h)
        for (std::size_t b = 0; b < 2; ++b)
            bets[h][b] += o.bets[h][b];
    return *this;
}

Graded grade(const HitTally &tally, Fortune fortune)
{
    Graded graded;
    for (int hits = 0; hits <= Game::kRedsPerBet; ++hits)
        for (bool blue : {false, true}) {
            const qint64 bets = tally.at(hits, blue);
            if (bets == 0)
                continue;
            if (dependsOnFortune(hits, blue) && fortune == Fortune::Unknown) {
                graded.fortuneUnknown += bets;
                continue;
            }
            if (const int g = gradeFor(hits, blue, fortune == Fortune::InForce))
                graded.counts[std::size_t(g - 1)] += bets;
        }
    return graded;
}

namespace {

// Seven digits, the year first: the only draw numbers whose place in time the rules can tell.
bool isDrawNumber(const QString &n)
{
    if (n.size() != 7)
        return false;
    for (QChar ch : n)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    return true;
}

// The draw after N within its year ("2026076" after "2026075"); empty after a 999th draw.
QString nextInYear(const QString &n)
{
    const int sequence = n.right(3).toInt();
    return sequence >= 999 ? QString() : n.left(4) + QStringLiteral("%1").arg(sequence + 1, 3, 10, QLatin1Char('0'));
}

// NEXT is the draw right after PREVIOUS. Across a year's end the history cannot show that no
// draw is missing, so the chain of pools stops there.
bool follows(const QString &previous, const QString &next)
{
    return isDrawNumber(previous) && isDrawNumber(next) && nextInYear(previous) == next;
}

} // namespace

Fortune FortunePeriods::stateOf(const QString &drawNumber) const
{
    if (!isDrawNumber(drawNumber))
        return Fortune::Unknown;
    if (drawNumber < kFirstDrawOfRules)
        return Fortune::NotInForce;
    for (const auto &[first, last] : periods)
        if (first <= drawNumber && drawNumber <= last)
            return Fortune::InForce;
    if (periods.empty())
        return Fortune::Unknown;
    // The draw after the last period is known to have stopped it; later ones are not known.
    const QString stopped = nextInYear(periods.back().second);
    return drawNumber <= (stopped.isEmpty() ? periods.back().second : stopped) ? Fortune::NotInForce : Fortune::Unknown;
}

Result<FortunePeriods> parseFortunePeriods(const QString &text)
{
    Result<FortunePeriods> result;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = text.split(lineEnd);
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        auto refuse = [&](const QString &why) {
            result.outcome = Outcome::refused(QStringLiteral("line %1 (%2): %3").arg(i + 1).arg(line, why));
            result.value = {};
            return result;
        };
        const QStringList f = line.split(QRegularExpression(QStringLiteral("\\s+")));
        if (f.size() != 2 || !isDrawNumber(f[0]) || !isDrawNumber(f[1]))
            return refuse(QStringLiteral("not a first and a last draw number of seven digits"));
        if (f[0] > f[1])
            return refuse(QStringLiteral("the period ends before it starts"));
        if (f[0] < kFirstDrawOfRules)
            return refuse(QStringLiteral("the period starts before %1, the first draw of the rules").arg(kFirstDrawOfRules));
        if (!result.value.periods.empty() && f[0] <= result.value.periods.back().second)
            return refuse(QStringLiteral("the period does not start after the one before it"));
        result.value.periods.emplace_back(f[0], f[1]);
    }
    result.outcome = Outcome::success();
    return result;
}

Result<FortunePeriods> readFortunePeriods(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Result<FortunePeriods> failed;
        failed.outcome = Outcome::failed(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return failed;
    }
    Result<FortunePeriods> read = parseFortunePeriods(QString::fromUtf8(file.readAll()));
    if (!read.ok())
        read.outcome.message = path + QStringLiteral(" ") + read.outcome.message;
    return read;
}

Fortune noticeFortune(qint64 winners, qint64 money)
{
    if (winners > 0 || money > 0)
        return Fortune::InForce;
    if (winners == 0 || money == 0)
        return Fortune::NotInForce;
    return Fortune::Unknown;
}

std::vector<Fortune> fortuneStates(const std::vector<DrawFortuneFacts> &facts, const FortunePeriods &periods)
{
    std::vector<Fortune> states(facts.size(), Fortune::Unknown);
    for (std::size_t i = 0; i < facts.size(); ++i) {
        const QString &number = facts[i].drawNumber;
        if (!isDrawNumber(number))
            continue;
        if (number < kFirstDrawOfRules) {
            states[i] = Fortune::NotInForce;
            continue;
        }
        Fortune state = facts[i].notice;
        if (state == Fortune::Unknown)
            state = periods.stateOf(number);
        if (state == Fortune::Unknown && i > 0 && follows(facts[i - 1].drawNumber, number) && facts[i - 1].pool >= 0) {
            const qint64 pool = facts[i - 1].pool;
            // Before the rules there was no period to carry over.
            const Fortune carried = facts[i - 1].drawNumber < kFirstDrawOfRules ? Fortune::Unknown : states[i - 1];
            state = pool >= kStartPoolYuan ? Fortune::InForce : pool < kStopPoolYuan ? Fortune::NotInForce : carried;
        }
        states[i] = state;
    }
    return states;
}

Result<std::vector<Fortune>> storedFortunes(QSqlDatabase db, const QStringList &drawNumbers, const FortunePeriods &periods)
{
    Result<std::vector<Fortune>> result;
    QString last;
    for (const QString &n : drawNumbers)
        last = std::max(last, n);
    // The chain starts at the draw before the rules, whose pool may start the first period.
    const QString chainFrom = QString::number(kFirstDrawOfRules.toInt() - 1);
    std::vector<DrawFortuneFacts> facts;
    if (last >= chainFrom) {
        // The notice's 福运奖 came with version 3 of the history and the pool with version 2; a
        // history that could not be upgraded (read-only) is read without them.
        const int version = DrawDatabase::versionOf(db);
        const QString notice = version >= 3 ? QStringLiteral("gonggao.jiangchi, gonggao.zhushu7, gonggao.jiangjin7")
                               : version == 2 ? QStringLiteral("gonggao.jiangchi, null, null")
                                              : QStringLiteral("null, null, null");
        const QString from = version >= 2 ? QStringLiteral(" from data left join gonggao on gonggao.qishu = data.qishu")
                                          : QStringLiteral(" from data");
        Query::Rows rows = Query::run(db, {QStringLiteral("select data.qishu, ") + notice + from
                                               + QStringLiteral(" where data.qishu >= ? and data.qishu <= ? order by data.qishu"),
                                           {chainFrom, last}});
        result.outcome = rows.outcome;
        if (!rows.ok())
            return result;
        auto amount = [&rows](int column) {
            const QVariant v = rows.query.value(column);
            return v.isNull() ? qint64(-1) : v.toLongLong();
        };
        while (rows.query.next())
            facts.push_back({rows.query.value(0).toString(), noticeFortune(amount(2), amount(3)), amount(1)});
    }
    const std::vector<Fortune> states = fortuneStates(facts, periods);
    QHash<QString, Fortune> stored;
    for (std::size_t i = 0; i < facts.size(); ++i)
        stored.insert(facts[i].drawNumber, states[i]);
    result.value.reserve(std::size_t(drawNumbers.size()));
    for (const QString &n : drawNumbers)
        result.value.push_back(stored.value(n, periods.stateOf(n)));
    result.outcome = Outcome::success();
    return result;
}

} // namespace PrizeRules

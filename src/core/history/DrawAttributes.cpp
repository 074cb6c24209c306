#include "core/history/DrawAttributes.h"

#include "core/Game.h"

namespace {
const QString kOdd = QStringLiteral("奇");
const QString kEven = QStringLiteral("偶");
const QString kBig = QStringLiteral("大");
const QString kSmall = QStringLiteral("小");
} // namespace

QString ballText(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

bool isComposite(int n)
{
    for (int d = 2; d <= n / 2; ++d)
        if (n % d == 0)
            return true;
    return false;
}

int acValue(const int *reds)
{
    bool seen[Game::kRedBalls + 1] = {};
    for (int i = 0; i < Game::kRedsPerBet; ++i)
        for (int j = i + 1; j < Game::kRedsPerBet; ++j) {
            const int d = reds[j] > reds[i] ? reds[j] - reds[i] : reds[i] - reds[j];
            if (d >= 0 && d <= Game::kRedBalls)
                seen[d] = true;
        }
    int count = 0;
    for (bool s : seen)
        count += s ? 1 : 0;
    return count - 5;
}

QVariant DrawAttributes::value(const QString &column) const
{
    for (const auto *row : {&dataRow, &appendRow})
        for (const ColumnValue &cv : *row)
            if (cv.column.compare(column, Qt::CaseInsensitive) == 0)
                return cv.value;
    return QVariant();
}

DrawAttributes computeDrawAttributes(const QString &qishu, const std::array<int, 6> &reds, int blue,
                                     const QString &extraText)
{
    int sum = 0, odd = 0, small = 0, big = 0, composite = 0, units = 0, bigHalf = 0;
    QString oddPattern, bigPattern;
    for (int r : reds) {
        sum += r;
        odd += r % 2;
        small += r <= 11 ? 1 : 0;
        big += r >= 23 ? 1 : 0;
        composite += isComposite(r) ? 1 : 0;
        units += ballText(r).at(1).digitValue();
        oddPattern += r % 2 ? QLatin1Char('1') : QLatin1Char('0');
        bigPattern += r >= 17 ? QLatin1Char('1') : QLatin1Char('0');
        bigHalf += r >= 17 ? 1 : 0;
    }
    const int middle = 6 - small - big;
    const QString jishu = QStringLiteral("%1:%2").arg(odd).arg(6 - odd);
    const QString dashu = QStringLiteral("%1:%2:%3").arg(big).arg(middle).arg(small);
    const int ac = acValue(reds);
    const int jicha = reds[5] - reds[0];
    const int jihe = reds[5] + reds[0];
    bool extraOk = false;
    const int extra = extraText.toInt(&extraOk);
    const bool hasExtra = extraOk && extra >= 1 && extra <= Game::kBlueBalls;

    DrawAttributes a;
    QVector<ColumnValue> &d = a.dataRow;
    d.append({QStringLiteral("qishu"), qishu});
    for (int r : reds)
        d.append({QStringLiteral("a%1").arg(r), ballText(r)});
    d.append({QStringLiteral("b%1").arg(blue), ballText(blue)});
    d.append({QStringLiteral("lheshu"), sum});
    for (int i = 0; i < 6; ++i)
        d.append({QStringLiteral("c%1").arg(i + 1), ballText(reds[i])});
    d.append({QStringLiteral("c7"), ballText(blue)});
    d.append({QStringLiteral("jishu"), jishu});
    d.append({QStringLiteral("dashu"), dashu});
    d.append({QStringLiteral("zhishu"), QString::number(composite)});
    d.append({QStringLiteral("ac"), ac});
    d.append({QStringLiteral("jicha"), jicha});
    d.append({QStringLiteral("jihe"), jihe});
    d.append({QStringLiteral("weihe"), units});
    if (hasExtra)
        d.append({QStringLiteral("lxingqitian"), extraText});

    int largestGap = reds[0] + Game::kRedBalls - reds[5];
    int gapSum = largestGap;
    for (int i = 1; i < 6; ++i) {
        const int gap = reds[i] - reds[i - 1];
        gapSum += gap;
        largestGap = std::max(largestGap, gap);
    }

    QVector<ColumnValue> &p = a.appendRow;
    p.append({QStringLiteral("qishu"), qishu});
    p.append({QStringLiteral("lheshu"), sum});
    for (int i = 0; i < 6; ++i)
        p.append({QStringLiteral("c%1").arg(i + 1), ballText(reds[i])});
    p.append({QStringLiteral("c7"), ballText(blue)});
    p.append({QStringLiteral("ac"), ac});
    p.append({QStringLiteral("jishu"), jishu});
    p.append({QStringLiteral("dashu"), dashu});
    p.append({QStringLiteral("zhishu"), QString::number(composite)});
    p.append({QStringLiteral("jicha"), jicha});
    p.append({QStringLiteral("jihe"), jihe});
    p.append({QStringLiteral("weihe"), units});
    if (hasExtra)
        p.append({QStringLiteral("lxingqitian"), extraText});
    p.append({QStringLiteral("zdlingju"), QString::number(largestGap)});
    p.append({QStringLiteral("lingjuhe"), QString::number(gapSum)});
    if (blue % 2)
        p.append({QStringLiteral("lji"), kOdd});
    else
        p.append({QStringLiteral("lou"), kEven});
    if (blue <= 4)
        p.append({QStringLiteral("l01"), QStringLiteral("1")});
    else if (blue <= 8)
        p.append({QStringLiteral("l02"), QStringLiteral("2")});
    else if (blue <= 12)
        p.append({QStringLiteral("l03"), QStringLiteral("3")});
    else
        p.append({QStringLiteral("l04"), QStringLiteral("4")});
    if (isComposite(blue))
        p.append({QStringLiteral("llheshu"), QStringLiteral("合")});
    else
        p.append({QStringLiteral("lzhihu"), QStringLiteral("质")});
    switch (blue % 3) {
    case 0: p.append({QStringLiteral("llinglu"), QStringLiteral("0")}); break;
    case 1: p.append({QStringLiteral("lyilu"), QStringLiteral("1")}); break;
    default: p.append({QStringLiteral("lerlu"), QStringLiteral("2")}); break;
    }
    if (blue <= 8)
        p.append({QStringLiteral("lxiaoshu"), kSmall});
    else
        p.append({QStringLiteral("ldashu"), kBig});
    for (int i = 0; i < 6; ++i)
        p.append({QStringLiteral("hjiou%1").arg(i + 1, 2, 10, QLatin1Char('0')), reds[i] % 2 ? kOdd : kEven});
    p.append({QStringLiteral("ljioufenxi"), blue % 2 ? kOdd : kEven});
    p.append({QStringLiteral("hjiouxingtai"), oddPattern});
    p.append({QStringLiteral("hjioubi"), QStringLiteral("%1 : %2").arg(odd).arg(6 - odd)});
    for (int i = 0; i < 6; ++i)
        p.append({QStringLiteral("hdaxiao%1").arg(i + 1, 2, 10, QLatin1Char('0')), reds[i] >= 17 ? kBig : kSmall});
    p.append({QStringLiteral("ldaxiaofenxi"), blue >= 9 ? kBig : kSmall});
    p.append({QStringLiteral("hdaxiaoxingtai"), bigPattern});
    p.append({QStringLiteral("hdaxiaobi"), QStringLiteral("%1 : %2").arg(bigHalf).arg(6 - bigHalf)});
    return a;
}

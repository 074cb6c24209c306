#include "core/bets/Paging.h"

#include "core/bets/BetText.h"

qint64 pageCount(qint64 count)
{
    return count / kPageSize + 1;
}

PageRange pageRange(qint64 count, qint64 page)
{
    if (count < 0 || page < 1 || page > pageCount(count))
        return {};
    const qint64 first = (page - 1) * kPageSize + 1;
    if (page == pageCount(count))
        return {first, (page - 1) * kPageSize + count % kPageSize};
    return {first, page * kPageSize};
}

std::vector<PageRow> pageRows(const BetList &list, PageRange range)
{
    std::vector<PageRow> rows;
    const qint64 last = qMin<qint64>(range.last, qint64(list.size()));
    if (range.first < 1 || last < range.first)
        return rows;
    rows.reserve(std::size_t(last - range.first + 1));
    char text[kBetRowLength];
    for (qint64 b = range.first; b <= last; ++b) {
        const Bet &bet = list[std::size_t(b - 1)];
        formatBetRow(bet, text);
        rows.push_back({b, QString::fromLatin1(text, 17), QString::fromLatin1(text + 17, 2), redSum(bet)});
    }
    return rows;
}

bool eraseBet(BetList &list, qint64 b)
{
    if (b < 1 || b > qint64(list.size()))
        return false;
    list.erase(list.begin() + (b - 1));
    return true;
}

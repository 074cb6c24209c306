#pragma once
// The bet grid shows the current list a thousand bets at a time.
#include "core/bets/Bet.h"

#include <QString>
#include <vector>

inline constexpr qint64 kPageSize = 1000;

// count div 1000 + 1: a count that is a multiple of 1000 (0 too) ends with an empty page.
qint64 pageCount(qint64 count);

// Bets first..last (1-based, both included); empty when last < first.
struct PageRange {
    qint64 first = 1;
    qint64 last = 0;
    qint64 size() const { return last >= first ? last - first + 1 : 0; }
};

// The bets of page p. The last page holds count mod 1000 bets; a page outside 1..pageCount
// is empty, so a typed page number never reaches past the list.
PageRange pageRange(qint64 count, qint64 page);

struct PageRow {
    qint64 number;  // the bet's number in the list, column 0
    QString red;    // characters 1-17 of the row
    QString blue;   // characters 18-19
    int sum;        // the six reds added up
};

// The grid rows of one page, formed from those bets only.
std::vector<PageRow> pageRows(const BetList &list, PageRange range);

// Removes bet b (1-based) and closes the gap; b outside 1..count removes nothing.
bool eraseBet(BetList &list, qint64 b);

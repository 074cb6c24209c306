#pragma once
// Checks what a wheel promises: with type 中X保Y over n candidates, every X of the
// n positions share at least Y positions with some row.
#include "core/bets/WheelMatrix.h"

#include <vector>

struct WheelCheck {
    bool ok = false;
    long long subsets = 0;        // X-subsets of the n positions
    std::vector<int> firstMissed; // 1-based positions of the first one no row reaches
};

// Rows with positions outside 1..candidateCount are not counted as reaching anything.
WheelCheck verifyWheel(const std::vector<WheelRow> &rows, int candidateCount, const WheelType &type);

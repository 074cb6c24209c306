#pragma once
// Wheeling matrices: files Matrix/C<n><code>.db of the program directory, one row of
// six two-digit 1-based candidate positions per line (characters 1-12).
#include "core/Outcome.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

struct WheelType {
    const char *caption; // "中6保5"
    const char *code;    // "S6E5"
    int hit;             // X: drawn reds among the candidates
    int keep;            // Y: reds some row is sure to hold
};

// In the order of the matrix type box; a type is chosen by its position.
inline constexpr std::array<WheelType, 8> kWheelTypes = {{
    {"中7保6", "S7E6", 7, 6},
    {"中6保5", "S6E5", 6, 5},
    {"中6保4", "S6E4", 6, 4},
    {"中5保5", "S5E5", 5, 5},
    {"中5保4", "S5E4", 5, 4},
    {"中4保4", "S4E4", 4, 4},
    {"中3保3", "S3E3", 3, 3},
    {"中2保2", "S2E2", 2, 2},
}};

using WheelRow = std::array<std::uint8_t, 6>; // 1-based positions in the red candidate list

struct WheelMatrix {
    Outcome outcome;
    std::vector<WheelRow> rows;
};

// Position of a caption ("中6保5") or code ("S6E5") in kWheelTypes, or -1.
int wheelTypeIndex(const QString &captionOrCode);
// The refusal of a wheel type that is none of kWheelTypes.
QString wrongWheelTypeText();
// "<programDir>/Matrix/C<n><code>.db"
QString wheelMatrixPath(const QString &programDir, int typeIndex, int candidateCount);
// Reads the matrix for the type at typeIndex and n candidates. Refuses a type outside
// 0..7, a missing or unreadable file, and a faulty file (a line that is not six
// two-digit numbers, a position outside 1..n, a position repeated within a row, or no
// rows at all), naming the line; rows of a refused file are never handed out.
WheelMatrix readWheelMatrix(const QString &programDir, int typeIndex, int candidateCount);
// The same checks on a file named directly.
WheelMatrix readWheelMatrixFile(const QString &path, int candidateCount);

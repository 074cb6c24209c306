// Wheel matrix files, as a user may put into Matrix/: the reader, then the generation that
// indexes the red candidates by the positions it read.
#include "FuzzSupport.h"

#include "core/bets/Generation.h"
#include "core/bets/WheelMatrix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const int n = 6 + in.byte() % 28; // 6..33 candidates
    const QString path = writeScratchFile(QStringLiteral("Matrix/C%1S6E5.db").arg(n), in.rest(), in.restSize());
    const WheelMatrix m = readWheelMatrixFile(path, n);
    if (!m.outcome.ok()) {
        FUZZ_CHECK(m.rows.empty());
        FUZZ_CHECK(!m.outcome.message.isEmpty());
        return 0;
    }
    FUZZ_CHECK(!m.rows.empty());
    for (const WheelRow &row : m.rows) {
        bool seen[34] = {};
        for (std::uint8_t p : row) {
            FUZZ_CHECK(p >= 1 && p <= n);
            FUZZ_CHECK(!seen[p]);
            seen[p] = true;
        }
    }
    std::vector<int> reds;
    for (int r = 1; r <= n; ++r)
        reds.push_back(34 - r); // descending, so a position mix-up shows
    const GenerationResult g = generateFromWheel(m.rows, reds, {3, 9});
    FUZZ_CHECK(g.outcome.ok());
    FUZZ_CHECK(g.bets.size() == 2 * m.rows.size());
    for (std::size_t i = 0; i < m.rows.size(); ++i)
        for (int k = 0; k < 6; ++k)
            FUZZ_CHECK(g.bets[i].red[k] == 34 - m.rows[i][std::size_t(k)]);
    return 0;
}

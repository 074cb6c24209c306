#pragma once
// Long jobs split over the machine's cores: [0, n) in contiguous blocks, one thread each,
// joined in block order. A job that combines its blocks in order gets exactly the result of
// one thread. The calling thread runs the first block and reports the progress of all; a
// cancel there stops every block at its next tick, within kStep items.
#include <QtGlobal>
#include <cstddef>
#include <functional>

namespace Parallel {

// The threads a job may use: the number set below, else the environment's BALVORA_THREADS,
// else std::thread::hardware_concurrency(); at least 1.
int threadCount();
// 0 goes back to the default; tests force 1 or several threads with it.
void setThreadCount(int n);

struct Shared;

// What a block's loop calls for its items; false once the job is cancelled.
class BlockTicker {
public:
    static constexpr std::size_t kStep = 1 << 12; // items between two looks at the cancel

    bool tick(std::size_t item) { return item < m_next || slowTick(item); }

private:
    friend class Split;
    BlockTicker(Shared &shared, std::size_t begin, std::size_t step, bool reports)
        : m_shared(shared), m_step(step), m_next(begin), m_counted(begin), m_reports(reports)
    {
    }
    bool slowTick(std::size_t item);

    Shared &m_shared;
    std::size_t m_step;
    std::size_t m_next;
    std::size_t m_counted; // items of this block already added to the shared count
    bool m_reports;        // runs on the calling thread, so it may call the report itself
};

// Told the items done so far over all blocks, on the calling thread; returns false to cancel.
using Report = std::function<bool(qint64 done)>;

class Split {
public:
    static constexpr std::size_t kMinBlock = 1 << 14; // below this a thread costs more than it saves

    // One block when one thread is to be used, the list is short, or this runs inside a block.
    // Blocks but the first begin at multiples of align. Items that take long (a draw, not a bet)
    // are ticked more often than every kStep.
    explicit Split(std::size_t n, std::size_t minBlock = kMinBlock, std::size_t align = 1,
                   std::size_t tickEvery = BlockTicker::kStep);

    std::size_t blocks() const { return m_blocks; }
    std::size_t begin(std::size_t block) const { return m_n / m_blocks * block / m_align * m_align; }
    std::size_t end(std::size_t block) const { return block + 1 == m_blocks ? m_n : begin(block + 1); }

    // Runs body(block, ticker) for every block, each over begin(block)..end(block), and waits for
    // all. False when the report cancelled or a body returned false. An exception thrown by a
    // body (std::bad_alloc) is thrown here after every block has stopped.
    using Body = std::function<bool(std::size_t block, BlockTicker &ticker)>;
    bool run(const Report &report, const Body &body) const;

private:
    std::size_t m_n;
    std::size_t m_blocks;
    std::size_t m_align;
    std::size_t m_tickEvery;
};

} // namespace Parallel

#include "core/Parallel.h"

#include <QByteArray>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace Parallel {

namespace {

std::atomic<int> g_threadCount{0};
thread_local bool t_inBlock = false; // a split inside a block runs as one block

int defaultThreadCount()
{
    const int fromEnvironment = std::atoi(qgetenv("BALVORA_THREADS").constData());
    if (fromEnvironment > 0)
        return fromEnvironment;
    return int(std::max(1u, std::thread::hardware_concurrency()));
}

} // namespace

struct Shared {
    explicit Shared(const Report &r) : report(r) {}

    const Report &report;
    std::atomic<qint64> done{0};
    std::atomic<bool> stopped{false};
    std::mutex mutex;
    std::condition_variable finished;
    std::size_t running = 0;

    // On the calling thread: false once the job is to stop.
    bool reportNow()
    {
        if (!stopped.load(std::memory_order_relaxed) && report && !report(done.load(std::memory_order_relaxed)))
            stopped = true;
        return !stopped.load(std::memory_order_relaxed);
    }
};

int threadCount()
{
    const int set = g_threadCount.load();
    static const int byDefault = defaultThreadCount();
    return set > 0 ? set : byDefault;
}

void setThreadCount(int n)
{
    g_threadCount = std::max(0, n);
}

bool BlockTicker::slowTick(std::size_t item)
{
    m_shared.done.fetch_add(qint64(item - m_counted), std::memory_order_relaxed);
    m_counted = item;
    m_next = item + m_step;
    return m_reports ? m_shared.reportNow() : !m_shared.stopped.load(std::memory_order_relaxed);
}

Split::Split(std::size_t n, std::size_t minBlock, std::size_t align, std::size_t tickEvery)
    : m_n(n), m_blocks(1), m_align(std::max<std::size_t>(align, 1)), m_tickEvery(std::max<std::size_t>(tickEvery, 1))
{
    if (!t_inBlock)
        m_blocks = std::clamp<std::size_t>(n / std::max<std::size_t>(minBlock, 1), 1, std::size_t(threadCount()));
}

bool Split::run(const Report &report, const Body &body) const
{
    Shared shared(report);
    std::vector<std::exception_ptr> errors(m_blocks);
    auto runBlock = [&](std::size_t block, bool reports) {
        BlockTicker ticker(shared, begin(block), m_tickEvery, reports);
        try {
            if (!body(block, ticker))
                shared.stopped = true;
        } catch (...) {
            errors[block] = std::current_exception();
            shared.stopped = true;
        }
    };
    if (m_blocks == 1) {
        runBlock(0, true);
    } else {
        // Blocks 1.. on threads of their own, block 0 here: its ticks report the progress.
        std::vector<std::thread> threads;
        threads.reserve(m_blocks - 1);
        for (std::size_t block = 1; block < m_blocks; ++block) {
            auto work = [&, block] {
                t_inBlock = true;
                runBlock(block, false);
                std::lock_guard<std::mutex> lock(shared.mutex);
                --shared.running;
                shared.finished.notify_one();
            };
            {
                std::lock_guard<std::mutex> lock(shared.mutex);
                ++shared.running;
            }
            try {
                threads.emplace_back(work);
            } catch (const std::exception &) {
                work(); // no thread to be had: this block runs here
            }
        }
        t_inBlock = true;
        runBlock(0, true);
        t_inBlock = false;
        // Blocks still running are reported on until they end.
        std::unique_lock<std::mutex> lock(shared.mutex);
        while (!shared.finished.wait_for(lock, std::chrono::milliseconds(10), [&] { return shared.running == 0; })) {
            lock.unlock();
            shared.reportNow();
            lock.lock();
        }
        lock.unlock();
        for (std::thread &t : threads)
            t.join();
    }
    for (const std::exception_ptr &e : errors)
        if (e)
            std::rethrow_exception(e);
    return !shared.stopped;
}

} // namespace Parallel

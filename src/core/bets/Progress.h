#pragma once
// Long bet routines report progress and ask whether to go on through this callback.
// It returns false to cancel; a cancelled routine changes none of the lists it was given.
#include <QtGlobal>
#include <functional>
#include <utility>

using ProgressFn = std::function<bool(qint64 done, qint64 total)>;

// Calls the callback about once every kStep items, so the hot loops pay one counter test per item.
class ProgressTicker {
public:
    static constexpr qint64 kStep = 1 << 12;

    ProgressTicker(ProgressFn fn, qint64 total) : m_fn(std::move(fn)), m_total(total) {}

    // Returns false once the callback has asked to cancel.
    bool tick(qint64 done)
    {
        if (done < m_next || !m_fn)
            return true;
        m_next = done + kStep;
        return m_fn(done, m_total);
    }
    // The final report; a cancel here still counts.
    bool finish() { return !m_fn || m_fn(m_total, m_total); }

private:
    ProgressFn m_fn; // a copy: the ticker may outlive the caller's temporary
    qint64 m_total;
    qint64 m_next = 0;
};

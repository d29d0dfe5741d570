#include "scan/RowQueue.h"

#include <algorithm>
#include <iterator>
#include <utility>

RowQueue::RowQueue(std::function<bool()> wake, AtLimit atLimit) : m_wake(std::move(wake)), m_atLimit(atLimit) {}

void RowQueue::AddRow(ListRow row)
{
    m_found.fetch_add(1, std::memory_order_relaxed);
    std::unique_lock<Mutex> lock(m_mutex);
    m_rows.push_back(std::move(row));
    WakeUnlessPending(lock);
}

void RowQueue::FileChecked()
{
    m_checked.fetch_add(1, std::memory_order_relaxed);
}

bool RowQueue::StopRequested() const
{
    return m_stop.load(std::memory_order_relaxed);
}

bool RowQueue::GoOnPastLimit()
{
    if (m_atLimit != AtLimit::Wait)
        return m_atLimit == AtLimit::GoOn;
    {
        std::unique_lock<Mutex> lock(m_mutex);
        m_waiting = true;
        // A consumer that cannot be woken now hears of it with the next
        // batch it takes.
        WakeUnlessPending(lock);
    }
    return m_pastLimit.Wait() && !StopRequested();
}

void RowQueue::GoOn()
{
    m_pastLimit.Open();
}

bool RowQueue::Finish(ListingOutcome outcome)
{
    std::unique_lock<Mutex> lock(m_mutex);
    m_finished = true;
    m_outcome = outcome;
    return WakeUnlessPending(lock);
}

void RowQueue::RequestStop()
{
    m_stop.store(true, std::memory_order_relaxed);
    m_pastLimit.Open();
}

RowQueue::Batch RowQueue::Take(std::size_t maxRows)
{
    Batch batch;
    std::unique_lock<Mutex> lock(m_mutex);
    const auto count = std::min(maxRows, m_rows.size());
    batch.rows.assign(std::make_move_iterator(m_rows.begin()),
                      std::make_move_iterator(m_rows.begin() + static_cast<std::ptrdiff_t>(count)));
    m_rows.erase(m_rows.begin(), m_rows.begin() + static_cast<std::ptrdiff_t>(count));
    if (m_rows.empty() && m_waiting) {
        m_waiting = false;
        batch.waitingAtLimit = true;
    }
    if (m_rows.empty() && m_finished && !m_finishReported) {
        m_finishReported = true;
        batch.finished = true;
    }
    batch.more = !m_rows.empty();
    m_wakePending = batch.more;
    return batch;
}

bool RowQueue::WakeUnlessPending(std::unique_lock<Mutex>& lock)
{
    if (m_wakePending)
        return true;
    m_wakePending = true;
    // The wake-up posts a message; it must not run under the lock, so that a
    // consumer that is woken at once never blocks on it.
    lock.unlock();
    if (m_wake())
        return true;
    // A consumer that took rows meanwhile may already be coming back; then
    // the next row only wakes it once more than needed.
    lock.lock();
    m_wakePending = false;
    return false;
}

#pragma once
#include <atomic>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/Gate.h"
#include "platform/Mutex.h"
#include "scan/Enumeration.h"
#include "scan/RowSink.h"

// Carries rows from the enumeration thread to the thread that owns the list.
//
// The producer never waits for the consumer: it appends under a short lock
// and calls `wake` only when the consumer is idle, so at most one wake-up is
// in flight however fast rows arrive. The consumer takes bounded batches;
// while a batch reports more rows it is not idle, and comes back on its own.
// A wake-up that fails (`wake` returns false) leaves the consumer idle: the
// next row tries again.
//
// At the row limit the walk goes on, stops, or waits there until the
// consumer says to go on or to stop.
class RowQueue final : public RowSink {
public:
    enum class AtLimit { Stop, GoOn, Wait };

    struct Batch {
        std::vector<ListRow> rows;
        // Rows are left: the consumer must come back for them unasked.
        bool more = false;
        // True once for each wait at the row limit: in the batch that
        // empties the queue while the walk waits there.
        bool waitingAtLimit = false;
        // True exactly once: in the batch that empties the queue after Finish.
        bool finished = false;
    };

    explicit RowQueue(std::function<bool()> wake, AtLimit atLimit = AtLimit::Stop);

    // Producer side.
    void AddRow(ListRow row) override;
    void FileChecked() override;
    bool StopRequested() const override;
    bool GoOnPastLimit() override;
    // Says that no rows follow, and how the listing ended; false when the
    // consumer could not be woken to hear it, and the producer must try
    // again.
    bool Finish(ListingOutcome outcome = {});

    // Consumer side.
    Batch Take(std::size_t maxRows);
    void RequestStop();
    // Lets a walk that waits at the row limit go on past it.
    void GoOn();
    // How far the enumeration has got: files asked about, rows found.
    unsigned FilesChecked() const { return m_checked.load(std::memory_order_relaxed); }
    unsigned RowsFound() const { return m_found.load(std::memory_order_relaxed); }
    // Meaningful once Take has reported the end.
    const ListingOutcome& Outcome() const { return m_outcome; }

private:
    // False when the consumer is idle and could not be woken.
    bool WakeUnlessPending(std::unique_lock<Mutex>& lock);

    const std::function<bool()> m_wake;
    const AtLimit m_atLimit;
    // Opened to let the walk past the limit, or to stop it there.
    Gate m_pastLimit;
    Mutex m_mutex;
    std::deque<ListRow> m_rows;
    bool m_wakePending = false;
    bool m_waiting = false;
    bool m_finished = false;
    bool m_finishReported = false;
    ListingOutcome m_outcome;
    std::atomic<bool> m_stop{false};
    std::atomic<unsigned> m_checked{0};
    std::atomic<unsigned> m_found{0};
};

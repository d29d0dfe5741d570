#pragma once
#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>

// Where a verification's time goes, each step's summed over the threads
// that verify, and how much it read: what a benchmark asks a verifier to
// note.
struct StepTimes {
    enum Step { kCatalogHash, kCatalogSearch, kSignatureCheck, kSha256, kVersionResource, kStepCount };

    std::array<std::atomic<std::uint64_t>, kStepCount> nanoseconds{};
    // The files read, and their bytes: a file of several names once.
    std::atomic<std::uint64_t> filesRead{0};
    std::atomic<std::uint64_t> bytesRead{0};
};

// Adds the time from its making to its end to one step of `times`, when
// there are times to note.
class StepTimer {
public:
    StepTimer(StepTimes* times, StepTimes::Step step)
        : m_times(times), m_step(step), m_start(times ? std::chrono::steady_clock::now() : Clock::time_point())
    {
    }
    ~StepTimer()
    {
        if (m_times)
            m_times->nanoseconds[m_step] += static_cast<std::uint64_t>(
                std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - m_start).count());
    }
    StepTimer(const StepTimer&) = delete;
    StepTimer& operator=(const StepTimer&) = delete;

private:
    using Clock = std::chrono::steady_clock;
    StepTimes* m_times;
    StepTimes::Step m_step;
    Clock::time_point m_start;
};

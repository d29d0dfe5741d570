#pragma once
#include <atomic>
#include <functional>
#include <memory>

#include "support/Semaphore.h"
#include "verify/VerificationJob.h"

// A verification job's end as a test hears it: the ends it is told of, and
// the deletion of the job it was given to. A test waits for that before its
// stand-ins go, since the last worker may still hold the job after the test
// has heard it end.
class JobEnds {
public:
    std::atomic<int> ends{0};
    Semaphore ended;

    std::function<void()> Callback()
    {
        struct Notice {
            Semaphore& deleted;
            ~Notice() { deleted.Release(); }
        };
        auto notice = std::make_shared<Notice>(m_deleted);
        return [this, notice] {
            ++ends;
            ended.Release();
        };
    }
    // Lets go of `job` and waits until its workers have too.
    bool Release(std::shared_ptr<VerificationJob>& job)
    {
        job.reset();
        return m_deleted.Acquire();
    }

private:
    Semaphore m_deleted;
};

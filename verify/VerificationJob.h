#pragma once
#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Mutex.h"
#include "verify/SeenFiles.h"
#include "verify/TrustService.h"

class ThreadStarter;

// How far a job has got, all of it taken at one moment.
struct VerificationProgress {
    std::size_t total = 0;
    std::size_t verified = 0;
    // Verified files of each kind, indexed by the kind's value.
    std::array<std::size_t, kTrustKindCount> counts{};
    // No worker is verifying any more.
    bool ended = false;

    // Ended before every file was verified: stopped, or no worker started.
    bool Partial() const { return ended && verified < total; }
    // Verified files found anything but signed and trusted.
    std::size_t Untrusted() const;
};

// Verifies a list of files on a small pool of worker threads.
//
// The workers share ownership of the job with its owner, so the owner may
// let go of it at any time and never waits for them: it asks them to stop
// and drops its pointer; each worker stops before its next file, and the
// last one out deletes the job. Progress and results are read under a lock
// that is held only to copy them. A file's verification, once begun, runs
// to its end (a WinVerifyTrust call cannot be interrupted), so a stop takes
// effect within the longest single verification.
class VerificationJob {
public:
    // Two, or one per processor up to four.
    static unsigned DefaultWorkerCount();

    // Starts verifying the files that `paths` name with `trust` on
    // `workers` threads of `threads` (no more than there are files).
    // `ended` is called once the job has ended, on the thread that ends it:
    // the last worker, or this one when none could start or there are no
    // files. It must not wait for the
    // owner's thread (post a message), and it may be called after the owner
    // has let go. The services must outlive every worker.
    static std::shared_ptr<VerificationJob> Start(std::vector<std::string> paths, TrustService& trust,
                                                  ThreadStarter& threads, std::function<void()> ended,
                                                  unsigned workers = DefaultWorkerCount());

    VerificationJob(const VerificationJob&) = delete;
    VerificationJob& operator=(const VerificationJob&) = delete;

    VerificationProgress Progress() const;
    // One entry per path, in the order of the paths, empty for a file not
    // verified (or not verified yet): moved out of a job that has ended,
    // which then holds none; copied from one that has not.
    std::vector<std::optional<FileVerification>> TakeResults();
    // Workers take no further file. What is verified stays.
    void RequestStop();

private:
    VerificationJob(std::vector<std::string> paths, TrustService& trust, std::function<void()> ended,
                    unsigned runners);

    void Work();
    // One runner fewer; the last one ends the job.
    void RunnerDone();

    const std::vector<std::string> m_paths;
    TrustService& m_trust;
    const std::function<void()> m_ended;
    SeenFiles m_seen;
    std::atomic<std::size_t> m_next{0};
    std::atomic<bool> m_stop{false};
    // The workers still running, and the starter until every worker is
    // started, so the job cannot end while workers are still being added.
    std::atomic<unsigned> m_runners;

    mutable Mutex m_mutex;
    std::vector<std::optional<FileVerification>> m_results;
    VerificationProgress m_progress;
};

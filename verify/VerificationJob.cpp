#include "verify/VerificationJob.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/ThreadStarter.h"
#include "verify/TrustService.h"

std::size_t VerificationProgress::Untrusted() const
{
    std::size_t untrusted = 0;
    for (std::size_t kind = 0; kind < kTrustKindCount; ++kind) {
        if (!IsTrusted(static_cast<TrustKind>(kind)))
            untrusted += counts[kind];
    }
    return untrusted;
}

unsigned VerificationJob::DefaultWorkerCount()
{
    return std::clamp(ProcessorCount(), 2u, 4u);
}

std::shared_ptr<VerificationJob> VerificationJob::Start(std::vector<std::string> paths, TrustService& trust,
                                                        ThreadStarter& threads, std::function<void()> ended,
                                                        unsigned workers)
{
    workers = static_cast<unsigned>(std::min<std::size_t>(workers, paths.size()));
    std::shared_ptr<VerificationJob> job(
        new VerificationJob(std::move(paths), trust, std::move(ended), workers + 1));
    for (unsigned n = 0; n < workers; ++n) {
        if (threads.Start([job] { job->Work(); }, ThreadStarter::Priority::Background))
            job->RunnerDone();
    }
    job->RunnerDone();
    return job;
}

VerificationJob::VerificationJob(std::vector<std::string> paths, TrustService& trust, std::function<void()> ended,
                                 unsigned runners)
    : m_paths(std::move(paths)),
      m_trust(trust),
      m_ended(std::move(ended)),
      m_runners(runners),
      m_results(m_paths.size())
{
    m_progress.total = m_paths.size();
}

VerificationProgress VerificationJob::Progress() const
{
    const std::lock_guard<Mutex> lock(m_mutex);
    return m_progress;
}

std::vector<std::optional<FileVerification>> VerificationJob::TakeResults()
{
    const std::lock_guard<Mutex> lock(m_mutex);
    if (!m_progress.ended)
        return m_results;
    return std::exchange(m_results, {});
}

void VerificationJob::RequestStop()
{
    m_stop.store(true, std::memory_order_relaxed);
}

void VerificationJob::Work()
{
    while (!m_stop.load(std::memory_order_relaxed)) {
        const std::size_t n = m_next.fetch_add(1, std::memory_order_relaxed);
        if (n >= m_paths.size())
            break;
        FileVerification file = m_trust.Verify(m_paths[n], m_seen);
        const std::lock_guard<Mutex> lock(m_mutex);
        ++m_progress.counts[static_cast<std::size_t>(file.trust.kind)];
        ++m_progress.verified;
        m_results[n] = std::move(file);
    }
    RunnerDone();
}

void VerificationJob::RunnerDone()
{
    if (m_runners.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return;
    {
        const std::lock_guard<Mutex> lock(m_mutex);
        m_progress.ended = true;
    }
    m_ended();
}

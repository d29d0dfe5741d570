#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Mutex.h"
#include "platform/ThreadStarter.h"
#include "support/JobEnds.h"
#include "support/Semaphore.h"
#include "verify/TrustService.h"
#include "verify/VerificationJob.h"

namespace {

// File n of a test's list; its result is of kind n % kTrustKindCount.
std::string PathOf(std::size_t n)
{
    return "C:\\files\\file" + std::to_string(n) + ".dll";
}

std::size_t NumberOf(const std::string& path)
{
    return std::stoul(path.substr(PathOf(0).size() - 5));
}

TrustResult ResultFor(const std::string& path)
{
    return {static_cast<TrustKind>(NumberOf(path) % kTrustKindCount), "signer of " + path, "", ""};
}

std::vector<std::string> Files(std::size_t count)
{
    std::vector<std::string> paths;
    for (std::size_t n = 0; n < count; ++n)
        paths.push_back(PathOf(n));
    return paths;
}

// Answers each file only once the test has let a call through; says when a
// call begins. A test that waits for calls to begin never depends on how
// fast anything runs.
class GatedTrust final : public TrustService {
public:
    Semaphore permits;
    Semaphore entered;

    FileVerification Verify(const std::string& path, SeenFiles&) override
    {
        entered.Release();
        permits.Acquire();
        const std::lock_guard<Mutex> lock(m_mutex);
        ++m_calls[path];
        return {ResultFor(path), "hash of " + path};
    }

    // Waits until `count` more calls have begun.
    bool WaitEntered(int count)
    {
        for (int n = 0; n < count; ++n) {
            if (!entered.Acquire())
                return false;
        }
        return true;
    }

    std::map<std::string, int> Calls()
    {
        const std::lock_guard<Mutex> lock(m_mutex);
        return m_calls;
    }

private:
    Mutex m_mutex;
    std::map<std::string, int> m_calls;
};

}  // namespace

TEST(VerificationJob, VerifiesEveryFileOnceAndKeepsEachResultAtItsFilesPlace)
{
    constexpr std::size_t kFiles = 100;
    GatedTrust trust;
    JobEnds listener;
    trust.permits.Release(kFiles);
    auto job = VerificationJob::Start(Files(kFiles), trust, ThreadStarter::System(), listener.Callback(), 3);
    ASSERT_TRUE(listener.ended.Acquire());
    const VerificationProgress progress = job->Progress();
    EXPECT_TRUE(progress.ended);
    EXPECT_FALSE(progress.Partial());
    EXPECT_EQ(progress.total, kFiles);
    EXPECT_EQ(progress.verified, kFiles);
    for (std::size_t kind = 0; kind < kTrustKindCount; ++kind)
        EXPECT_EQ(progress.counts[kind], (kFiles - kind + kTrustKindCount - 1) / kTrustKindCount) << kind;
    const auto results = job->TakeResults();
    ASSERT_EQ(results.size(), kFiles);
    for (std::size_t n = 0; n < kFiles; ++n) {
        ASSERT_TRUE(results[n].has_value()) << n;
        EXPECT_EQ(results[n]->trust.kind, ResultFor(PathOf(n)).kind) << n;
        EXPECT_EQ(results[n]->trust.signer, "signer of " + PathOf(n));
        EXPECT_EQ(results[n]->sha256, "hash of " + PathOf(n));
    }
    const auto calls = trust.Calls();
    EXPECT_EQ(calls.size(), kFiles);
    for (const auto& [path, count] : calls)
        EXPECT_EQ(count, 1) << path;
    ASSERT_TRUE(listener.Release(job));
    EXPECT_EQ(listener.ends, 1);
}

TEST(VerificationJob, ProgressCountsWhatIsVerifiedWhileTheWorkersGoOn)
{
    GatedTrust trust;
    JobEnds listener;
    constexpr int kWorkers = 2;
    auto job = VerificationJob::Start(Files(20), trust, ThreadStarter::System(), listener.Callback(), kWorkers);
    ASSERT_TRUE(trust.WaitEntered(kWorkers));
    EXPECT_EQ(job->Progress().verified, 0u);
    // Five calls pass; once as many have begun again, the workers that made
    // them have recorded their files and taken the next.
    trust.permits.Release(5);
    ASSERT_TRUE(trust.WaitEntered(5));
    const VerificationProgress progress = job->Progress();
    EXPECT_EQ(progress.verified, 5u);
    EXPECT_FALSE(progress.ended);
    std::size_t counted = 0;
    for (const std::size_t count : progress.counts)
        counted += count;
    EXPECT_EQ(counted, 5u);
    // Files 0 to 6 are taken, two of them still being verified. Taken from
    // a running job, the results are copied.
    const auto results = job->TakeResults();
    std::size_t kept = 0;
    for (std::size_t n = 0; n < results.size(); ++n) {
        kept += results[n].has_value();
        EXPECT_TRUE(!results[n] || n < kWorkers + 5) << n;
    }
    EXPECT_EQ(kept, 5u);
    trust.permits.Release(20);
    ASSERT_TRUE(listener.ended.Acquire());
    EXPECT_EQ(job->TakeResults().size(), 20u);
    ASSERT_TRUE(listener.Release(job));
}

TEST(VerificationJob, AStopLetsTheFilesBeingVerifiedEndAndBeginsNoOther)
{
    GatedTrust trust;
    JobEnds listener;
    constexpr int kWorkers = 3;
    auto job = VerificationJob::Start(Files(50), trust, ThreadStarter::System(), listener.Callback(), kWorkers);
    ASSERT_TRUE(trust.WaitEntered(kWorkers));
    trust.permits.Release(4);
    ASSERT_TRUE(trust.WaitEntered(4));
    // Files 0 to 3 are verified, 4 to 6 being verified.
    job->RequestStop();
    EXPECT_FALSE(job->Progress().ended);
    trust.permits.Release(kWorkers);
    ASSERT_TRUE(listener.ended.Acquire());
    const VerificationProgress progress = job->Progress();
    EXPECT_TRUE(progress.ended);
    EXPECT_TRUE(progress.Partial());
    EXPECT_EQ(progress.verified, 7u);
    const auto results = job->TakeResults();
    ASSERT_EQ(results.size(), 50u);
    for (std::size_t n = 0; n < results.size(); ++n)
        EXPECT_EQ(results[n].has_value(), n < 7) << n;
    EXPECT_TRUE(job->TakeResults().empty());
    EXPECT_EQ(trust.Calls().size(), 7u);
    ASSERT_TRUE(listener.Release(job));
    EXPECT_EQ(listener.ends, 1);
}

TEST(VerificationJob, AnOwnerThatLetsGoMidRunNeverWaitsAndTheLastWorkerDeletesTheJob)
{
    for (const bool stopFirst : {true, false}) {
        GatedTrust trust;
        JobEnds listener;
        constexpr int kWorkers = 2;
        constexpr std::size_t kFiles = 30;
        auto job = VerificationJob::Start(Files(kFiles), trust, ThreadStarter::System(), listener.Callback(), kWorkers);
        ASSERT_TRUE(trust.WaitEntered(kWorkers));
        const std::weak_ptr<VerificationJob> watched = job;
        if (stopFirst)
            job->RequestStop();
        // Both workers are held up in a file: letting go returns at once.
        job.reset();
        EXPECT_FALSE(watched.expired());
        trust.permits.Release(static_cast<int>(kFiles));
        ASSERT_TRUE(listener.Release(job)) << stopFirst;
        EXPECT_TRUE(watched.expired());
        EXPECT_EQ(listener.ends, 1);
        // Without a stop the workers go on to the end, for nobody.
        EXPECT_EQ(trust.Calls().size(), stopFirst ? kWorkers : kFiles) << stopFirst;
    }
}

TEST(VerificationJob, WithNoFileOrNoWorkerTheJobEndsAtOnce)
{
    // A system that starts no thread.
    class NoThreads final : public ThreadStarter {
    public:
        unsigned Start(std::function<void()>, Priority) override { return 8; }
    };
    NoThreads none;
    struct Case {
        std::size_t files;
        unsigned workers;
        ThreadStarter& threads;
        bool partial;
    };
    const Case cases[] = {{0, 4, ThreadStarter::System(), false}, {3, 0, ThreadStarter::System(), true}, {3, 2, none, true}};
    for (const Case& c : cases) {
        GatedTrust trust;
        JobEnds listener;
        auto job = VerificationJob::Start(Files(c.files), trust, c.threads, listener.Callback(), c.workers);
        // Ended before Start returned, on this thread.
        EXPECT_EQ(listener.ends, 1) << c.files;
        EXPECT_TRUE(job->Progress().ended);
        EXPECT_EQ(job->Progress().Partial(), c.partial) << c.files;
        EXPECT_TRUE(trust.Calls().empty());
        ASSERT_TRUE(listener.Release(job));
    }
}

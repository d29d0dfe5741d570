#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/DllLoader.h"
#include "framework/SystemError.h"
#include "gui/TestServices.h"
#include "support/JobEnds.h"
#include "platform/ThreadStarter.h"
#include "verify/VerificationJob.h"
#include "verify/WinTrustService.h"

namespace {

struct Expected {
    const char* file;
    TrustKind kind;
    const char* signer;
    // The vouching catalog, as trust_setup installed it.
    const char* catalog = "";
};

// What Wine 8 makes of each sample. The changed file's signature fails
// before any signer is known.
const Expected kSamples[] = {
    {"signed.exe", TrustKind::SignedEmbedded, "Vorlane Test Signer"},
    {"updated.exe", TrustKind::SignedEmbedded, "Vorlane Test Signer"},
    {"catalogued.inf", TrustKind::SignedCatalog, "Vorlane Test Signer", "vorlane-test.cat"},
    {"changed.exe", TrustKind::DoesNotMatch, ""},
    {"unsigned.exe", TrustKind::NotSigned, ""},
    {"untrusted.exe", TrustKind::SignerNotTrusted, "Vorlane Untrusted Signer"},
};

// Keeps a copy of a sample open with no sharing, so nobody else can open
// it, for as long as it lives.
class LockedCopy {
public:
    explicit LockedCopy(const std::string& sample) : m_path(sample + ".locked")
    {
        ::CopyFileA(sample.c_str(), m_path.c_str(), FALSE);
        m_handle = ::CreateFileA(m_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    ~LockedCopy()
    {
        ::CloseHandle(m_handle);
        ::DeleteFileA(m_path.c_str());
    }
    LockedCopy(const LockedCopy&) = delete;
    LockedCopy& operator=(const LockedCopy&) = delete;

    const std::string& Path() const { return m_path; }
    bool Locked() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    std::string m_path;
    HANDLE m_handle;
};

}  // namespace

TEST(WinTrustService, TellsEachKindOfFileApartAndNamesItsSigner)
{
    StandInRedirection redirection;
    WinTrustService trust(DllLoader::System(), redirection);
    for (const Expected& sample : kSamples) {
        const TrustResult result = trust.Verify(TrustSample(sample.file)).trust;
        EXPECT_EQ(ResultText(result), ResultText({sample.kind, "", "", ""})) << sample.file;
        EXPECT_EQ(result.signer, sample.signer) << sample.file;
        EXPECT_EQ(result.catalog, sample.catalog) << sample.file;
    }
}

TEST(WinTrustService, AFileThatCannotBeOpenedSaysWhyInTheSystemsWords)
{
    StandInRedirection redirection;
    WinTrustService trust(DllLoader::System(), redirection);
    const LockedCopy locked(TrustSample("signed.exe"));
    ASSERT_TRUE(locked.Locked());
    const struct {
        std::string path;
        DWORD error;
    } cases[] = {
        {TrustSample("no such file.dll"), ERROR_FILE_NOT_FOUND},
        {locked.Path(), ERROR_SHARING_VIOLATION},
    };
    for (const auto& c : cases) {
        const FileVerification verified = trust.Verify(c.path);
        EXPECT_EQ(ResultText(verified.trust), "Could not be read: " + SystemErrorText(c.error)) << c.path;
        EXPECT_EQ(verified.trust.signer, "") << c.path;
        EXPECT_EQ(verified.sha256, "") << c.path;
    }
}

TEST(WinTrustService, VerifiesOnSeveralThreadsAtOnce)
{
    StandInRedirection redirection;
    WinTrustService trust(DllLoader::System(), redirection);
    constexpr int kRounds = 8;
    std::vector<std::string> paths;
    for (int round = 0; round < kRounds; ++round) {
        for (const Expected& sample : kSamples)
            paths.push_back(TrustSample(sample.file));
    }
    JobEnds listener;
    auto job = VerificationJob::Start(paths, trust, ThreadStarter::System(), listener.Callback(), 4);
    ASSERT_TRUE(listener.ended.Acquire());
    const auto results = job->TakeResults();
    ASSERT_TRUE(listener.Release(job));
    ASSERT_EQ(results.size(), paths.size());
    for (std::size_t n = 0; n < results.size(); ++n) {
        const Expected& sample = kSamples[n % std::size(kSamples)];
        ASSERT_TRUE(results[n].has_value()) << n;
        EXPECT_EQ(results[n]->trust.kind, sample.kind) << n << " " << sample.file;
        EXPECT_EQ(results[n]->trust.signer, sample.signer) << n;
    }
}

TEST(WinTrustService, HashesEachFileAsOpensslDid)
{
    StandInRedirection redirection;
    WinTrustService trust(DllLoader::System(), redirection);
    std::ifstream sums(TrustSample("sha256.txt"));
    std::string line;
    int files = 0;
    while (std::getline(sums, line)) {
        std::istringstream fields(line);
        std::string sum, file;
        fields >> sum >> file;
        EXPECT_EQ(trust.Verify(TrustSample(file)).sha256, sum) << file;
        ++files;
    }
    EXPECT_EQ(files, 8);
}

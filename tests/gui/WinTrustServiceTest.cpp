#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
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
    // The sample whose SHA-256 the root is; none for no trusted chain.
    const char* root = "";
    const char* version = "";
    const char* originalName = "";
};

// What Wine 8 makes of each sample. The changed file's signature fails
// before any signer is known. The .inf file has no version resource: its
// catalog names it.
const Expected kSamples[] = {
    {"signed.exe", TrustKind::SignedEmbedded, "Vorlane Test Signer", "", "test-root.cer"},
    {"updated.exe", TrustKind::SignedEmbedded, "Vorlane Test Signer", "", "test-root.cer"},
    {"catalogued.inf", TrustKind::SignedCatalog, "Vorlane Test Signer", "vorlane-test.cat", "test-root.cer", "",
     "catalogued.inf"},
    {"changed.exe", TrustKind::DoesNotMatch, ""},
    {"unsigned.exe", TrustKind::NotSigned, ""},
    {"untrusted.exe", TrustKind::SignerNotTrusted, "Vorlane Untrusted Signer"},
    {"version-1.exe", TrustKind::SignedEmbedded, "Vorlane Test Signer", "", "test-root.cer", "1.0.0.1", "sample.exe"},
    {"version-2.exe", TrustKind::SignedEmbedded, "Vorlane Test Signer", "", "test-root.cer", "1.0.0.2", "sample.exe"},
    {"rebuilt-2.exe", TrustKind::SignedEmbedded, "Vorlane Test Signer", "", "test-root.cer", "1.0.0.2", "sample.exe"},
    {"other.exe", TrustKind::SignedEmbedded, "Vorlane Test Signer", "", "test-root.cer", "1.0.0.2", "other.exe"},
    {"impostor-2.exe", TrustKind::SignedEmbedded, "Vorlane Test Signer", "", "impostor-root.cer", "1.0.0.2",
     "sample.exe"},
};

// The samples' SHA-256s as openssl wrote them, by file name.
std::map<std::string, std::string> SampleSums()
{
    std::map<std::string, std::string> sums;
    std::ifstream listed(TrustSample("sha256.txt"));
    for (std::string sum, file; listed >> sum >> file;)
        sums[file] = sum;
    return sums;
}

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
    RealVerifier verifier(DllLoader::System(), redirection);
    WinTrustService& trust = verifier.trust;
    const std::map<std::string, std::string> sums = SampleSums();
    ASSERT_NE(sums.at("test-root.cer"), sums.at("impostor-root.cer"));
    for (const Expected& sample : kSamples) {
        const FileVerification verified = VerifiedAlone(trust, TrustSample(sample.file));
        const TrustResult& result = verified.trust;
        EXPECT_EQ(ResultText(result), ResultText({sample.kind, "", "", ""})) << sample.file;
        EXPECT_EQ(result.signer, sample.signer) << sample.file;
        EXPECT_EQ(result.catalog, sample.catalog) << sample.file;
        EXPECT_EQ(result.root, *sample.root ? sums.at(sample.root) : "") << sample.file;
        EXPECT_EQ(verified.description.version, sample.version) << sample.file;
        EXPECT_EQ(verified.description.originalName, sample.originalName) << sample.file;
    }
    // A catalog names its member whatever name the file goes by.
    TempTree tree;
    tree.CopyIn(TrustSample("catalogued.inf"), "renamed.inf");
    EXPECT_EQ(VerifiedAlone(trust, tree.Root() + "\\renamed.inf").description.originalName, "catalogued.inf");
}

TEST(WinTrustService, ReadsAFileOfSeveralNamesOnceUnlessItHasChangedSince)
{
    // Notes which paths are read for their version resource: every file
    // that is verified, not given another name's result.
    class NotedDescriptions final : public FileDescriptionSource {
    public:
        std::vector<std::string> read;
        FileDescription Describe(const std::string& path) override
        {
            read.push_back(path);
            return {};
        }
    };
    StandInRedirection redirection;
    NotedDescriptions descriptions;
    WinTrustService trust(DllLoader::System(), redirection, descriptions);
    TempTree tree;
    tree.CopyIn(TrustSample("signed.exe"), "winsxs.exe");
    tree.CopyIn(TrustSample("signed.exe"), "copy.exe");
    const std::string winsxs = tree.Root() + "\\winsxs.exe";
    const std::string system32 = tree.Root() + "\\system32.exe";
    const std::string copy = tree.Root() + "\\copy.exe";
    ASSERT_TRUE(::CreateHardLinkA(system32.c_str(), winsxs.c_str(), nullptr));
    const auto written = [](const std::string& path) { std::ofstream(path, std::ios::binary | std::ios::app) << 'x'; };
    const auto replaced = [&](const std::string& path) {
        ::DeleteFileA(path.c_str());
        tree.CopyIn(TrustSample("unsigned.exe"), path.substr(tree.Root().size() + 1));
    };
    const struct {
        const char* name;
        std::function<void()> before;
        std::string path;
        bool read;
        const char* result;
    } turns[] = {
        {"the first name", [] {}, winsxs, true, "Signed (embedded)"},
        {"its second", [] {}, system32, false, "Signed (embedded)"},
        {"a copy, another file", [] {}, copy, true, "Signed (embedded)"},
        {"the first name again", [] {}, winsxs, false, "Signed (embedded)"},
        // A byte after the signature: it no longer reads as one.
        {"written through the other name", [&] { written(winsxs); }, system32, true, "Not signed"},
        {"a name made another file", [&] { replaced(winsxs); }, winsxs, true, "Not signed"},
        // A file of one name is read whenever it is verified.
        {"the name left", [] {}, system32, true, "Not signed"},
    };
    SeenFiles seen;
    std::map<std::string, std::string> sha256;
    for (const auto& turn : turns) {
        turn.before();
        descriptions.read.clear();
        const FileVerification verified = trust.Verify(turn.path, seen);
        EXPECT_EQ(ResultText(verified.trust), turn.result) << turn.name;
        EXPECT_EQ(descriptions.read, turn.read ? std::vector<std::string>{turn.path} : std::vector<std::string>{})
            << turn.name;
        EXPECT_EQ(verified.sha256, VerifiedAlone(trust, turn.path).sha256) << turn.name;
    }
}

TEST(WinTrustService, AFileThatCannotBeOpenedSaysWhyInTheSystemsWords)
{
    StandInRedirection redirection;
    RealVerifier verifier(DllLoader::System(), redirection);
    WinTrustService& trust = verifier.trust;
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
        const FileVerification verified = VerifiedAlone(trust, c.path);
        EXPECT_EQ(ResultText(verified.trust), "Could not be read: " + SystemErrorText(c.error)) << c.path;
        EXPECT_EQ(verified.trust.signer, "") << c.path;
        EXPECT_EQ(verified.sha256, "") << c.path;
    }
}

TEST(WinTrustService, VerifiesOnSeveralThreadsAtOnce)
{
    StandInRedirection redirection;
    RealVerifier verifier(DllLoader::System(), redirection);
    WinTrustService& trust = verifier.trust;
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
    RealVerifier verifier(DllLoader::System(), redirection);
    WinTrustService& trust = verifier.trust;
    std::ifstream sums(TrustSample("sha256.txt"));
    std::string line;
    int files = 0;
    while (std::getline(sums, line)) {
        std::istringstream fields(line);
        std::string sum, file;
        fields >> sum >> file;
        EXPECT_EQ(VerifiedAlone(trust, TrustSample(file)).sha256, sum) << file;
        ++files;
    }
    EXPECT_EQ(files, 14);
}

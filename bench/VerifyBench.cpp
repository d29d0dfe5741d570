// Measures signature verification: the job's own cost for 30001 files
// against services that answer at once, then the real verifier (and the
// SHA-256 of the files' bytes) in files per second, on the signature
// samples in demo\trust-samples of this build and on the system folder's
// programs and libraries. Prints figures only.
//
//   verify_bench [files]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "verify/CryptoApiFileHasher.h"
#include "verify/VerificationJob.h"
#include "verify/WinTrustService.h"

namespace {

constexpr int kRounds = 5;
constexpr std::size_t kSystemFiles = 400;

class InstantTrust final : public TrustService {
public:
    TrustResult Verify(const std::string&) override { return {TrustKind::SignedCatalog, "Microsoft Windows", ""}; }
};

class InstantHasher final : public FileHasher {
public:
    std::string Sha256(const std::string&) override { return std::string(64, '0'); }
};

struct Run {
    double seconds;
    std::size_t verified;
};

// Verifies `paths` on `workers` threads until the job ends, results
// collected.
Run RunJob(const std::vector<std::string>& paths, TrustService& trust, FileHasher* hasher, unsigned workers)
{
    // Closed by whoever lets go last: this function, or the job's last
    // worker.
    const std::shared_ptr<void> ended(::CreateEventA(nullptr, FALSE, FALSE, nullptr), ::CloseHandle);
    const double start = Now();
    const auto job = VerificationJob::Start(paths, trust, hasher, [ended] { ::SetEvent(ended.get()); }, workers);
    ::WaitForSingleObject(ended.get(), INFINITE);
    job->Results();
    return {Now() - start, job->Progress().verified};
}

std::string OwnFolder()
{
    char self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path(self, length < MAX_PATH ? length : 0);
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::vector<std::string> Samples(int rounds)
{
    const std::string folder = OwnFolder() + "..\\demo\\trust-samples\\";
    std::vector<std::string> paths;
    for (int round = 0; round < rounds; ++round) {
        for (const char* file : {"signed.exe", "changed.exe", "unsigned.exe", "untrusted.exe", "catalogued.inf"})
            paths.push_back(folder + file);
    }
    return paths;
}

// The first programs and libraries of the system folder.
std::vector<std::string> SystemFiles()
{
    char system[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(system, MAX_PATH);
    const std::string folder = std::string(system, length < MAX_PATH ? length : 0) + "\\";
    std::vector<std::string> paths;
    WIN32_FIND_DATAA entry;
    const HANDLE hFind = ::FindFirstFileA((folder + "*.*").c_str(), &entry);
    if (hFind == INVALID_HANDLE_VALUE)
        return paths;
    do {
        const std::string name = entry.cFileName;
        const std::string extension = name.size() > 4 ? name.substr(name.size() - 4) : "";
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (extension == ".dll" || extension == ".exe"))
            paths.push_back(folder + name);
    } while (paths.size() < kSystemFiles && ::FindNextFileA(hFind, &entry));
    ::FindClose(hFind);
    return paths;
}

double Megabytes(const std::vector<std::string>& paths)
{
    double bytes = 0;
    for (const std::string& path : paths) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
            bytes += static_cast<double>(data.nFileSizeLow) + 4294967296.0 * data.nFileSizeHigh;
    }
    return bytes / 1e6;
}

void PrintReal(const char* what, const std::vector<std::string>& paths, TrustService& trust, FileHasher& hasher)
{
    const unsigned workers = VerificationJob::DefaultWorkerCount();
    const Run one = RunJob(paths, trust, nullptr, 1);
    const Run pool = RunJob(paths, trust, nullptr, workers);
    const Run hashed = RunJob(paths, trust, &hasher, workers);
    std::printf("%s, %zu files (%.1f MB):\n", what, paths.size(), Megabytes(paths));
    std::printf("  verified on 1 thread:  %.0f files/s\n", static_cast<double>(one.verified) / one.seconds);
    std::printf("  verified on %u threads: %.0f files/s\n", workers, static_cast<double>(pool.verified) / pool.seconds);
    std::printf("  verified and hashed on %u threads: %.0f files/s\n", workers,
                static_cast<double>(hashed.verified) / hashed.seconds);
}

}  // namespace

int main(int argc, char** argv)
{
    const int files = argc > 1 ? std::atoi(argv[1]) : 30001;
    std::vector<std::string> paths;
    for (int n = 1; n <= files; ++n)
        paths.push_back(BenchPath(static_cast<unsigned>(n)));
    InstantTrust instantTrust;
    InstantHasher instantHasher;
    const unsigned workers = VerificationJob::DefaultWorkerCount();
    for (const unsigned threads : {1u, workers}) {
        double best = 1e9;
        for (int round = 0; round < kRounds; ++round)
            best = std::min(best, RunJob(paths, instantTrust, &instantHasher, threads).seconds);
        std::printf("the job's own cost for %d files, start to results, on %u thread%s (best of %d): %.1f ms\n",
                    files, threads, threads == 1 ? "" : "s", kRounds, best * 1000);
    }

    WinTrustService trust(DllLoader::System());
    CryptoApiFileHasher hasher;
    PrintReal("WinVerifyTrust on the signature samples", Samples(40), trust, hasher);
    PrintReal("WinVerifyTrust on the system folder's programs and libraries", SystemFiles(), trust, hasher);
    return 0;
}

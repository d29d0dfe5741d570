// Measures signature verification: the job's own cost for 30001 files
// against services that answer at once, then the real verifier (and the
// SHA-256 of the files' bytes) in files per second, on the signature
// samples in demo\trust-samples of this build and on the system folder's
// programs and libraries, and how well the Verify Signatures dialog answers
// while it verifies; on the system folder, the verification against its
// floor, each file read and hashed once with each of the platform's ways to
// hash. With /floor, that floor alone on the distinct files of a tree that
// tools/make-windows-tree.py made (tools/bench.sh drops the system's caches
// before it where it can, and takes the same floor natively). Prints
// figures only.
//
//   verify_bench [files]
//   verify_bench /floor TREE first-cng|first-cryptoapi|warm [LIST]
//   verify_bench /tree TREE
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/VerifyDlg.h"
#include "bench/BenchSupport.h"
#include "framework/Handle.h"
#include "platform/OpenForReading.h"
#include "platform/TextConversion.h"
#include "platform/Wow64Redirection.h"
#include "verify/Sha256Hashing.h"
#include "verify/VerificationJob.h"
#include "verify/WinTrustService.h"

namespace {

constexpr int kRounds = 5;
constexpr std::size_t kSystemFiles = 400;

class InstantTrust final : public TrustService {
public:
    FileVerification Verify(const std::string&, SeenFiles&) override
    {
        return {{TrustKind::SignedCatalog, "Microsoft Windows", "", ""}, std::string(64, '0')};
    }
};

// Answers fast, waiting a millisecond for one file in 16: 10 to 20
// thousand files a second. One file in three is not signed, so that the
// dialog ends with a long list to show.
class FastMixedTrust final : public TrustService {
public:
    FileVerification Verify(const std::string& path, SeenFiles&) override
    {
        if (std::hash<std::string>{}(path) % 16 == 0)
            ::Sleep(1);
        if (std::hash<std::string>{}(path) % 3 == 0)
            return {{TrustKind::NotSigned, "", "", ""}, std::string(64, '0')};
        return {{TrustKind::SignedCatalog, "Microsoft Windows", "", ""}, std::string(64, '0')};
    }
};

// The real Verify Signatures dialog, probed from its start until it has
// shown its results; then it closes.
class ProbedVerifyDlg : public CVerifyDlg {
public:
    using CVerifyDlg::CVerifyDlg;
    std::vector<double> answers;
    double seconds = 0;

protected:
    BOOL OnInitDialog() override
    {
        m_start = Now();
        const BOOL result = CVerifyDlg::OnInitDialog();
        m_probe = std::make_unique<AnswerProbe>(GetDlgItem(IDC_VERIFY_LIST));
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result = CVerifyDlg::WindowProc(message, wParam, lParam);
        if (seconds == 0 && ::IsWindowEnabled(GetDlgItem(IDC_VERIFY_COPY))) {
            ::UpdateWindow(m_hWnd);
            seconds = Now() - m_start;
            PostMessage(WM_COMMAND, IDCANCEL);
        }
        return result;
    }
    // Not while a message is handled: the probe may be waiting for its
    // answer.
    void OnCancel() override
    {
        answers = m_probe->Finish();
        CVerifyDlg::OnCancel();
    }

private:
    double m_start = 0;
    std::unique_ptr<AnswerProbe> m_probe;
};

void PrintDialogAnswers(const char* what, const std::vector<std::string>& paths, TrustService& trust)
{
    std::vector<ListRow> rows;
    for (std::size_t n = 0; n < paths.size(); ++n)
        rows.push_back({static_cast<std::uint32_t>(n + 1), paths[n]});
    WindowsClipboard clipboard;
    WindowsSaveFileSystem files;
    ProbedVerifyDlg dialog(rows, {trust, ThreadStarter::System(), clipboard, files, CommonFileDialogs::System()}, true);
    dialog.DoModal();
    std::printf("the dialog's answers while it verifies %zu files %s: %s, done in %.0f ms\n", paths.size(), what,
                AnswerDelays(dialog.answers).c_str(), dialog.seconds * 1000);
}

struct Run {
    double seconds;
    std::size_t verified;
};

// Verifies `paths` on `workers` threads until the job ends, results
// collected.
Run RunJob(const std::vector<std::string>& paths, TrustService& trust, unsigned workers)
{
    // Closed by whoever lets go last: this function, or the job's last
    // worker.
    const std::shared_ptr<void> ended(::CreateEventA(nullptr, FALSE, FALSE, nullptr), ::CloseHandle);
    const double start = Now();
    const auto job = VerificationJob::Start(paths, trust, ThreadStarter::System(), [ended] { ::SetEvent(ended.get()); }, workers);
    ::WaitForSingleObject(ended.get(), INFINITE);
    job->TakeResults();
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

// Reads each file once and takes its SHA-256 with `hashing`, as the
// verifier opens and hashes it: the floor that no verification of the same
// files can go below.
class HashingOnly final : public TrustService {
public:
    HashingOnly(const Sha256Hashing& hashing, FileSystemRedirection& redirection)
        : m_hashing(hashing), m_redirection(redirection)
    {
    }
    FileVerification Verify(const std::string& path, SeenFiles&) override
    {
        FileVerification verified{{TrustKind::NotChecked, "", "", ""}, ""};
        unsigned error = 0;
        const CHandle file = OpenForReading(WideText(path), m_redirection, FILE_FLAG_SEQUENTIAL_SCAN, error);
        if (file)
            m_hashing.OfFile(file, verified.sha256);
        return verified;
    }

private:
    const Sha256Hashing& m_hashing;
    FileSystemRedirection& m_redirection;
};

// The platform's ways to hash that this Windows has, the one the verifier
// uses first.
std::vector<std::unique_ptr<Sha256Hashing>> Hashings()
{
    std::vector<std::unique_ptr<Sha256Hashing>> hashings;
    unsigned error = 0;
    const auto fastest = Sha256Hashing::Fastest(DllLoader::System(), error);
    for (const Sha256Hashing::Way way : {Sha256Hashing::Way::Cng, Sha256Hashing::Way::CryptoApi}) {
        if (auto hashing = Sha256Hashing::Open(way, DllLoader::System(), error))
            hashings.insert(fastest && way == fastest->Which() ? hashings.begin() : hashings.end(), std::move(hashing));
        else
            std::printf("no %s here (error %u)\n", WayName(way), error);
    }
    return hashings;
}

// Every file below `folder`, with its size in bytes.
void FilesWithSizesBelow(const std::string& folder, std::vector<std::pair<std::string, double>>& files)
{
    WIN32_FIND_DATAA entry;
    const HANDLE hFind = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.emplace_back(folder + "\\" + name,
                               static_cast<double>(entry.nFileSizeLow) + 4294967296.0 * entry.nFileSizeHigh);
        else if (name != "." && name != "..")
            FilesWithSizesBelow(folder + "\\" + name, files);
    } while (::FindNextFileA(hFind, &entry));
    ::FindClose(hFind);
}

// Every file below `folder`.
void FilesBelow(const std::string& folder, std::vector<std::string>& paths)
{
    std::vector<std::pair<std::string, double>> files;
    FilesWithSizesBelow(folder, files);
    for (auto& [path, bytes] : files)
        paths.push_back(std::move(path));
}

// The verifier on every file below the system folder against the floor
// with each way to hash, in rounds taken in turn, so that the cache treats
// all alike.
void PrintAgainstTheFloor(TrustService& trust, FileSystemRedirection& redirection)
{
    char system[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(system, MAX_PATH);
    std::vector<std::string> paths;
    FilesBelow(std::string(system, length < MAX_PATH ? length : 0), paths);
    const double megabytes = Megabytes(paths);
    const unsigned workers = VerificationJob::DefaultWorkerCount();
    const auto hashings = Hashings();
    std::vector<std::vector<double>> floors(hashings.size());
    std::vector<double> verifications;
    for (int round = 0; round < 3; ++round) {
        for (std::size_t way = 0; way < hashings.size(); ++way) {
            HashingOnly floor(*hashings[way], redirection);
            floors[way].push_back(RunJob(paths, floor, workers).seconds);
        }
        verifications.push_back(RunJob(paths, trust, workers).seconds);
    }
    std::printf("every file below the system folder, %zu files (%.1f MB), on %u threads, median of 3:\n",
                paths.size(), megabytes, workers);
    for (std::size_t way = 0; way < hashings.size(); ++way) {
        const double seconds = Median(floors[way]);
        std::printf("  the floor with %s, each file read and hashed once: %s, %.0f files/s, %.1f MB/s\n",
                    WayName(hashings[way]->Which()), Milliseconds(floors[way]).c_str(),
                    static_cast<double>(paths.size()) / seconds, megabytes / seconds);
    }
    if (hashings.empty())
        return;
    // Against the floor of the hashing the verifier itself uses.
    const double floorSeconds = Median(floors.front());
    const double verifySeconds = Median(verifications);
    std::printf("  verified and hashed: %s, %.0f files/s, %.1f MB/s: %.2fx the %s floor (goal at most 2x): %s\n",
                Milliseconds(verifications).c_str(), static_cast<double>(paths.size()) / verifySeconds,
                megabytes / verifySeconds, verifySeconds / floorSeconds, WayName(hashings.front()->Which()),
                verifySeconds <= 2 * floorSeconds ? "meets the goal" : "MISSES THE GOAL");
}

// Each file of a tree that tools/make-windows-tree.py made, once: the first
// of its names as the walk comes to them, told apart by the file system's
// number for the file (a hard link's names give one file; the tree is on
// one volume).
struct DistinctFiles {
    std::size_t paths = 0;
    // Every path, in the walk's order, and the first path of each file.
    std::vector<std::string> all;
    std::vector<std::string> files;
    double bytes = 0;
};

// What GetFileInformationByHandle tells, asked of ntdll alone: under Wine
// that function costs some 0.4 ms a file (it works out the file's name as
// well), this one a twentieth of it.
using QueryInformationFile = LONG(WINAPI*)(HANDLE, void* status, void* information, ULONG size, ULONG kind);
constexpr ULONG kFileInternalInformation = 6;


DistinctFiles DistinctFilesBelow(const std::string& tree)
{
    DistinctFiles distinct;
    const auto query = ProcAs<QueryInformationFile>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile"));
    if (!query)
        return distinct;
    std::vector<std::pair<std::string, double>> files;
    FilesWithSizesBelow(tree, files);
    distinct.paths = files.size();
    std::set<LONGLONG> seen;
    for (const auto& [path, size] : files) {
        distinct.all.push_back(path);
        const CHandle file(::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
        ULONG_PTR status[2];
        LARGE_INTEGER number;
        if (file && query(file, status, &number, sizeof number, kFileInternalInformation) >= 0 &&
            seen.insert(number.QuadPart).second) {
            distinct.files.push_back(path);
            distinct.bytes += size;
        }
    }
    return distinct;
}

constexpr std::size_t kInMemoryBytes = 128 << 20;

// Each way's hashing alone, of bytes in memory, on one thread, the ways in
// turn: the floor without the files.
void PrintHashingInMemory(const std::vector<const Sha256Hashing*>& hashings)
{
    const std::vector<unsigned char> bytes(kInMemoryBytes, 0x5A);
    std::vector<std::vector<double>> seconds(hashings.size());
    for (int round = 0; round < 3; ++round) {
        for (std::size_t way = 0; way < hashings.size(); ++way) {
            std::string hex;
            const double start = Now();
            hashings[way]->OfBytes(bytes, hex);
            seconds[way].push_back(Now() - start);
        }
    }
    for (std::size_t way = 0; way < hashings.size(); ++way) {
        std::printf("  %s, %zu MB in memory on one thread, median of 3: %s, %.1f MB/s\n",
                    WayName(hashings[way]->Which()), kInMemoryBytes >> 20, Milliseconds(seconds[way]).c_str(),
                    static_cast<double>(kInMemoryBytes) / 1e6 / Median(seconds[way]));
    }
}

// verify_bench /floor TREE first-cng|first-cryptoapi|warm [LIST]: the floor
// on the tree's distinct files: one run with one way to hash (cold where
// tools/bench.sh could drop the system's caches just before), or warm, each
// way in turn for three rounds, and then each way's hashing alone, of bytes
// in memory. LIST, where given, gets the files' paths in
// the order they are hashed, one a line, for the same floor taken natively.
int PrintTreeFloor(const std::string& tree, const std::string& runs, const char* list)
{
    const auto hashings = Hashings();
    const bool warm = runs == "warm";
    std::vector<const Sha256Hashing*> used;
    for (const auto& hashing : hashings) {
        if (warm || runs == std::string("first-") + (hashing->Which() == Sha256Hashing::Way::Cng ? "cng" : "cryptoapi"))
            used.push_back(hashing.get());
    }
    // Hashings() has said which way is missing.
    if (used.empty())
        return 0;
    const double start = Now();
    const DistinctFiles distinct = DistinctFilesBelow(tree);
    if (distinct.files.empty()) {
        std::printf("no tree in %s: tools/bench.sh makes it with tools/make-windows-tree.py\n", tree.c_str());
        return 1;
    }
    std::printf("%s: %zu paths, %zu distinct files (%zu paths another name of one), %.1f MB distinct; told apart "
                "in %.1f s\n",
                tree.c_str(), distinct.paths, distinct.files.size(), distinct.paths - distinct.files.size(),
                distinct.bytes / 1e6, Now() - start);
    if (list) {
        std::ofstream out(list, std::ios::binary);
        for (const std::string& path : distinct.files)
            out << path << '\n';
    }
    Wow64Redirection redirection(DllLoader::System());
    const unsigned workers = VerificationJob::DefaultWorkerCount();
    std::vector<std::vector<double>> seconds(used.size());
    for (int round = 0; round < (warm ? 3 : 1); ++round) {
        for (std::size_t way = 0; way < used.size(); ++way) {
            HashingOnly floor(*used[way], redirection);
            seconds[way].push_back(RunJob(distinct.files, floor, workers).seconds);
        }
    }
    std::printf("  each distinct file read and hashed once, on %u threads:\n", workers);
    for (std::size_t way = 0; way < used.size(); ++way) {
        const double median = Median(seconds[way]);
        std::printf("  %s, %s: %s, %.0f files/s, %.1f MB/s\n", WayName(used[way]->Which()),
                    warm ? "warm, median of 3, the ways in turn" : "first run", Milliseconds(seconds[way]).c_str(),
                    static_cast<double>(distinct.files.size()) / median, distinct.bytes / 1e6 / median);
    }
    if (warm)
        PrintHashingInMemory(used);
    return 0;
}

double Seconds(std::uint64_t nanoseconds)
{
    return static_cast<double>(nanoseconds) / 1e9;
}

// verify_bench /tree TREE: the verifier on every path of the tree that
// tools/make-windows-tree.py made, against the same verification of its
// distinct files alone, one name each; where the time of the first goes,
// step by step, and what it read. Warm: a run of the distinct files first
// fills the caches, then the two take turns, twice.
int PrintTreeVerification(const std::string& tree)
{
    const DistinctFiles distinct = DistinctFilesBelow(tree);
    if (distinct.files.empty()) {
        std::printf("no tree in %s: tools/bench.sh makes it with tools/make-windows-tree.py\n", tree.c_str());
        return 1;
    }
    Wow64Redirection redirection(DllLoader::System());
    VersionDllSource versions(DllLoader::System(), redirection);
    VersionResourceDescriptions descriptions(versions);
    WinTrustService trust(DllLoader::System(), redirection, descriptions);
    const unsigned workers = VerificationJob::DefaultWorkerCount();
    RunJob(distinct.files, trust, workers);
    std::vector<double> everyPath;
    std::vector<double> distinctOnly;
    StepTimes times;
    for (int round = 0; round < 2; ++round) {
        StepTimes noted;
        trust.NoteStepsIn(round == 0 ? &times : &noted);
        everyPath.push_back(RunJob(distinct.all, trust, workers).seconds);
        trust.NoteStepsIn(nullptr);
        distinctOnly.push_back(RunJob(distinct.files, trust, workers).seconds);
    }
    const double all = Median(everyPath);
    const double alone = Median(distinctOnly);
    std::printf("%s: %zu paths, %zu distinct files, %.1f MB distinct, verified on %u threads, warm, median of 2:\n",
                tree.c_str(), distinct.all.size(), distinct.files.size(), distinct.bytes / 1e6, workers);
    std::printf("  every path: %s, %.0f paths/s\n", Milliseconds(everyPath).c_str(),
                static_cast<double>(distinct.all.size()) / all);
    std::printf("  the distinct files alone, one name each: %s, %.0f files/s\n", Milliseconds(distinctOnly).c_str(),
                static_cast<double>(distinct.files.size()) / alone);
    std::printf("  every path against the distinct files: %.2fx (goal at most 1.1x): %s\n", all / alone,
                all <= 1.1 * alone ? "meets the goal" : "MISSES THE GOAL");
    std::printf("  read: %llu files, %.1f MB: %s\n", static_cast<unsigned long long>(times.filesRead.load()),
                static_cast<double>(times.bytesRead.load()) / 1e6,
                times.filesRead.load() == distinct.files.size() && times.bytesRead.load() == distinct.bytes
                    ? "each distinct file once, the floor's bytes"
                    : "NOT each distinct file once");
    static const char* const kSteps[] = {"catalog hash", "catalog search", "signature check", "SHA-256",
                                         "version resource"};
    std::printf("  every path's time, step by step, summed over the threads (%.1f s of thread time):\n",
                all * workers);
    for (std::size_t step = 0; step < StepTimes::kStepCount; ++step)
        std::printf("    %-17s %8.2f s\n", kSteps[step], Seconds(times.nanoseconds[step].load()));
    return 0;
}

void PrintReal(const char* what, const std::vector<std::string>& paths, TrustService& trust)
{
    const unsigned workers = VerificationJob::DefaultWorkerCount();
    const Run one = RunJob(paths, trust, 1);
    const Run pool = RunJob(paths, trust, workers);
    std::printf("%s, %zu files (%.1f MB), verified and hashed:\n", what, paths.size(), Megabytes(paths));
    std::printf("  on 1 thread:  %.0f files/s\n", static_cast<double>(one.verified) / one.seconds);
    std::printf("  on %u threads: %.0f files/s\n", workers, static_cast<double>(pool.verified) / pool.seconds);
}

}  // namespace

int main(int argc, char** argv)
{
    if ((argc == 4 || argc == 5) && std::string(argv[1]) == "/floor")
        return PrintTreeFloor(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    if (argc == 3 && std::string(argv[1]) == "/tree")
        return PrintTreeVerification(argv[2]);
    const int files = argc > 1 ? std::atoi(argv[1]) : 30001;
    std::vector<std::string> paths;
    for (int n = 1; n <= files; ++n)
        paths.push_back(BenchPath(static_cast<unsigned>(n)));
    InstantTrust instantTrust;
    const unsigned workers = VerificationJob::DefaultWorkerCount();
    for (const unsigned threads : {1u, workers}) {
        double best = 1e9;
        for (int round = 0; round < kRounds; ++round)
            best = std::min(best, RunJob(paths, instantTrust, threads).seconds);
        std::printf("the job's own cost for %d files, start to results, on %u thread%s (best of %d): %.1f ms\n",
                    files, threads, threads == 1 ? "" : "s", kRounds, best * 1000);
    }
    InitBenchControls();
    FastMixedTrust mixedTrust;
    PrintDialogAnswers("by a fast stand-in, a third unsigned", paths, mixedTrust);

    Wow64Redirection redirection(DllLoader::System());
    VersionDllSource versions(DllLoader::System(), redirection);
    VersionResourceDescriptions descriptions(versions);
    WinTrustService trust(DllLoader::System(), redirection, descriptions);
    PrintDialogAnswers("by WinVerifyTrust, the signature samples", Samples(400), trust);
    PrintReal("WinVerifyTrust on the signature samples", Samples(40), trust);
    PrintReal("WinVerifyTrust on the system folder's programs and libraries", SystemFiles(), trust);
    PrintAgainstTheFloor(trust, redirection);
    return 0;
}

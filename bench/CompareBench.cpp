// Measures the comparison with a baseline on a large system: a baseline of
// WinSxS files as /verify writes it, read back and compared with the files
// verified again, a few hundred of them updated, changed, added or removed;
// as CSV from memory, and as JSON Lines read from a pipe as /compare - reads
// standard input. Then the making of /verify's document of as many files
// in either form, and its writing to a pipe. Paths are keyed as the program
// keys them (Utf8PathKey). Prints figures only.
//
//   compare_bench [rows]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "compare/BaselineReader.h"
#include "compare/Comparison.h"
#include "export/JsonLines.h"
#include "export/ListExport.h"
#include "platform/ReadWholeFile.h"
#include "platform/PathKey.h"
#include "verify/VerificationReport.h"

namespace {

constexpr int kRounds = 5;
constexpr double kGoalSeconds = 1.0;

class Generator {
public:
    std::string Hex(std::size_t digits)
    {
        static const char kDigits[] = "0123456789ABCDEF";
        std::string text;
        for (std::size_t n = 0; n < digits; ++n)
            text += kDigits[m_random() % 16];
        return text;
    }
    std::size_t Pick(std::size_t count) { return m_random() % count; }

    // About 150 characters, as in WinSxS.
    std::string Path(std::size_t n)
    {
        static const char* const components[] = {"kernel32", "ntdll", "shell32-shellcommon", "comctl32",
                                                 "directx-direct3d11", "security-kerberos", "networking-mpssvc-svc",
                                                 "gdiplus", "msxml60", "printing-spooler-core"};
        static const char* const names[] = {"kernelbase", "ntdll", "shell32", "comctl32", "d3d11", "kerberos",
                                            "mpssvc", "gdiplus", "msxml6", "spoolsv"};
        const std::size_t component = n % std::size(components);
        return "C:\\Windows\\WinSxS\\amd64_microsoft-windows-" + std::string(components[component]) +
               "_31bf3856ad364e35_10.0.19041." + std::to_string(1000 + n / std::size(components)) + "_none_" +
               Hex(16) + "\\" + names[component] + "-" + std::to_string(n) + ".dll";
    }

private:
    std::mt19937 m_random{19041};
};

struct Files {
    std::vector<CurrentFile> before;
    std::vector<CurrentFile> after;
};

// Most files signed through a catalog, some embedded, a few not signed.
Files MakeFiles(std::size_t rows, Generator& generator)
{
    Files files;
    for (std::size_t n = 0; n < rows; ++n) {
        const std::size_t kind = generator.Pick(100);
        const char* signature = kind < 90 ? "Signed (catalog)" : kind < 98 ? "Signed (embedded)" : "Not signed";
        CurrentFile& file = files.before.emplace_back();
        file.path = generator.Path(n);
        file.signature = signature;
        file.signer = kind < 98 ? "Microsoft Windows" : "";
        file.sha256 = generator.Hex(64);
        file.catalog = kind < 90 ? "Package_for_RollupFix~31bf3856ad364e35~amd64~~19041.3636.1.8.cat" : "";
        file.version = "10.0.19041.3636";
        file.originalName = file.path.substr(file.path.rfind('\\') + 1);
        file.root = kind < 98 ? std::string(64, 'D') : "";
    }
    files.after = files.before;
    // A few hundred differences, at places spread over the list; one path
    // in 50 listed now in another case.
    for (std::size_t n = 0; n < rows; n += 500) {
        CurrentFile& file = files.after[n];
        switch (n / 500 % 5) {
        case 0:
            file.sha256 = generator.Hex(64);
            file.version = "10.0.19041.3637";
            break;
        case 1:
            file.sha256 = generator.Hex(64);
            file.signature = "Not signed";
            file.signer.clear();
            break;
        case 2:
            file.signature = "Signer not trusted";
            break;
        case 3:
            file.path = generator.Path(rows + n);
            break;
        }
    }
    for (std::size_t n = 0; n < rows; n += 50) {
        for (char& c : files.after[n].path)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    for (std::size_t n = 250; n < rows; n += 1000)
        files.after.erase(files.after.begin() + static_cast<long>(n - n / 1000));
    for (std::size_t n = 0; n < rows / 1000; ++n) {
        CurrentFile& added = files.after.emplace_back(files.before[n]);
        added.path = generator.Path(2 * rows + n);
        added.sha256 = generator.Hex(64);
    }
    return files;
}

std::vector<Record> BaselineRecords(const std::vector<CurrentFile>& files)
{
    std::vector<Record> records;
    records.reserve(files.size());
    for (std::size_t n = 0; n < files.size(); ++n) {
        const CurrentFile& file = files[n];
        records.push_back({FormatRowNumber(static_cast<std::uint32_t>(n + 1)), file.path, file.signature, file.signer,
                           file.sha256, file.catalog, file.version, file.originalName, file.root});
    }
    return records;
}

// A pipe whose one end a thread of its own writes `bytes` into, as a parent
// hands its child's standard input a baseline, or reads to the end and
// drops, as a parent reads its child's standard output.
class Pipe {
public:
    Pipe() { ::CreatePipe(&m_read, &m_write, nullptr, 1 << 16); }
    ~Pipe()
    {
        if (m_thread) {
            ::WaitForSingleObject(m_thread, INFINITE);
            ::CloseHandle(m_thread);
        }
        ::CloseHandle(m_read);
        if (m_write)
            ::CloseHandle(m_write);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    // Reads what `bytes` sends to the end.
    std::string ReadAll(const std::string& bytes)
    {
        m_bytes = &bytes;
        m_thread = ::CreateThread(nullptr, 0, Feed, this, 0, nullptr);
        std::string read;
        ReadStreamToEnd(m_read, read);
        return read;
    }
    // Writes `bytes` into the pipe, whose other end a thread drains.
    void WriteAll(const std::string& bytes)
    {
        m_thread = ::CreateThread(nullptr, 0, Drain, this, 0, nullptr);
        for (std::size_t done = 0; done < bytes.size();) {
            DWORD written = 0;
            const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
            if (!::WriteFile(m_write, bytes.data() + done, ask, &written, nullptr))
                break;
            done += written;
        }
        ::CloseHandle(m_write);
        m_write = nullptr;
    }

private:
    static DWORD WINAPI Feed(void* context)
    {
        auto& pipe = *static_cast<Pipe*>(context);
        DWORD written = 0;
        ::WriteFile(pipe.m_write, pipe.m_bytes->data(), static_cast<DWORD>(pipe.m_bytes->size()), &written, nullptr);
        ::CloseHandle(pipe.m_write);
        pipe.m_write = nullptr;
        return 0;
    }
    static DWORD WINAPI Drain(void* context)
    {
        std::string dropped;
        ReadStreamToEnd(static_cast<Pipe*>(context)->m_read, dropped);
        return 0;
    }

    HANDLE m_read = nullptr;
    HANDLE m_write = nullptr;
    HANDLE m_thread = nullptr;
    const std::string* m_bytes = nullptr;
};

struct Measured {
    std::vector<double> pipeReads, reads, compares, totals;
    Baseline baseline;
    Comparison comparison;
};

// Reads the baseline, through a pipe where `piped`, and compares it with
// `after`, kRounds times.
Measured ReadAndCompare(const std::string& document, bool piped, const std::vector<CurrentFile>& after)
{
    Measured measured;
    for (int round = 0; round < kRounds; ++round) {
        const double pipeStart = Now();
        std::string received;
        if (piped) {
            Pipe pipe;
            received = pipe.ReadAll(document);
        }
        const double readStart = Now();
        measured.baseline = ReadBaseline(piped ? received : document, Utf8PathKey);
        const double compareStart = Now();
        measured.comparison = Compare(measured.baseline, after, Utf8PathKey);
        const double end = Now();
        measured.pipeReads.push_back(readStart - pipeStart);
        measured.reads.push_back(compareStart - readStart);
        measured.compares.push_back(end - compareStart);
        measured.totals.push_back(end - pipeStart);
    }
    return measured;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::size_t rows = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 250000;
    Generator generator;
    const Files files = MakeFiles(rows, generator);
    const std::vector<Record> records = BaselineRecords(files.before);
    const std::vector<JsonColumn> members = JsonColumnsOf(VerifiedFileColumns());
    const std::string csv = CsvDocument(CsvHeaderOf(VerifiedFileColumns()), records);
    const std::string jsonLines = JsonLinesDocument(members, records, {"verify", records.size()});

    std::vector<double> folds;
    for (int round = 0; round < kRounds; ++round) {
        const double start = Now();
        for (const CurrentFile& file : files.after)
            Utf8PathKey(file.path);
        folds.push_back(Now() - start);
    }
    const Measured fromCsv = ReadAndCompare(csv, false, files.after);
    const Measured fromPipe = ReadAndCompare(jsonLines, true, files.after);
    for (const Measured* measured : {&fromCsv, &fromPipe}) {
        if (!measured->baseline.refusal.empty()) {
            std::printf("the baseline was refused: %s\n", measured->baseline.refusal.c_str());
            return 1;
        }
    }
    const Comparison& comparison = fromCsv.comparison;
    if (fromPipe.comparison.counts != comparison.counts) {
        std::printf("the JSON Lines baseline compares otherwise than the CSV one\n");
        return 1;
    }
    const auto count = [&comparison](ChangeKind kind) { return comparison.counts[static_cast<std::size_t>(kind)]; };
    std::printf("a baseline of %zu files (CSV %.1f MB, JSON Lines %.1f MB), %zu files now: %zu added, %zu removed, "
                "%zu updated, %zu changed, %zu signature changed\n",
                fromCsv.baseline.files.size(), static_cast<double>(csv.size()) / 1e6,
                static_cast<double>(jsonLines.size()) / 1e6, files.after.size(), count(ChangeKind::Added),
                count(ChangeKind::Removed), count(ChangeKind::Updated), count(ChangeKind::Changed),
                count(ChangeKind::SignatureChanged));
    std::printf("median and range of %d:\n", kRounds);
    std::printf("  CSV, in memory:\n");
    std::printf("    ReadBaseline:    %s\n", Milliseconds(fromCsv.reads).c_str());
    std::printf("    Compare:         %s\n", Milliseconds(fromCsv.compares).c_str());
    std::printf("    both:            %s, goal under %.0f s: %s\n", Milliseconds(fromCsv.totals).c_str(),
                kGoalSeconds, Median(fromCsv.totals) < kGoalSeconds ? "met" : "missed");
    std::printf("  JSON Lines, read from a pipe as standard input is:\n");
    std::printf("    read from the pipe: %s\n", Milliseconds(fromPipe.pipeReads).c_str());
    std::printf("    ReadBaseline:    %s\n", Milliseconds(fromPipe.reads).c_str());
    std::printf("    Compare:         %s\n", Milliseconds(fromPipe.compares).c_str());
    std::printf("    both:            %s, goal under %.0f s: %s\n", Milliseconds(fromPipe.totals).c_str(),
                kGoalSeconds, Median(fromPipe.totals) < kGoalSeconds ? "met" : "missed");
    std::printf("  keying the %zu paths of now once: %s\n", files.after.size(), Milliseconds(folds).c_str());

    // /verify's document: the records made, the document made from them,
    // and written to a pipe that is read to its end.
    std::vector<double> makeCsv, makeJson, writeCsv, writeJson;
    for (int round = 0; round < kRounds; ++round) {
        for (const bool json : {false, true}) {
            const double start = Now();
            const std::vector<Record> made = BaselineRecords(files.before);
            const std::string document =
                json ? JsonLinesDocument(members, made, {"verify", made.size()})
                     : CsvDocument(CsvHeaderOf(VerifiedFileColumns()), made);
            const double written = Now();
            Pipe pipe;
            pipe.WriteAll(document);
            (json ? makeJson : makeCsv).push_back(written - start);
            (json ? writeJson : writeCsv).push_back(Now() - start);
        }
    }
    std::printf("/verify's document of %zu files, made and written to a pipe:\n", rows);
    std::printf("  CSV:        made %s, and written %s\n", Milliseconds(makeCsv).c_str(),
                Milliseconds(writeCsv).c_str());
    std::printf("  JSON Lines: made %s, and written %s\n", Milliseconds(makeJson).c_str(),
                Milliseconds(writeJson).c_str());
    return 0;
}

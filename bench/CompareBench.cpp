// Measures the comparison with a baseline on a large system: a baseline of
// WinSxS files as /verify writes it, read back and compared with the files
// verified again, a few hundred of them updated, changed, added or removed.
// Paths are keyed as the program keys them (Utf8PathKey). Prints figures
// only.
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
#include "export/ListExport.h"
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

std::string BaselineDocument(const std::vector<CurrentFile>& files)
{
    const Record header = CsvHeaderOf(VerifiedFileColumns());
    std::vector<Record> records;
    records.reserve(files.size());
    for (std::size_t n = 0; n < files.size(); ++n) {
        const CurrentFile& file = files[n];
        records.push_back({FormatRowNumber(static_cast<std::uint32_t>(n + 1)), file.path, file.signature, file.signer,
                           file.sha256, file.catalog, file.version, file.originalName, file.root});
    }
    return CsvDocument(header, records);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::size_t rows = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 250000;
    Generator generator;
    const Files files = MakeFiles(rows, generator);
    const std::string document = BaselineDocument(files.before);

    std::vector<double> folds, reads, compares, totals;
    Baseline baseline;
    Comparison comparison;
    for (int round = 0; round < kRounds; ++round) {
        const double start = Now();
        for (const CurrentFile& file : files.after)
            Utf8PathKey(file.path);
        folds.push_back(Now() - start);

        const double readStart = Now();
        baseline = ReadBaseline(document, Utf8PathKey);
        const double compareStart = Now();
        comparison = Compare(baseline, files.after, Utf8PathKey);
        const double end = Now();
        reads.push_back(compareStart - readStart);
        compares.push_back(end - compareStart);
        totals.push_back(end - readStart);
    }
    if (!baseline.refusal.empty()) {
        std::printf("the baseline was refused: %s\n", baseline.refusal.c_str());
        return 1;
    }
    const auto count = [&comparison](ChangeKind kind) { return comparison.counts[static_cast<std::size_t>(kind)]; };
    std::printf("a baseline of %zu files (%.1f MB), %zu files now: %zu added, %zu removed, %zu updated, %zu changed, "
                "%zu signature changed\n",
                baseline.files.size(), static_cast<double>(document.size()) / 1e6, files.after.size(),
                count(ChangeKind::Added), count(ChangeKind::Removed), count(ChangeKind::Updated),
                count(ChangeKind::Changed), count(ChangeKind::SignatureChanged));
    std::printf("median and range of %d:\n", kRounds);
    std::printf("  ReadBaseline:      %s\n", Milliseconds(reads).c_str());
    std::printf("  Compare:           %s\n", Milliseconds(compares).c_str());
    std::printf("  both:              %s, goal under %.0f s: %s\n", Milliseconds(totals).c_str(), kGoalSeconds,
                Median(totals) < kGoalSeconds ? "met" : "missed");
    std::printf("  keying the %zu paths of now once: %s\n", files.after.size(), Milliseconds(folds).c_str());
    return 0;
}

// /compare in the test's process: with a stand-in trust service for the
// exit codes and the baselines it refuses, and with the real verifier on
// files signed when the tests were built.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/ScriptCommands.h"
#include "framework/DllLoader.h"
#include "gui/TestServices.h"
#include "platform/TextConversion.h"
#include "verify/WinTrustService.h"

namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The report's records after its header, each as its fields; the tests'
// paths hold no comma or quote.
std::vector<std::vector<std::string>> ReportRecords(const std::string& text)
{
    std::vector<std::vector<std::string>> records;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        line.pop_back();  // the \r
        std::vector<std::string>& fields = records.emplace_back();
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, ',');)
            fields.push_back(field);
        if (line.ends_with(','))
            fields.emplace_back();
    }
    return records;
}

const char kReportHeader[] =
    "\xEF\xBB\xBF"
    "Change,Path,Signature before,Signature after,Signer before,Signer after,SHA256 before,SHA256 after\r\n";

}  // namespace

TEST(CompareCommand, ExitCodesSayWhetherMoreThanUpdatesDifferAndAFailureLeavesTheReportAsItWas)
{
    // What the stand-in verifier finds for file0.dll and file1.dll.
    const std::string header = "N,Path,Signature,Signer,SHA256,Catalog\r\n";
    const std::string file0 = "1,C:\\WINDOWS\\system32\\file0.dll,Signed (catalog),Microsoft Windows,"
                              "C:\\WINDOWS\\SYSTEM32\\FILE0.DLL,nt5.cat\r\n";
    const std::string file1 = "2,C:\\WINDOWS\\system32\\file1.dll,Signed (catalog),Microsoft Windows,"
                              "C:\\WINDOWS\\SYSTEM32\\FILE1.DLL,nt5.cat\r\n";
    struct Case {
        const char* name;
        std::string baseline;  // none at all when empty
        const char* reportName;
        unsigned serviceError;
        int exitCode;
        std::size_t differences;  // -1: the report left as it was
        std::string said;
    };
    const std::size_t kept = static_cast<std::size_t>(-1);
    const Case cases[] = {
        {"nothing differs", header + file0 + file1, "report.csv", 0, 0, 0, ""},
        {"only an update", header + file0 + "2,C:\\WINDOWS\\system32\\file1.dll,Signed (embedded),Microsoft Windows,OLD,\r\n",
         "report.csv", 0, 0, 1, ""},
        {"a file added", header + file0, "report.csv", 0, 5, 1, "Added: 1,   Removed: 0,   Updated: 0"},
        {"a file signed by another", header + file0 + "2,C:\\WINDOWS\\system32\\file1.dll,Signed (catalog),Mallory,OLD,\r\n",
         "report.csv", 0, 5, 1, "Changed: 1"},
        {"no baseline", "", "report.csv", 0, 1, kept, "Vorlane could not read the baseline "},
        {"not a baseline", "Path,Size\r\nC:\\a.dll,12\r\n", "report.csv", 0, 1, kept,
         ". The file is no baseline: it has no SHA256 column."},
        {"no service", header + file0 + file1, "report.csv", ERROR_MOD_NOT_FOUND, 1, kept,
         "Vorlane could not list the protected files."},
        {"the report over the baseline", header + file0 + file1, "BASELINE.CSV", 0, 1, kept,
         "Vorlane cannot write the differences over the baseline "},
        {"no folder for the report", header + file0 + file1, "missing\\report.csv", 0, 1, kept,
         "Vorlane could not save the differences as "},
    };
    for (const Case& c : cases) {
        TempTree tree;
        const std::string baseline = tree.Root() + "\\baseline.csv";
        const std::string report = tree.Root() + "\\" + c.reportName;
        if (!c.baseline.empty())
            WriteFile(baseline, c.baseline);
        if (c.differences == kept && c.reportName[0] != 'm')
            WriteFile(report, c.baseline.empty() ? "old report" : c.baseline);
        const std::string before = FileBytes(report);
        TestServices test;
        test.ListFiles(2);
        test.protection.serviceError = c.serviceError;
        test.trust.otherwise = {TrustKind::SignedCatalog, "Microsoft Windows", "", "nt5.cat"};
        std::wstring message;
        EXPECT_EQ(RunCompareCommand(test.services, WideText(baseline), WideText(report), message), c.exitCode)
            << c.name << ": " << AnsiText(message.c_str());
        const std::string said = AnsiText(message.c_str());
        EXPECT_EQ(said.empty(), c.said.empty()) << c.name << ": " << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << c.name << ": " << said;
        if (c.differences == kept) {
            EXPECT_EQ(FileBytes(report), before) << c.name;
        } else {
            EXPECT_TRUE(FileBytes(report).starts_with(kReportHeader)) << c.name;
            EXPECT_EQ(ReportRecords(FileBytes(report)).size(), c.differences) << c.name;
        }
    }
}

// The trust_setup fixture has made the prefix trust the samples' root.
TEST(CompareSignedFiles, TellsAnUpdateFromAChangeAndMatchesPathsInAnyLetterCase)
{
    TempTree tree;
    const std::string root = tree.Root() + "\\";
    // Before: the baseline's files.
    const std::pair<const char*, const char*> before[] = {
        {"updated.exe", "signed.exe"}, {"changed.exe", "signed.exe"}, {"unsigned.exe", "unsigned.exe"},
        {"removed.exe", "signed.exe"}, {"Same.exe", "signed.exe"},
    };
    TestServices test;
    for (const auto& [name, sample] : before) {
        tree.CopyIn(TrustSample(sample), name);
        test.protection.listed.push_back(root + name);
    }
    WinTrustService trust(DllLoader::System(), test.redirection);
    PlatformServices services{test.protection, test.directories, test.system,     test.versions,
                              test.fileDialogs, test.shell,      test.redirection, test.clipboard,
                              test.files,       test.threads,    trust};
    std::wstring message;
    ASSERT_EQ(RunVerifyCommand(services, WideText(root + "baseline.csv"), true, message), 4)
        << "unsigned.exe is not signed: " << AnsiText(message.c_str());

    // After: another build by the same signer, a changed byte in a signed
    // and in an unsigned file, one file gone, one new, one listed in
    // capitals.
    tree.CopyIn(TrustSample("updated.exe"), "updated.exe");
    tree.CopyIn(TrustSample("changed.exe"), "changed.exe");
    std::ofstream(root + "unsigned.exe", std::ios::binary | std::ios::app) << '\0';
    ::DeleteFileA((root + "removed.exe").c_str());
    tree.CopyIn(TrustSample("signed.exe"), "added.exe");
    test.protection.listed = {root + "updated.exe", root + "changed.exe", root + "unsigned.exe", root + "SAME.EXE",
                              root + "added.exe"};
    EXPECT_EQ(RunCompareCommand(services, WideText(root + "baseline.csv"), WideText(root + "report.csv"), message), 5)
        << AnsiText(message.c_str());

    const std::string signer = "Vorlane Test Signer";
    const std::vector<std::vector<std::string>> expected = {
        {"Added", root + "added.exe", "", "Signed (embedded)", "", signer},
        {"Changed", root + "changed.exe", "Signed (embedded)", "Signature does not match the file", signer, ""},
        {"Removed", root + "removed.exe", "Signed (embedded)", "", signer, ""},
        {"Changed", root + "unsigned.exe", "Not signed", "Not signed", "", ""},
        {"Updated", root + "updated.exe", "Signed (embedded)", "Signed (embedded)", signer, signer},
    };
    const std::string report = FileBytes(root + "report.csv");
    ASSERT_TRUE(report.starts_with(kReportHeader));
    std::vector<std::vector<std::string>> records = ReportRecords(report);
    ASSERT_EQ(records.size(), expected.size()) << report;
    for (std::size_t n = 0; n < records.size(); ++n) {
        std::vector<std::string>& record = records[n];
        ASSERT_EQ(record.size(), 8u) << report;
        // The hashes differ wherever there are two.
        if (!record[6].empty() && !record[7].empty()) {
            EXPECT_NE(record[6], record[7]) << record[1];
        }
        EXPECT_EQ(record[6].empty(), expected[n][0] == "Added") << record[1];
        EXPECT_EQ(record[7].empty(), expected[n][0] == "Removed") << record[1];
        record.resize(6);
        EXPECT_EQ(record, expected[n]);
    }
}

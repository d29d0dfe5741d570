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
#include "framework/SystemError.h"
#include "gui/TestServices.h"
#include "support/FakeTree.h"
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
    "Change,Path,Signature before,Signature after,Signer before,Signer after,SHA256 before,SHA256 after,"
    "Version before,Version after,Original name before,Original name after,Root before,Root after\r\n";

}  // namespace

TEST(CompareCommand, ExitCodesSayWhetherMoreThanUpdatesDifferAndAFailureLeavesTheReportAsItWas)
{
    // What the stand-in verifier finds for file0.dll and file1.dll: version
    // 1.0.0.2, signed under the root R00T.
    const std::string header = "N,Path,Signature,Signer,SHA256,Catalog,Version,Original name,Root\r\n";
    const std::string file0 = "1,C:\\WINDOWS\\system32\\file0.dll,Signed (catalog),Microsoft Windows,"
                              "C:\\WINDOWS\\SYSTEM32\\FILE0.DLL,nt5.cat,1.0.0.2,file0.dll,R00T\r\n";
    const std::string file1 = "2,C:\\WINDOWS\\system32\\file1.dll,Signed (catalog),Microsoft Windows,"
                              "C:\\WINDOWS\\SYSTEM32\\FILE1.DLL,nt5.cat,1.0.0.2,file1.dll,R00T\r\n";
    const auto file1Was = [](const char* signer, const char* version, const char* name, const char* root) {
        return std::string("2,C:\\WINDOWS\\system32\\file1.dll,Signed (embedded),") + signer + ",OLD,," + version + "," +
               name + "," + root + "\r\n";
    };
    // The walk of a Windows folder with a folder it cannot list.
    const std::string walked = header +
                               "1,C:\\WINDOWS\\a.dll,Signed (catalog),Microsoft Windows,C:\\WINDOWS\\A.DLL,,,,R00T\r\n"
                               "2,C:\\WINDOWS\\locked\\x.dll,Signed (catalog),Microsoft Windows,X,,,,R00T\r\n";
    enum class Report { Named, LongPathForm, ShortName, HardLink };
    struct Case {
        const char* name;
        std::string baseline;  // none at all when empty
        const char* reportName;
        unsigned serviceError;
        int exitCode;
        std::size_t differences;  // -1: the report left as it was
        std::string said;
        Report at = Report::Named;
        bool walk = false;
    };
    const std::size_t kept = static_cast<std::size_t>(-1);
    const std::string over = "Vorlane cannot write the differences over the baseline ";
    const Case cases[] = {
        {"nothing differs", header + file0 + file1, "report.csv", 0, 0, 0, ""},
        {"only an update", header + file0 + file1Was("Microsoft Windows", "1.0.0.1", "file1.dll", "R00T"),
         "report.csv", 0, 0, 1, ""},
        {"an older version put back", header + file0 + file1Was("Microsoft Windows", "1.0.0.3", "file1.dll", "R00T"),
         "report.csv", 0, 5, 1, "Downgraded: 1"},
        {"another program over its name", header + file0 + file1Was("Microsoft Windows", "1.0.0.1", "sethc.exe", "R00T"),
         "report.csv", 0, 5, 1, "Changed: 1"},
        {"signed under another root", header + file0 + file1Was("Microsoft Windows", "1.0.0.1", "file1.dll", "0THER"),
         "report.csv", 0, 5, 1, "Changed: 1"},
        {"a file signed by another", header + file0 + file1Was("Mallory", "1.0.0.1", "file1.dll", "R00T"),
         "report.csv", 0, 5, 1, "Changed: 1"},
        {"a baseline that cannot tell an update",
         "N,Path,Signature,Signer,SHA256\r\n1,C:\\WINDOWS\\system32\\file0.dll,Signed (catalog),Microsoft Windows,"
         "C:\\WINDOWS\\SYSTEM32\\FILE0.DLL\r\n2,C:\\WINDOWS\\system32\\file1.dll,Signed (catalog),Microsoft Windows,OLD\r\n",
         "report.csv", 0, 5, 1, "The baseline has no Version, Original name and Root columns"},
        {"a file added", header + file0, "report.csv", 0, 5, 1, "Added: 1,   Removed: 0,   Updated: 0"},
        {"a folder not listed", walked, "report.csv", 0, 5, 1,
         "Not compared (folder not listed): 1\r\n1 folder could not be listed, and the baseline's files in them were "
         "not compared:\r\n  C:\\WINDOWS\\locked: " + SystemErrorText(ERROR_ACCESS_DENIED),
         Report::Named, true},
        {"no baseline", "", "report.csv", 0, 1, kept, "Vorlane could not read the baseline "},
        {"not a baseline", "Path,Size\r\nC:\\a.dll,12\r\n", "report.csv", 0, 1, kept,
         ". The file is no baseline: it has no SHA256 column."},
        {"no service", header + file0 + file1, "report.csv", ERROR_MOD_NOT_FOUND, 1, kept,
         "Vorlane could not list the protected files."},
        // The baseline by any other name.
        {"the report over the baseline", header + file0 + file1, "THE-BASELINE.CSV", 0, 1, kept, over},
        {"over it by \\\\?\\", header + file0 + file1, "the-baseline.csv", 0, 1, kept, over, Report::LongPathForm},
        {"over it by its short name", header + file0 + file1, "", 0, 1, kept, over, Report::ShortName},
        {"over a hard link to it", header + file0 + file1, "link.csv", 0, 1, kept, over, Report::HardLink},
        {"no folder for the report", header + file0 + file1, "missing\\report.csv", 0, 1, kept,
         "Vorlane could not save the differences as "},
    };
    for (const Case& c : cases) {
        TempTree tree;
        const std::string baseline = tree.Root() + "\\the-baseline.csv";
        if (!c.baseline.empty())
            WriteFile(baseline, c.baseline);
        std::wstring report = WideText(tree.Root() + "\\" + c.reportName);
        if (c.at == Report::LongPathForm)
            report = L"\\\\?\\" + report;
        if (c.at == Report::ShortName) {
            wchar_t shortName[MAX_PATH];
            ASSERT_GT(::GetShortPathNameW(WideText(baseline).c_str(), shortName, MAX_PATH), 0u);
            report = shortName;
            ASSERT_NE(AnsiText(report.c_str()), baseline);
        }
        if (c.at == Report::HardLink) {
            ASSERT_TRUE(::CreateHardLinkW(report.c_str(), WideText(baseline).c_str(), nullptr));
        }
        const std::string reportPath = AnsiText(report.c_str());
        if (c.differences == kept && c.reportName[0] != 'm' && c.at == Report::Named)
            WriteFile(reportPath, c.baseline.empty() ? "old report" : c.baseline);
        const std::string before = FileBytes(reportPath);
        TestServices test;
        test.ListFiles(2);
        test.protection.serviceError = c.serviceError;
        test.trust.otherwise = {TrustKind::SignedCatalog, "Microsoft Windows", "", "nt5.cat", "R00T"};
        for (const char* file : {"file0.dll", "file1.dll"})
            test.trust.descriptions[std::string("C:\\WINDOWS\\system32\\") + file] = {"1.0.0.2", file};
        FakeTree walk;
        walk.AddFile("C:\\WINDOWS\\a.dll");
        walk.AddFile("C:\\WINDOWS\\locked\\x.dll");
        walk.Lock("C:\\WINDOWS\\locked", ERROR_ACCESS_DENIED);
        if (c.walk) {
            test.system.majorVersion = 6;
            test.system.windowsDirectory = "C:\\WINDOWS";
        }
        PlatformServices walking = test.With(test.protection, walk);
        std::wstring message;
        EXPECT_EQ(RunCompareCommand(c.walk ? walking : test.services, WideText(baseline), report, message), c.exitCode)
            << c.name << ": " << AnsiText(message.c_str());
        const std::string said = AnsiText(message.c_str());
        EXPECT_EQ(said.empty(), c.said.empty()) << c.name << ": " << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << c.name << ": " << said;
        if (c.differences == kept) {
            EXPECT_EQ(FileBytes(reportPath), before) << c.name;
            if (!c.baseline.empty()) {
                EXPECT_EQ(FileBytes(baseline), c.baseline) << c.name;
            }
        } else {
            EXPECT_TRUE(FileBytes(reportPath).starts_with(kReportHeader)) << c.name;
            EXPECT_EQ(ReportRecords(FileBytes(reportPath)).size(), c.differences) << c.name;
        }
    }
}

// The trust_setup fixture has made the prefix trust the samples' roots.
TEST(CompareSignedFiles, TellsAnUpdateFromEveryOtherChangeAndMatchesPathsInAnyLetterCase)
{
    TempTree tree;
    const std::string root = tree.Root() + "\\";
    TestServices test;
    const auto place = [&](const std::vector<std::pair<const char*, const char*>>& files) {
        test.protection.listed.clear();
        for (const auto& [name, sample] : files) {
            if (*sample)
                tree.CopyIn(TrustSample(sample), name);
            test.protection.listed.push_back(root + name);
        }
    };
    WinTrustService trust(DllLoader::System(), test.redirection, test.descriptions);
    PlatformServices services = test.With(trust);
    const auto report = [&] { return ReportRecords(FileBytes(root + "report.csv")); };
    std::wstring message;

    // Before: the baseline's files.
    place({{"updated.exe", "signed.exe"}, {"changed.exe", "signed.exe"}, {"unsigned.exe", "unsigned.exe"},
           {"removed.exe", "signed.exe"}, {"Same.exe", "signed.exe"}, {"upgraded.exe", "version-1.exe"},
           {"swapped.exe", "version-1.exe"}, {"downgraded.exe", "version-2.exe"}, {"rebuilt.exe", "version-2.exe"},
           {"rooted.exe", "version-1.exe"}});
    ASSERT_EQ(RunVerifyCommand(services, WideText(root + "baseline.csv"), true, message), 4)
        << "unsigned.exe is not signed: " << AnsiText(message.c_str());

    // The real update alone lets the comparison say that nothing else differs.
    place({{"updated.exe", ""}, {"changed.exe", ""}, {"unsigned.exe", ""}, {"removed.exe", ""}, {"Same.exe", ""},
           {"upgraded.exe", "version-2.exe"}, {"swapped.exe", ""}, {"downgraded.exe", ""}, {"rebuilt.exe", ""},
           {"rooted.exe", ""}});
    EXPECT_EQ(RunCompareCommand(services, WideText(root + "baseline.csv"), WideText(root + "report.csv"), message), 0)
        << AnsiText(message.c_str());
    ASSERT_EQ(report().size(), 1u);
    EXPECT_EQ(report()[0][0] + " " + report()[0][1], "Updated " + root + "upgraded.exe");

    // After: another build of each program by the same signer, another
    // program over a name, an earlier build put back, the same version built
    // again, a build under another root of the same names; a changed byte in
    // a signed and in an unsigned file, one file gone, one new, one listed
    // in capitals.
    tree.CopyIn(TrustSample("updated.exe"), "updated.exe");
    tree.CopyIn(TrustSample("changed.exe"), "changed.exe");
    std::ofstream(root + "unsigned.exe", std::ios::binary | std::ios::app) << '\0';
    ::DeleteFileA((root + "removed.exe").c_str());
    place({{"updated.exe", ""}, {"changed.exe", ""}, {"unsigned.exe", ""}, {"SAME.EXE", ""},
           {"upgraded.exe", "version-2.exe"}, {"swapped.exe", "other.exe"}, {"downgraded.exe", "version-1.exe"},
           {"rebuilt.exe", "rebuilt-2.exe"}, {"rooted.exe", "impostor-2.exe"}, {"added.exe", "signed.exe"}});
    EXPECT_EQ(RunCompareCommand(services, WideText(root + "baseline.csv"), WideText(root + "report.csv"), message), 5)
        << AnsiText(message.c_str());
    EXPECT_NE(AnsiText(message.c_str()).find("Updated: 2,   Downgraded: 1,   Changed: 5"), std::string::npos)
        << AnsiText(message.c_str());

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Added", "added.exe"},         {"Changed", "changed.exe"},  {"Downgraded", "downgraded.exe"},
        {"Changed", "rebuilt.exe"},     {"Removed", "removed.exe"},  {"Changed", "rooted.exe"},
        {"Changed", "swapped.exe"},     {"Changed", "unsigned.exe"}, {"Updated", "updated.exe"},
        {"Updated", "upgraded.exe"},
    };
    const std::string written = FileBytes(root + "report.csv");
    ASSERT_TRUE(written.starts_with(kReportHeader));
    const std::vector<std::vector<std::string>> records = report();
    ASSERT_EQ(records.size(), expected.size()) << written;
    for (std::size_t n = 0; n < records.size(); ++n) {
        const std::vector<std::string>& record = records[n];
        ASSERT_EQ(record.size(), 14u) << written;
        EXPECT_EQ(record[0] + " " + record[1], expected[n].first + " " + root + expected[n].second);
        // The hashes differ wherever there are two.
        if (!record[6].empty() && !record[7].empty()) {
            EXPECT_NE(record[6], record[7]) << record[1];
        }
        EXPECT_EQ(record[6].empty(), expected[n].first == "Added") << record[1];
        EXPECT_EQ(record[7].empty(), expected[n].first == "Removed") << record[1];
    }
    // What told them apart: the versions, the original names, the roots.
    EXPECT_EQ(records[2][8] + " " + records[2][9], "1.0.0.2 1.0.0.1");
    EXPECT_EQ(records[6][10] + " " + records[6][11], "sample.exe other.exe");
    EXPECT_NE(records[5][12], records[5][13]);
    EXPECT_EQ(records[3][8], records[3][9]);
}

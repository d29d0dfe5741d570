#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "app/CommandLine.h"
#include "app/FillStatus.h"
#include "export/AtomicSave.h"
#include "export/ListExport.h"
#include "support/CodePages.h"

TEST(ListExport, ClipboardLinesAreNumberTabPathInTheGivenOrder)
{
    EXPECT_EQ(TabSeparatedLines(RowRecords({{2, "C:\\b.dll"}, {1, "C:\\a, b.dll"}, {100, "C:\\c.dll"}})),
              "02\tC:\\b.dll\r\n01\tC:\\a, b.dll\r\n100\tC:\\c.dll\r\n");
    EXPECT_EQ(TabSeparatedLines({}), "");
}

TEST(ListExport, CsvQuotesOnlyTheFieldsThatNeedIt)
{
    const struct {
        const char* field;
        const char* csv;
    } table[] = {
        {"C:\\WINDOWS\\system32\\kernel32.dll", "C:\\WINDOWS\\system32\\kernel32.dll"},
        {"", ""},
        {"C:\\a,b.dll", "\"C:\\a,b.dll\""},
        {"C:\\say \"hi\".dll", "\"C:\\say \"\"hi\"\".dll\""},
        {"line\r\nbreak", "\"line\r\nbreak\""},
        {"caf\xC3\xA9.dll", "caf\xC3\xA9.dll"},
    };
    for (const auto& row : table)
        EXPECT_EQ(CsvField(row.field), row.csv) << row.field;
    // Each path is handed over for its UTF-8 form before it is quoted.
    const auto upper = [](const std::string& path) {
        std::string text = path;
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    };
    EXPECT_EQ(CsvDocument({"N", "Path"}, RowRecords({{1, "C:\\a.dll"}, {2, "C:\\x,y.dll"}}), upper),
              "\xEF\xBB\xBFN,PATH\r\n01,C:\\A.DLL\r\n02,\"C:\\X,Y.DLL\"\r\n");
    EXPECT_EQ(CsvDocument({"N", "Path"}, {}, upper), "\xEF\xBB\xBFN,PATH\r\n");
}

namespace {

// Files in memory; one step fails when told to.
class MemoryFiles final : public SaveFileSystem {
public:
    std::map<std::string, std::string> files;
    std::string failing;
    unsigned error = 112;
    std::string temporaryDirectory;

    unsigned WriteNewFile(const std::string& directory, std::string_view bytes, std::string& path) override
    {
        temporaryDirectory = directory;
        if (failing == "create")
            return error;
        path = directory + "vor" + std::to_string(++m_made) + ".tmp";
        if (failing == "write") {
            files[path] = bytes.substr(0, bytes.size() / 2);  // the disk filled up half way
            return error;
        }
        files[path] = bytes;
        return 0;
    }
    unsigned Replace(const std::string& from, const std::string& to) override
    {
        if (failing == "replace")
            return error;
        files[to] = files[from];
        files.erase(from);
        return 0;
    }
    void Delete(const std::string& path) override { files.erase(path); }

private:
    int m_made = 0;
};

}  // namespace

TEST(AtomicSave, LeavesTheOldFileOrTheWholeNewOneAndNoTemporaryFile)
{
    for (const char* failing : {"", "create", "write", "replace"}) {
        MemoryFiles files;
        files.failing = failing;
        files.files["D:\\lists\\old.csv"] = "old";
        const unsigned error = SaveAtomically(files, "D:\\lists\\old.csv", "new bytes", LeadBytes{});
        EXPECT_EQ(error, *failing ? 112u : 0u) << failing;
        const std::map<std::string, std::string> expected{{"D:\\lists\\old.csv", *failing ? "old" : "new bytes"}};
        EXPECT_EQ(files.files, expected) << failing;
    }
    // The temporary file goes in the target's own folder: the current one
    // for a bare name; 表 (95 5C) ends no folder name.
    MemoryFiles files;
    EXPECT_EQ(SaveAtomically(files, "list.csv", "x", LeadBytes{}), 0u);
    EXPECT_EQ(files.temporaryDirectory, "");
    EXPECT_EQ(SaveAtomically(files, "D:\\\x95\x5C.csv", "x", ShiftJisLeadBytes()), 0u);
    EXPECT_EQ(files.temporaryDirectory, "D:\\");
}

TEST(CommandLine, NamesTheActionAndTheFile)
{
    using Action = CommandLine::Action;
    const struct {
        std::vector<std::string> arguments;
        Action action;
        const char* file;
    } table[] = {
        {{}, Action::ShowDialog, ""},
        {{"C:\\WINDOWS\\kernel32.dll"}, Action::CheckFile, "C:\\WINDOWS\\kernel32.dll"},
        {{"kernel32.dll"}, Action::CheckFile, "kernel32.dll"},
        {{"/WINDOWS/system32/kernel32.dll"}, Action::CheckFile, "/WINDOWS/system32/kernel32.dll"},
        {{"-"}, Action::CheckFile, "-"},
        {{"a.dll", "b.dll"}, Action::Wrong, ""},
        {{""}, Action::Wrong, ""},
        {{"/save", "C:\\lists\\pc1.csv"}, Action::SaveList, "C:\\lists\\pc1.csv"},
        {{"-SAVE", "pc1.csv"}, Action::SaveList, "pc1.csv"},
        {{"/verify", "C:\\lists\\pc1.csv"}, Action::VerifyList, "C:\\lists\\pc1.csv"},
        {{"/VERIFY"}, Action::Wrong, ""},
        {{"/?"}, Action::ShowUsage, ""},
        {{"/save"}, Action::Wrong, ""},
        {{"/save", ""}, Action::Wrong, ""},
        {{"/save", "a.csv", "b.csv"}, Action::Wrong, ""},
        {{"/saveas", "a.csv"}, Action::Wrong, ""},
        {{"save", "a.csv"}, Action::Wrong, ""},
        {{"save"}, Action::CheckFile, "save"},
        {{"/x"}, Action::Wrong, ""},
    };
    for (const auto& row : table) {
        const CommandLine command = ParseCommandLine(row.arguments);
        EXPECT_EQ(command.action, row.action) << testing::PrintToString(row.arguments);
        EXPECT_EQ(command.file, row.file) << testing::PrintToString(row.arguments);
    }
}

TEST(FillStatus, SaysHowFarTheListHasGotAndHowItEnded)
{
    EXPECT_EQ(FillingStatus(0, 0), "Checked 0 files, 0 protected so far...");
    EXPECT_EQ(FillingStatus(1, 1), "Checked 1 file, 1 protected so far...");
    EXPECT_EQ(FillingStatus(1200, 345), "Checked 1200 files, 345 protected so far...");
    EXPECT_EQ(FilledStatus(0, false), "No protected files were reported.");
    EXPECT_EQ(FilledStatus(1, false), "1 protected file.");
    EXPECT_EQ(FilledStatus(2712, false), "2712 protected files.");
    EXPECT_EQ(FilledStatus(30001, true), "The list stops at 30001 files; the rest of the Windows folder was not checked.");
}

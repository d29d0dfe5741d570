#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "app/CommandLine.h"
#include "scan/FillStatus.h"
#include "export/AtomicSave.h"
#include "export/JsonLines.h"
#include "export/ListExport.h"
#include "rows/FileListColumns.h"

namespace {

// The file list's rows as its table's records.
std::vector<Record> FileListRecords(const std::vector<ListRow>& rows)
{
    return RecordsOf<ListRow>(FileListColumns(), rows);
}

}  // namespace

TEST(ListExport, ClipboardLinesAreNumberTabPathInTheGivenOrder)
{
    EXPECT_EQ(TabSeparatedLines(FileListRecords({{2, "C:\\b.dll"}, {1, "C:\\a, b.dll"}, {100, "C:\\c.dll"}})),
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
    EXPECT_EQ(CsvDocument(CsvHeaderOf(FileListColumns()), FileListRecords({{1, "C:\\a.dll"}, {2, "C:\\x,y.dll"}})),
              "\xEF\xBB\xBFN,Path\r\n01,C:\\a.dll\r\n02,\"C:\\x,y.dll\"\r\n");
    EXPECT_EQ(CsvDocument({"N", "Path"}, {}), "\xEF\xBB\xBFN,Path\r\n");
}

TEST(ListExport, AFieldThatWouldStartAFormulaStaysText)
{
    const struct {
        const char* field;
        const char* inert;
    } table[] = {
        {"=HYPERLINK(\"http://x\")", "'=HYPERLINK(\"http://x\")"},
        {"+1", "'+1"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tTab", "'\tTab"},
        {"\rReturn", "'\rReturn"},
        {"'=already", "''=already"},
        {"''@twice", "'''@twice"},
        {"'quoted", "'quoted"},
        {"Microsoft Windows", "Microsoft Windows"},
        {"a=b", "a=b"},
        {"", ""},
        {"'", "'"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(InertField(row.field), row.inert) << row.field;
        EXPECT_EQ(TabSeparatedLines({{"01", row.field}}), std::string("01\t") + row.inert + "\r\n") << row.field;
    }
    EXPECT_EQ(CsvField("=1,2"), "\"'=1,2\"");
    EXPECT_EQ(CsvDocument({"Signer"}, {{"-evil"}}),
              "\xEF\xBB\xBFSigner\r\n'-evil\r\n");
}

namespace {

// Files in memory; one step fails when told to. A failing replace may take
// the old file away first, as ReplaceFile does.
class MemoryFiles final : public SaveFileSystem {
public:
    std::map<std::wstring, std::string> files;
    std::string failing;
    unsigned error = 112;
    std::wstring temporaryDirectory;

    bool Exists(const std::wstring& path) override { return files.contains(path); }
    unsigned CheckReplaceable(const std::wstring&) override { return failing == "held open" ? error : 0; }
    unsigned WriteNewFile(const std::wstring& directory, std::string_view bytes, std::wstring& path) override
    {
        temporaryDirectory = directory;
        if (failing == "create")
            return error;
        path = directory + L"vor" + std::to_wstring(++m_made) + L".tmp";
        // Another program took the old file away meanwhile.
        if (failing == "write, old gone")
            files.clear();
        if (failing.starts_with("write")) {
            files[path] = bytes.substr(0, bytes.size() / 2);  // the disk filled up half way
            return error;
        }
        files[path] = bytes;
        return 0;
    }
    unsigned Replace(const std::wstring& from, const std::wstring& to) override
    {
        if (failing == "replace")
            return error;
        if (failing.starts_with("old gone")) {
            files.erase(to);
            return error;
        }
        files[to] = files[from];
        files.erase(from);
        return 0;
    }
    unsigned Move(const std::wstring& from, const std::wstring& to) override
    {
        if (failing.ends_with("no move"))
            return error;
        files[to] = files[from];
        files.erase(from);
        return 0;
    }
    void Delete(const std::wstring& path) override { files.erase(path); }

private:
    int m_made = 0;
};

}  // namespace

TEST(JsonLines, WritesEachRecordAsAnObjectOfEveryColumnThenTheSummary)
{
    const std::vector<JsonColumn> columns = {
        {"n", true}, {"path", false}, {"before.signer", false}, {"after.signer", false}, {"before.root", false}};
    const std::vector<Record> records = {
        {"02", "C:\\a \"b\".dll", "Microsoft", "", "AB"},
        // Control characters, UTF-8 that stays, bytes that are no UTF-8, a
        // number column that holds no number, a record short of fields.
        {"", "C:\\caf\xC3\xA9\t\x01.dll", "\xFF", "=x", ""},
        {"7x", "C:\\b.dll"},
    };
    JsonSummary summary{"compare", 3, {{"added", 1}, {"signature_changed", 0}}, false, 5, "1.1.0.3", "10.0.19045"};
    EXPECT_EQ(JsonLinesDocument(columns, records, summary),
              "{\"n\":2,\"path\":\"C:\\\\a \\\"b\\\".dll\",\"before\":{\"signer\":\"Microsoft\",\"root\":\"AB\"},"
              "\"after\":{\"signer\":\"\"}}\n"
              "{\"n\":\"\",\"path\":\"C:\\\\caf\xC3\xA9\\t\\u0001.dll\",\"before\":{\"signer\":\"\xEF\xBF\xBD\","
              "\"root\":\"\"},\"after\":{\"signer\":\"=x\"}}\n"
              "{\"n\":\"7x\",\"path\":\"C:\\\\b.dll\",\"before\":{\"signer\":\"\",\"root\":\"\"},"
              "\"after\":{\"signer\":\"\"}}\n"
              "{\"summary\":true,\"command\":\"compare\",\"files\":3,\"counts\":{\"added\":1,\"signature_changed\":0},"
              "\"whole\":false,\"exit_code\":5,\"vorlane_version\":\"1.1.0.3\",\"windows_version\":\"10.0.19045\"}\n");
    // The names and number columns come from the table's schema.
    const std::vector<JsonColumn> list = JsonColumnsOf(FileListColumns());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name + (list[0].number ? " number, " : " text, ") + list[1].name +
                  (list[1].number ? " number" : " text"),
              "n number, path text");
    EXPECT_EQ(JsonLinesDocument({}, {}, {"save"}),
              "{\"summary\":true,\"command\":\"save\",\"files\":0,\"counts\":{},\"whole\":true,\"exit_code\":0,"
              "\"vorlane_version\":\"\",\"windows_version\":\"\"}\n");
}

TEST(AtomicSave, LeavesTheOldFileOrTheWholeNewOneAndNoTemporaryFileUnlessItIsTheOnlyCopy)
{
    using Files = std::map<std::wstring, std::string>;
    const std::wstring old = L"D:\\lists\\old.csv";
    const struct {
        const char* failing;
        unsigned error;
        Files after;
    } table[] = {
        {"", 0, {{old, "new bytes"}}},
        {"held open", 112, {{old, "old"}}},
        {"create", 112, {{old, "old"}}},
        {"write", 112, {{old, "old"}}},
        // Half a file never takes the place of one that went meanwhile.
        {"write, old gone", 112, {}},
        {"replace", 112, {{old, "old"}}},
        // ERROR_UNABLE_TO_MOVE_REPLACEMENT: the old file is gone, the new
        // one still beside it.
        {"old gone", 0, {{old, "new bytes"}}},
        {"old gone, no move", 112, {{L"D:\\lists\\vor1.tmp", "new bytes"}}},
    };
    for (const auto& row : table) {
        MemoryFiles files;
        files.failing = row.failing;
        files.files[old] = "old";
        EXPECT_EQ(SaveAtomically(files, old, "new bytes"), row.error) << row.failing;
        EXPECT_EQ(files.files, row.after) << row.failing;
        EXPECT_EQ(files.temporaryDirectory, row.failing == std::string("held open") ? L"" : L"D:\\lists\\");
    }
    // A new file is moved in place, or nothing is left.
    for (const char* failing : {"", "no move"}) {
        MemoryFiles files;
        files.failing = failing;
        EXPECT_EQ(SaveAtomically(files, L"D:\\new.csv", "x"), *failing ? 112u : 0u);
        EXPECT_EQ(files.files, (*failing ? Files{} : Files{{L"D:\\new.csv", "x"}})) << failing;
    }
}

TEST(CommandLine, NamesTheActionAndTheFile)
{
    using Action = CommandLine::Action;
    const struct {
        std::vector<std::wstring> arguments;
        Action action;
        const wchar_t* file;
        bool all = false;
        const wchar_t* report = L"";
        bool json = false;
        // What the message says is wrong, when more than an unknown argument.
        const wchar_t* mistake = L"";
    } table[] = {
        {{}, Action::ShowDialog, L""},
        {{L"C:\\WINDOWS\\kernel32.dll"}, Action::CheckFile, L"C:\\WINDOWS\\kernel32.dll"},
        {{L"kernel32.dll"}, Action::CheckFile, L"kernel32.dll"},
        {{L"/WINDOWS/system32/kernel32.dll"}, Action::CheckFile, L"/WINDOWS/system32/kernel32.dll"},
        {{L"-"}, Action::CheckFile, L"-"},
        {{L"a.dll", L"b.dll"}, Action::Wrong, L""},
        {{L""}, Action::Wrong, L""},
        {{L"/save", L"C:\\lists\\pc1.csv"}, Action::SaveList, L"C:\\lists\\pc1.csv"},
        {{L"-SAVE", L"pc1.csv"}, Action::SaveList, L"pc1.csv"},
        {{L"/save", L"C:\\lists\\tab\u0142e.csv"}, Action::SaveList, L"C:\\lists\\tab\u0142e.csv"},
        {{L"/verify", L"C:\\lists\\pc1.csv"}, Action::VerifyList, L"C:\\lists\\pc1.csv"},
        {{L"/VERIFY"}, Action::Wrong, L""},
        {{L"/?"}, Action::ShowUsage, L""},
        {{L"/save"}, Action::Wrong, L""},
        {{L"/save", L""}, Action::Wrong, L""},
        {{L"/save", L"a.csv", L"b.csv"}, Action::Wrong, L""},
        {{L"/saveas", L"a.csv"}, Action::Wrong, L""},
        {{L"save", L"a.csv"}, Action::Wrong, L""},
        {{L"save"}, Action::CheckFile, L"save"},
        {{L"/x"}, Action::Wrong, L""},
        {{L"/all"}, Action::ShowDialog, L"", true},
        {{L"/save", L"pc1.csv", L"/ALL"}, Action::SaveList, L"pc1.csv", true},
        {{L"-all", L"/verify", L"pc1.csv"}, Action::VerifyList, L"pc1.csv", true},
        {{L"kernel32.dll", L"/all"}, Action::CheckFile, L"kernel32.dll", true},
        {{L"/all", L"/?"}, Action::Wrong, L""},
        {{L"/all", L"a.dll", L"b.dll"}, Action::Wrong, L""},
        {{L"/allow"}, Action::Wrong, L""},
        {{L"/compare", L"base.csv", L"C:\\report.csv"}, Action::CompareList, L"base.csv", false, L"C:\\report.csv"},
        {{L"-Compare", L"/all", L"base.csv", L"r.csv"}, Action::CompareList, L"base.csv", true, L"r.csv"},
        {{L"/compare", L"base.csv"}, Action::Wrong, L""},
        {{L"/compare", L"base.csv", L""}, Action::Wrong, L""},
        {{L"/compare", L"a.csv", L"b.csv", L"c.csv"}, Action::Wrong, L""},
        // A switch where a file belongs is no file's name.
        {{L"/compare", L"base.csv", L"/q"}, Action::Wrong, L""},
        {{L"/compare", L"-x", L"r.csv"}, Action::Wrong, L""},
        {{L"/save", L"/al"}, Action::Wrong, L""},
        {{L"/verify", L"-verify"}, Action::Wrong, L""},
        {{L"/save", L"/lists/pc1.csv"}, Action::SaveList, L"/lists/pc1.csv"},
        // JSON Lines, and the standard streams.
        {{L"/save", L"-", L"/JSON"}, Action::SaveList, L"-", false, L"", true},
        {{L"-json", L"/verify", L"-", L"/all"}, Action::VerifyList, L"-", true, L"", true},
        {{L"/compare", L"-", L"r.jsonl", L"/json"}, Action::CompareList, L"-", false, L"r.jsonl", true},
        {{L"/compare", L"base.csv", L"-"}, Action::CompareList, L"base.csv", false, L"-"},
        {{L"/json"}, Action::Wrong, L"", false, L"", false, L"/json says how"},
        {{L"kernel32.dll", L"/json"}, Action::Wrong, L"", false, L"", false, L"/json says how"},
        {{L"/json", L"/?"}, Action::Wrong, L"", false, L"", false, L"/json says how"},
        {{L"/jsonl", L"/save", L"a.csv"}, Action::Wrong, L""},
        {{L"/compare", L"-", L"-", L"/json"}, Action::Wrong, L"", false, L"", false, L"not both"},
    };
    for (const auto& row : table) {
        const CommandLine command = ParseCommandLine(row.arguments);
        EXPECT_EQ(command.action, row.action) << testing::PrintToString(row.arguments);
        EXPECT_EQ(command.file, row.file) << testing::PrintToString(row.arguments);
        EXPECT_EQ(command.all, row.all) << testing::PrintToString(row.arguments);
        EXPECT_EQ(command.report, row.report) << testing::PrintToString(row.arguments);
        EXPECT_EQ(command.json, row.json) << testing::PrintToString(row.arguments);
        EXPECT_EQ(command.mistake.empty(), !*row.mistake) << testing::PrintToString(row.arguments);
        EXPECT_NE(command.mistake.find(row.mistake), std::wstring::npos) << testing::PrintToString(row.arguments);
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
    EXPECT_EQ(IncompleteStatus(12, "Access is denied."),
              "The list is incomplete: the protection service failed after 12 files. Access is denied.");
    EXPECT_EQ(UnlistedStatus(1, "C:\\WINDOWS\\locked", "Access is denied."),
              "The list is incomplete: 1 folder could not be listed, C:\\WINDOWS\\locked. Access is denied.");
    EXPECT_EQ(UnlistedStatus(3, "C:\\WINDOWS\\a", "Access is denied."),
              "The list is incomplete: 3 folders could not be listed, the first C:\\WINDOWS\\a. Access is denied.");
}

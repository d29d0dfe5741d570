// The walk of a folder shaped like a current Windows folder, past the row
// limit: /save /all on the real directory search over the tree that ctest's
// windows_tree fixture makes (tools/make-windows-tree.py), with about
// 31,000 protected files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/ScriptCommands.h"
#include "gui/TestServices.h"
#include "platform/LeadBytes.h"
#include "platform/TextConversion.h"
#include "scan/Enumeration.h"
#include "scan/ProtectedFileScanner.h"
#include "support/StandIns.h"
#include "support/WindowsTree.h"

namespace {

const char kTree[] = "C:\\vorlane-tree-34000\\windows";

// The protected files under `directory` as the platform's own search lists
// them, each folder where its entry comes.
void ProtectedFilesBelow(const std::string& directory, std::vector<std::string>& files)
{
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA((directory + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string_view name = entry.cFileName;
        const std::string path = directory + "\\" + entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (WindowsTreeProtects(path))
                files.push_back(path);
        } else if (name != "." && name != "..") {
            ProtectedFilesBelow(path, files);
        }
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
}

std::vector<std::string> Lines(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

}  // namespace

TEST(WalkAtScale, SaveAllListsEveryProtectedFileInWalkOrderNumberedOnPastTheLimit)
{
    ASSERT_NE(::GetFileAttributesA(kTree), INVALID_FILE_ATTRIBUTES) << "ctest's windows_tree fixture makes it";
    std::vector<std::string> expected;
    ProtectedFilesBelow(kTree, expected);
    ASSERT_GT(expected.size(), static_cast<std::size_t>(CProtectedFileScanner::kMaxRows));
    for (const bool all : {true, false}) {
        TestServices test;
        test.system.majorVersion = 6;
        test.system.windowsDirectory = kTree;
        test.protection.isProtected = WindowsTreeProtects;
        TempTree folder;
        const std::string file = folder.Root() + "\\all.csv";
        std::wstring message;
        EXPECT_EQ(RunSaveCommand(test.services, WideText(file), all, message), all ? 0 : 3) << AnsiText(message.c_str());
        const std::vector<std::string> lines = Lines(file);
        const std::size_t rows = all ? expected.size() : CProtectedFileScanner::kMaxRows;
        ASSERT_EQ(lines.size(), rows + 1) << all;
        for (std::size_t n = 0; n < rows; ++n)
            ASSERT_EQ(lines[n + 1], FormatRowNumber(static_cast<std::uint32_t>(n + 1)) + "," + expected[n]) << n;
        // No file is asked about twice.
        EXPECT_EQ(std::set<std::string>(test.protection.asked.begin(), test.protection.asked.end()).size(),
                  test.protection.asked.size());
    }
}

// A folder that links back to its parent and one that links to its
// sibling, as ctest's linked_tree fixture makes them; under Wine a Unix
// symbolic link to a folder is a reparse point, as a junction is on Windows.
TEST(WalkOfLinks, NeverGoesIntoAFolderThatIsAReparsePoint)
{
    const std::string tree = "C:\\vorlane-linked-tree";
    ASSERT_EQ(::GetFileAttributesA((tree + "\\a\\up").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT,
              static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT))
        << "ctest's linked_tree fixture makes it";
    StandInRedirection redirection;
    FindFileDirectorySearch search(redirection);
    StandInProtection protection;
    // A walk that went into the links would find the file again and again.
    CollectingSink rows(10);
    const ListingOutcome outcome = ScanWindowsDirectory(tree, search, protection, rows, LeadBytes{});
    EXPECT_TRUE(outcome.Whole());
    ASSERT_EQ(rows.rows.size(), 1u);
    EXPECT_EQ(rows.rows[0].path, tree + "\\a\\x.dll");
}

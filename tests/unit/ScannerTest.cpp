#include <gtest/gtest.h>

#include <algorithm>

#include "scan/Enumeration.h"
#include "scan/ProtectedFileScanner.h"
#include "support/FakeTree.h"
#include "support/StandIns.h"

namespace {

std::vector<std::string> PathsOf(const std::vector<ListRow>& rows)
{
    std::vector<std::string> paths;
    for (const ListRow& row : rows)
        paths.push_back(row.path);
    return paths;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TEST(DirectoryWalk, WalksDepthFirstInPlaceAndTestsEveryKindOfFile)
{
    FakeTree tree;
    tree.AddFile("C:\\WINDOWS\\a.dll");
    tree.AddFile("C:\\WINDOWS\\system32\\x.dll");
    tree.AddFile("C:\\WINDOWS\\system32\\drivers\\d.sys");
    tree.AddFile("C:\\WINDOWS\\system32\\y.dll");
    tree.AddFile("C:\\WINDOWS\\.hidden");
    tree.AddFile("C:\\WINDOWS\\z.exe");  // the last entry of the directory
    StandInProtection protection;
    CollectingSink sink;

    ScanWindowsDirectory("C:\\WINDOWS", tree, protection, sink);

    const std::vector<std::string> expected = {
        "C:\\WINDOWS\\a.dll",       "C:\\WINDOWS\\system32\\x.dll", "C:\\WINDOWS\\system32\\drivers\\d.sys",
        "C:\\WINDOWS\\system32\\y.dll", "C:\\WINDOWS\\.hidden",     "C:\\WINDOWS\\z.exe",
    };
    EXPECT_EQ(PathsOf(sink.rows), expected);
    EXPECT_EQ(sink.rows.front().number, "01");
    EXPECT_EQ(sink.rows.back().number, "06");
    // "." and ".." are neither walked nor tested.
    EXPECT_EQ(tree.opened, (std::vector<std::string>{"C:\\WINDOWS", "C:\\WINDOWS\\system32",
                                                     "C:\\WINDOWS\\system32\\drivers"}));
    EXPECT_EQ(protection.asked, expected);
}

TEST(DirectoryWalk, SkipsADirectoryThatCannotBeOpenedAndGoesOn)
{
    FakeTree tree;
    tree.AddFile("C:\\WINDOWS\\a.dll");
    tree.AddFile("C:\\WINDOWS\\locked\\secret.dll");
    tree.AddFile("C:\\WINDOWS\\b.dll");
    tree.Lock("C:\\WINDOWS\\locked");
    StandInProtection protection;
    CollectingSink sink;

    ScanWindowsDirectory("C:\\WINDOWS", tree, protection, sink);

    EXPECT_EQ(PathsOf(sink.rows), (std::vector<std::string>{"C:\\WINDOWS\\a.dll", "C:\\WINDOWS\\b.dll"}));
}

TEST(DirectoryWalk, ListsDirectoryLinksWithoutFollowingThem)
{
    FakeTree tree;
    tree.AddFile("C:\\WINDOWS\\a.dll");
    tree.AddLink("C:\\WINDOWS\\loop");
    tree.AddFile("C:\\WINDOWS\\b.dll");
    StandInProtection protection;
    CollectingSink sink;

    ScanWindowsDirectory("C:\\WINDOWS", tree, protection, sink);

    EXPECT_FALSE(Contains(tree.opened, "C:\\WINDOWS\\loop"));
    EXPECT_TRUE(Contains(protection.asked, "C:\\WINDOWS\\loop"));
    EXPECT_TRUE(Contains(protection.asked, "C:\\WINDOWS\\b.dll"));
}

TEST(DirectoryWalk, OnlyProtectedFilesBecomeRows)
{
    FakeTree tree;
    for (const char* name : {"a.dll", "b.txt", "c.dll", "d.log"})
        tree.AddFile(std::string("C:\\WINDOWS\\") + name);
    StandInProtection protection;
    protection.isProtected = [](const std::string& path) { return path.ends_with(".dll"); };
    CollectingSink sink;

    ScanWindowsDirectory("C:\\WINDOWS", tree, protection, sink);

    EXPECT_EQ(PathsOf(sink.rows), (std::vector<std::string>{"C:\\WINDOWS\\a.dll", "C:\\WINDOWS\\c.dll"}));
    EXPECT_EQ(sink.rows[1].number, "02");
    EXPECT_EQ(protection.asked.size(), 4u);
}

TEST(DirectoryWalk, EndsWithRow30001AndLooksAtNothingAfterIt)
{
    FakeTree tree;
    for (int i = 0; i < 20000; ++i) {
        tree.AddFile("C:\\WINDOWS\\one\\f" + std::to_string(i));
        tree.AddFile("C:\\WINDOWS\\two\\f" + std::to_string(i));
    }
    tree.AddFile("C:\\WINDOWS\\three\\never.dll");
    tree.AddFile("C:\\WINDOWS\\last.dll");
    StandInProtection protection;
    CollectingSink sink;

    CProtectedFileScanner scanner(tree, protection, sink);
    EXPECT_FALSE(scanner.ScanDirectory("C:\\WINDOWS"));

    ASSERT_EQ(sink.rows.size(), 30001u);
    EXPECT_EQ(scanner.RowCount(), 30001);
    EXPECT_EQ(sink.rows.back().number, "30001");
    EXPECT_EQ(sink.rows.back().path, "C:\\WINDOWS\\two\\f10000");
    EXPECT_EQ(protection.asked.size(), 30001u);
    EXPECT_FALSE(Contains(tree.opened, "C:\\WINDOWS\\three"));
}

TEST(DirectoryWalk, StopsAtTheNextEntryOnceTheOwnerAsks)
{
    FakeTree tree;
    for (int i = 0; i < 50; ++i)
        tree.AddFile("C:\\WINDOWS\\sub\\f" + std::to_string(i));
    tree.AddFile("C:\\WINDOWS\\after.dll");
    StandInProtection protection;
    CollectingSink sink(3);

    ScanWindowsDirectory("C:\\WINDOWS", tree, protection, sink);

    EXPECT_EQ(sink.rows.size(), 3u);
    EXPECT_EQ(protection.asked.size(), 3u);
}

TEST(DirectoryWalk, AMissingWindowsDirectoryGivesNoRows)
{
    FakeTree tree;
    StandInProtection protection;
    CollectingSink sink;
    ScanWindowsDirectory("", tree, protection, sink);
    EXPECT_TRUE(sink.rows.empty());
}

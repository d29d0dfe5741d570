#include <gtest/gtest.h>

#include <set>

#include "scan/Enumeration.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/SystemInfo.h"
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

}  // namespace

TEST(ServiceEnumeration, ListsTheServicesFilesInItsOrderUntilTheOwnerAsksToStop)
{
    struct Case {
        const char* name;
        int listed;
        std::size_t stopAfter;
        int rows;
        int nextCalls;
        std::uint32_t cursorStep = 1;
    };
    // No row limit on this strategy: beyond 30001 too. A cursor that stands
    // still would list one file forever; its owner stops that case after a
    // few rows, so that a missing guard fails at once.
    const Case cases[] = {{"all", 30500, SIZE_MAX, 30500, 30501},
                          {"empty", 0, SIZE_MAX, 0, 1},
                          {"stopped", 100, 5, 5, 5},
                          {"cursor standing still", 3, 10, 1, 1, 0}};
    for (const Case& c : cases) {
        StandInProtection protection;
        protection.cursorStep = c.cursorStep;
        for (int i = 0; i < c.listed; ++i)
            protection.listed.push_back("C:\\WINDOWS\\system32\\file" + std::to_string(i) + ".dll");
        CollectingSink sink(c.stopAfter);
        EnumerateProtectedFiles(protection, sink);
        ASSERT_EQ(sink.rows.size(), static_cast<size_t>(c.rows)) << c.name;
        EXPECT_EQ(protection.nextCalls, c.nextCalls) << c.name;
        for (size_t n = 0; n < sink.rows.size(); ++n) {
            ASSERT_EQ(sink.rows[n].number, n + 1) << c.name;
            ASSERT_EQ(sink.rows[n].path, protection.listed[n]) << c.name;
        }
    }
}

TEST(DirectoryWalk, WalksDepthFirstInPlaceSkipsDirectoryLinksAndNotesEachFolderItCouldNotListWhole)
{
    FakeTree tree;
    for (const char* path : {"a.dll", "system32\\x.dll", "system32\\drivers\\d.sys", "system32\\y.txt",
                             "locked\\secret.dll", ".hidden", "z.exe", "partial\\p1.dll", "partial\\p2.dll"})
        tree.AddFile(std::string("C:\\WINDOWS\\") + path);
    tree.Lock("C:\\WINDOWS\\locked", 5);
    // The listing breaks off after ".", ".." and p1.dll.
    tree.FailAfter("C:\\WINDOWS\\partial", 3, 59);
    tree.AddLink("C:\\WINDOWS\\loop");
    StandInProtection protection;
    protection.isProtected = [](const std::string& path) { return !path.ends_with(".txt"); };
    CollectingSink sink;

    const ListingOutcome outcome = ScanWindowsDirectory("C:\\WINDOWS", tree, protection, sink, LeadBytes{});
    EXPECT_FALSE(outcome.stoppedAtLimit);
    EXPECT_EQ(outcome.unlistedFolders,
              (std::vector<UnlistedFolder>{{"C:\\WINDOWS\\locked", 5}, {"C:\\WINDOWS\\partial", 59}}));
    EXPECT_FALSE(outcome.Whole());
    EXPECT_TRUE(outcome.ReachedTheEnd());

    // Every file is asked about and counted; a directory link, ".", and ".."
    // are neither walked nor asked about.
    std::vector<std::string> asked = {"C:\\WINDOWS\\a.dll",          "C:\\WINDOWS\\system32\\x.dll",
                                      "C:\\WINDOWS\\system32\\drivers\\d.sys", "C:\\WINDOWS\\system32\\y.txt",
                                      "C:\\WINDOWS\\.hidden",        "C:\\WINDOWS\\z.exe",
                                      "C:\\WINDOWS\\partial\\p1.dll"};
    EXPECT_EQ(protection.asked, asked);
    EXPECT_EQ(sink.checked, asked.size());
    EXPECT_EQ(tree.opened, (std::vector<std::string>{"C:\\WINDOWS", "C:\\WINDOWS\\system32",
                                                     "C:\\WINDOWS\\system32\\drivers", "C:\\WINDOWS\\partial"}));
    asked.erase(asked.begin() + 3);
    EXPECT_EQ(PathsOf(sink.rows), asked);
    for (size_t n = 0; n < sink.rows.size(); ++n)
        EXPECT_EQ(sink.rows[n].number, n + 1);
}

TEST(DirectoryWalk, EndsWithRow30001AndLooksAtNothingAfterItUnlessToldToGoOnToTheEnd)
{
    FakeTree tree;
    for (int i = 0; i < 20000; ++i) {
        tree.AddFile("C:\\WINDOWS\\one\\f" + std::to_string(i));
        tree.AddFile("C:\\WINDOWS\\two\\f" + std::to_string(i));
    }
    tree.AddFile("C:\\WINDOWS\\three\\never.dll");
    tree.AddFile("C:\\WINDOWS\\last.dll");
    for (const bool pastLimit : {false, true}) {
        SCOPED_TRACE(pastLimit ? "past the limit" : "at the limit");
        StandInProtection protection;
        CollectingSink sink;
        sink.pastLimit = pastLimit;
        tree.opened.clear();
        const LeadBytes singleByte;
        CProtectedFileScanner scanner(tree, protection, sink, singleByte);
        EXPECT_EQ(scanner.ScanDirectory("C:\\WINDOWS"), pastLimit);
        EXPECT_EQ(scanner.StoppedAtLimit(), !pastLimit);
        const std::size_t rows = pastLimit ? 40002 : 30001;
        ASSERT_EQ(sink.rows.size(), rows);
        for (std::size_t n = 0; n < rows; ++n)
            ASSERT_EQ(sink.rows[n].number, n + 1);
        // Each file is asked about once, the walk goes on where it was.
        EXPECT_EQ(protection.asked.size(), rows);
        EXPECT_EQ(std::set<std::string>(protection.asked.begin(), protection.asked.end()).size(), rows);
        EXPECT_EQ(sink.rows[30000].path, "C:\\WINDOWS\\two\\f10000");
        if (pastLimit)
            EXPECT_EQ(sink.rows[30001].path, "C:\\WINDOWS\\two\\f10001");
        else
            EXPECT_EQ(tree.opened.back(), "C:\\WINDOWS\\two");
    }
}

TEST(DirectoryWalk, StopsAtTheNextEntryOnceTheOwnerAsksAndListsNothingWithoutAFolder)
{
    FakeTree tree;
    for (int i = 0; i < 50; ++i)
        tree.AddFile("C:\\WINDOWS\\sub\\f" + std::to_string(i));
    tree.AddFile("C:\\WINDOWS\\after.dll");
    StandInProtection protection;
    CollectingSink sink(3);
    // Stopped by its owner, not at the limit, and not by a folder.
    const ListingOutcome stopped = ScanWindowsDirectory("C:\\WINDOWS", tree, protection, sink, LeadBytes{});
    EXPECT_FALSE(stopped.stoppedAtLimit);
    EXPECT_TRUE(stopped.unlistedFolders.empty());
    EXPECT_EQ(sink.rows.size(), 3u);
    EXPECT_EQ(protection.asked.size(), 3u);

    CollectingSink none;
    EXPECT_EQ(ScanWindowsDirectory("", tree, protection, none, LeadBytes{}).unlistedFolders,
              (std::vector<UnlistedFolder>{{"", 3}}));
    EXPECT_TRUE(none.rows.empty());
}

TEST(ProtectedFileListing, TakesTheStrategyOfTheSystemAndListsNothingWithoutTheService)
{
    class System final : public SystemInfo {
    public:
        unsigned long major = 5;
        unsigned long MajorVersion() override { return major; }
        std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
        std::string VersionText() override { return {}; }
    };
    class MissingService final : public FileProtection {
    public:
        unsigned ServiceError() const override { return 126; }
        bool NextProtectedFile(std::uint32_t&, std::string&) override { return ADD_FAILURE(), false; }
        bool IsFileProtected(const std::string&) override { return ADD_FAILURE(), false; }
    };
    struct Case {
        const char* name;
        unsigned long major;
        bool serviceMissing;
        std::vector<std::string> paths;
        unsigned serviceError;
    };
    const Case cases[] = {
        {"the service's list before version 6", 5, false, {"C:\\listed.dll"}, 0},
        {"a failed version query", 0, false, {"C:\\listed.dll"}, 0},
        {"the walk from version 6 on", 6, false, {"C:\\WINDOWS\\walked.dll"}, 0},
        {"no service before version 6", 5, true, {}, 126},
        {"no service from version 6 on", 10, true, {}, 126},
    };
    for (const Case& c : cases) {
        FakeTree tree;
        tree.AddFile("C:\\WINDOWS\\walked.dll");
        StandInProtection protection;
        protection.listed = {"C:\\listed.dll"};
        MissingService missing;
        System system;
        system.major = c.major;
        CollectingSink sink;
        const ListingOutcome outcome = ListProtectedFiles(
            {c.serviceMissing ? static_cast<FileProtection&>(missing) : protection, tree, system, LeadBytes{}}, sink);
        EXPECT_EQ(PathsOf(sink.rows), c.paths) << c.name;
        EXPECT_EQ(outcome.serviceError, c.serviceError) << c.name;
        EXPECT_FALSE(outcome.stoppedAtLimit) << c.name;
    }
}

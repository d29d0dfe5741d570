#include <gtest/gtest.h>

#include "inspect/VersionSummary.h"
#include "support/FakeVersionSource.h"

namespace {

constexpr const char* kPath = "C:\\WINDOWS\\system32\\kernel32.dll";

class VersionSummaryTest : public ::testing::Test {
protected:
    VersionSummaryTest()
    {
        source.SetFileVersion(6, 1, 760, 17);
        source.SetTranslation(0x0409, 0x04b0);
    }

    std::optional<std::string> Summary() { return FormatVersionSummary(source, kPath); }

    FakeVersionSource source;
};

struct Strings {
    const char* description;
    const char* product;
    const char* copyright;
    const char* expected;
};

}  // namespace

TEST_F(VersionSummaryTest, ComposesTheFoundStringsAroundOneLineBreak)
{
    const std::string v = "v. 6.1.760.17, ";
    const Strings table[] = {
        {"Kernel", "Windows", "(c) Halvory", "Kernel, Windows\r\n(c) Halvory"},
        {"Kernel, ", "Windows", "(c) Halvory", "Kernel, Windows\r\n(c) Halvory"},
        // A comma alone, or a blank alone, is no separator.
        {"Kernel,", "Windows", nullptr, "Kernel,, Windows\r\n"},
        {"Kernel ", "Windows", nullptr, "Kernel , Windows\r\n"},
        {nullptr, "Windows", "(c) Halvory", "Windows\r\n(c) Halvory"},
        {"Kernel", nullptr, "(c) Halvory", "Kernel\r\n(c) Halvory"},
        {nullptr, nullptr, "(c) Halvory", "\r\n(c) Halvory"},
        {"Kernel", "Windows", nullptr, "Kernel, Windows\r\n"},
        {nullptr, nullptr, nullptr, "\r\n"},
    };
    for (const Strings& row : table) {
        source.values.resize(2);  // the fixed info and the translation
        if (row.description)
            source.SetString("FileDescription", row.description);
        if (row.product)
            source.SetString("ProductName", row.product);
        if (row.copyright)
            source.SetString("LegalCopyright", row.copyright);
        EXPECT_EQ(Summary(), v + row.expected) << (row.description ? row.description : "-") << " / "
                                               << (row.product ? row.product : "-");
    }
}

TEST_F(VersionSummaryTest, CountsAValueAsFoundByItsReportedLength)
{
    // Reported, but holding no characters: appends nothing, yet the product
    // name still brings its separator.
    source.SetString("FileDescription", "Kernel");
    source.Set("\\StringFileInfo\\040904b0\\ProductName", {std::string(1, '\0'), 1});
    EXPECT_EQ(Summary(), "v. 6.1.760.17, Kernel, \r\n");
    // Characters, but a reported length of 0: not found.
    source.Set("\\StringFileInfo\\040904b0\\ProductName", {std::string("Windows") + '\0', 0});
    EXPECT_EQ(Summary(), "v. 6.1.760.17, Kernel\r\n");
}

TEST_F(VersionSummaryTest, PrintsTheFileVersionWordsUnsigned)
{
    source.SetFileVersion(65535, 0, 1, 65535);
    EXPECT_EQ(Summary(), "v. 65535.0.1.65535, \r\n");
}

TEST_F(VersionSummaryTest, LooksStringsUpUnderTheFirstTranslationOnly)
{
    // German, Windows-1252, followed by a second pair that is never used.
    source.Set("\\VarFileInfo\\Translation", {std::string("\x07\x04\xe4\x04\x09\x04\xb0\x04", 8), 8});
    source.Set("\\StringFileInfo\\040704e4\\FileDescription", {std::string("Kern") + '\0', 5});
    source.SetString("ProductName", "English");
    EXPECT_EQ(Summary(), "v. 6.1.760.17, Kern\r\n");
}

TEST_F(VersionSummaryTest, GivesNoSummaryWithoutABlock)
{
    source.values.clear();
    EXPECT_EQ(Summary(), std::nullopt);  // size 0
    source.SetFileVersion(1, 2, 3, 4);
    source.readFails = true;
    EXPECT_EQ(Summary(), std::nullopt);
}

TEST_F(VersionSummaryTest, ReadsABoundedBlockOfAFileThatClaimsAHugeOne)
{
    source.SetString("FileDescription", "Kernel");
    source.slack = 0xFFFFFF00;
    EXPECT_EQ(Summary(), "v. 6.1.760.17, Kernel\r\n");
    EXPECT_EQ(source.readSize, kMaxVersionBlockBytes);
}

TEST_F(VersionSummaryTest, ShowsWhatABlockWithoutRootOrTranslationHolds)
{
    FakeVersionSource noTranslation;
    noTranslation.SetFileVersion(5, 1, 2600, 0);
    noTranslation.SetString("FileDescription", "Shell");
    EXPECT_EQ(FormatVersionSummary(noTranslation, kPath), "v. 5.1.2600.0, \r\n");

    FakeVersionSource noRoot;
    noRoot.SetTranslation(0x0409, 0x04b0);
    noRoot.SetString("ProductName", "Windows");
    noRoot.SetString("LegalCopyright", "(c)");
    EXPECT_EQ(FormatVersionSummary(noRoot, kPath), "Windows\r\n(c)");
}

TEST_F(VersionSummaryTest, NeverReadsOutsideTheBlock)
{
    // A fixed info and a translation too short for their fields.
    FakeVersionSource shortValues;
    shortValues.Set("\\", {std::string(12, '\x01'), 52});
    shortValues.Set("\\VarFileInfo\\Translation", {std::string(2, '\x09'), 4});
    EXPECT_EQ(FormatVersionSummary(shortValues, kPath), "\r\n");

    // A text that runs to the end of the block without a terminator.
    source.SetString("FileDescription", "Kernel");
    source.Set("\\StringFileInfo\\040904b0\\LegalCopyright", {std::string(32, 'c'), 32});
    EXPECT_EQ(Summary(), "v. 6.1.760.17, Kernel\r\n" + std::string(32, 'c'));

    // A value reported at an address outside the block reads as empty.
    source.outside["\\StringFileInfo\\040904b0\\ProductName"] = "Windows";
    EXPECT_EQ(Summary(), "v. 6.1.760.17, Kernel, \r\n" + std::string(32, 'c'));
}

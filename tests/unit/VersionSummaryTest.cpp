#include <gtest/gtest.h>

#include <span>
#include <utility>
#include <vector>

#include "inspect/VersionSummary.h"
#include "support/VersionBlockBytes.h"
#include "support/VersionLibraryModel.h"

namespace {

constexpr const char* kPath = "C:\\WINDOWS\\system32\\kernel32.dll";

// The summary of the block, read by the version library's model in either
// form; the two must agree.
std::optional<std::string> Summary(const VersionNode& tree)
{
    VersionLibraryModel ansi(VersionBlockBytes(tree, BlockForm::Ansi));
    VersionLibraryModel unicode(VersionBlockBytes(tree, BlockForm::Unicode));
    const auto summary = FormatVersionSummary(unicode, kPath);
    EXPECT_EQ(FormatVersionSummary(ansi, kPath), summary);
    return summary;
}

// The texts of the sample's one string table.
std::vector<VersionNode>& Texts(VersionNode& tree)
{
    return tree.children[0].children[0].children;
}

struct Strings {
    const char* description;
    const char* product;
    const char* copyright;
    const char* expected;
};

}  // namespace

TEST(VersionSummary, ComposesTheFoundStringsAroundOneLineBreak)
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
        VersionNode tree = SampleVersionTree();
        Texts(tree).clear();
        for (const auto& [key, text] : {std::pair{"FileDescription", row.description},
                                        std::pair{"ProductName", row.product},
                                        std::pair{"LegalCopyright", row.copyright}}) {
            if (text)
                Texts(tree).push_back({key, text, true});
        }
        EXPECT_EQ(Summary(tree), v + row.expected) << (row.description ? row.description : "-") << " / "
                                                   << (row.product ? row.product : "-");
    }
}

TEST(VersionSummary, CountsAValueAsFoundByItsReportedLength)
{
    // Reported, but holding no characters: appends nothing, yet the product
    // name still brings its separator.
    VersionNode tree = SampleVersionTree();
    VersionNode& product = Texts(tree)[1];
    product.value.clear();
    product.valueLength = 1;
    EXPECT_EQ(Summary(tree), "v. 6.1.760.17, Kernel, \r\n(c) Halvory");
    // Characters, but a reported length of 0: not found.
    product.value = "Windows";
    product.valueLength = 0;
    EXPECT_EQ(Summary(tree), "v. 6.1.760.17, Kernel\r\n(c) Halvory");
}

TEST(VersionSummary, PrintsTheFileVersionWordsUnsigned)
{
    VersionNode tree = SampleVersionTree();
    tree.value = FixedFileInfo(65535, 0, 1, 65535);
    Texts(tree).clear();
    EXPECT_EQ(Summary(tree), "v. 65535.0.1.65535, \r\n");
}

TEST(VersionSummary, LooksStringsUpUnderTheFirstTranslationOnly)
{
    // German, Windows-1252, followed by the sample's pair, which is never used.
    VersionNode tree = SampleVersionTree();
    tree.children[1].children[0].value = std::string("\x07\x04\xe4\x04\x09\x04\xb0\x04", 8);
    tree.children[0].children.push_back({"040704e4", "", false, {{"FileDescription", "Kern", true}}});
    EXPECT_EQ(Summary(tree), "v. 6.1.760.17, Kern\r\n");
}

TEST(VersionSummary, GivesNoSummaryWithoutABlockOrWhenItCannotBeRead)
{
    VersionLibraryModel none("");
    EXPECT_EQ(FormatVersionSummary(none, kPath), std::nullopt);
    VersionLibraryModel unreadable("", 64);
    EXPECT_EQ(FormatVersionSummary(unreadable, kPath), std::nullopt);
}

TEST(VersionSummary, ReadsABoundedBlockOfAFileThatClaimsAHugeOne)
{
    VersionLibraryModel library(VersionBlockBytes(SampleVersionTree(), BlockForm::Unicode), 0xFFFFFF00);
    std::vector<unsigned char> heap;
    EXPECT_EQ(FormatVersionSummary(library, kPath,
                                   [&heap](std::size_t size) {
                                       heap.assign(size, 0);
                                       return std::span(heap);
                                   }),
              kSampleSummary);
    EXPECT_EQ(heap.size(), kMaxVersionBlockBytes);
}

TEST(VersionSummary, ShowsWhatABlockWithoutRootOrTranslationHolds)
{
    VersionNode noTranslation = SampleVersionTree();
    noTranslation.children.pop_back();
    EXPECT_EQ(Summary(noTranslation), "v. 6.1.760.17, \r\n");

    VersionNode noRoot = SampleVersionTree();
    noRoot.value.clear();
    EXPECT_EQ(Summary(noRoot), "Kernel, Windows\r\n(c) Halvory");
}

TEST(VersionSummary, NeverReadsOutsideTheBlock)
{
    // A fixed info and a translation too short for their fields.
    VersionNode shortValues = SampleVersionTree();
    shortValues.value.resize(12);
    shortValues.children[1].children[0].value.resize(2);
    EXPECT_EQ(Summary(shortValues), "\r\n");

    // A text that runs to the end of the block without a terminator.
    VersionNode open = SampleVersionTree();
    Texts(open)[2] = {"LegalCopyright", std::string(32, 'c')};
    std::swap(open.children[0], open.children[1]);
    const std::string bytes = VersionBlockBytes(open, BlockForm::Ansi);
    VersionLibraryModel library(bytes, static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(FormatVersionSummary(library, kPath), "v. 6.1.760.17, Kernel, Windows\r\n" + std::string(32, 'c'));
}

TEST(VersionFacts, AreTheFileVersionAndTheOriginalNameUnderTheFirstTranslation)
{
    const auto withName = [](VersionNode tree) {
        Texts(tree).push_back({"OriginalFilename", "kernel32.dll", true});
        return tree;
    };
    VersionNode noTranslation = withName(SampleVersionTree());
    noTranslation.children.pop_back();
    VersionNode noRoot = withName(SampleVersionTree());
    noRoot.value.clear();
    VersionNode unsafe = withName(SampleVersionTree());
    Texts(unsafe)[0].valueLength = 0x7FFF;
    const struct {
        const char* what;
        VersionNode tree;
        const char* version;
        const char* originalName;
    } table[] = {
        {"both", withName(SampleVersionTree()), "6.1.760.17", "kernel32.dll"},
        {"no original name", SampleVersionTree(), "6.1.760.17", ""},
        {"no translation to look it up by", noTranslation, "6.1.760.17", ""},
        {"no fixed info", noRoot, "", "kernel32.dll"},
        {"a block that may not be queried", unsafe, "", ""},
    };
    for (const auto& row : table) {
        for (const BlockForm form : {BlockForm::Ansi, BlockForm::Unicode}) {
            VersionLibraryModel library(VersionBlockBytes(row.tree, form));
            const VersionFacts facts = ReadVersionFacts(library, kPath);
            EXPECT_EQ(facts.fileVersion, row.version) << row.what;
            EXPECT_EQ(facts.originalName, row.originalName) << row.what;
        }
    }
    VersionLibraryModel none("");
    EXPECT_EQ(ReadVersionFacts(none, kPath).fileVersion, "");
}

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "compare/Comparison.h"
#include "compare/ComparisonReport.h"
#include "support/AsciiUpper.h"

namespace {

constexpr const char* kCatalog = "Signed (catalog)";
constexpr const char* kEmbedded = "Signed (embedded)";
constexpr const char* kMicrosoft = "Microsoft Windows";
const std::string kHash0(64, '0');
const std::string kHashA = std::string(63, '0') + "A";
const std::string kHasha = std::string(63, '0') + "a";

BaselineFile Before(std::string_view signature, std::string_view signer, std::string_view sha256,
                    std::string_view path = "C:\\WINDOWS\\a.dll")
{
    return {path, signature, signer, sha256, ""};
}

CurrentFile After(const char* signature, const char* signer, const std::string& sha256,
                  const char* path = "C:\\WINDOWS\\a.dll")
{
    return {path, signature, signer, sha256, "", true};
}

// Each difference as its change and path.
std::vector<std::string> Changes(const Comparison& comparison)
{
    std::vector<std::string> texts;
    for (const Difference& difference : comparison.differences)
        texts.push_back(ChangeText(difference.kind) + " " +
                        std::string(difference.after ? difference.after->path : difference.before->path));
    return texts;
}

}  // namespace

TEST(Comparison, TellsAnUpdateFromAChange)
{
    CurrentFile stopped = After("", "", "");
    stopped.verified = false;
    CurrentFile catalogued = After(kCatalog, kMicrosoft, kHash0);
    catalogued.catalog = "other.cat";
    const struct {
        std::optional<BaselineFile> before;
        std::optional<CurrentFile> after;
        const char* change;
    } table[] = {
        {Before(kCatalog, kMicrosoft, kHash0), After(kCatalog, kMicrosoft, kHash0), nullptr},
        {Before(kCatalog, kMicrosoft, kHashA), After(kCatalog, kMicrosoft, kHasha), nullptr},
        {Before(kCatalog, kMicrosoft, kHash0, "C:\\Windows\\A.dll"), After(kCatalog, kMicrosoft, kHash0), nullptr},
        // Which catalog vouches for the file is not compared.
        {Before(kCatalog, kMicrosoft, kHash0), catalogued, nullptr},
        {Before(kCatalog, kMicrosoft, kHash0), After(kCatalog, kMicrosoft, kHashA), "Updated"},
        {Before(kCatalog, kMicrosoft, kHash0), After(kEmbedded, kMicrosoft, kHashA), "Updated"},
        {Before(kEmbedded, "", kHash0), After(kEmbedded, "", kHashA), "Updated"},
        {Before(kCatalog, kMicrosoft, kHash0), After(kCatalog, "Microsoft Corporation", kHashA), "Changed"},
        {Before(kCatalog, kMicrosoft, kHash0), After("Not signed", "", kHashA), "Changed"},
        {Before("Not signed", "", kHash0), After(kCatalog, kMicrosoft, kHashA), "Changed"},
        {Before("Not signed", "", kHash0), After("Not signed", "", kHashA), "Changed"},
        {Before("Signer not trusted", "Evil", kHash0), After("Signer not trusted", "Evil", kHashA), "Changed"},
        {Before(kCatalog, kMicrosoft, kHash0), After("Signer not trusted", kMicrosoft, kHashA), "Changed"},
        {Before("Signer not trusted", kMicrosoft, kHash0), After(kEmbedded, kMicrosoft, kHashA), "Changed"},
        {Before("Signature does not match the file", kMicrosoft, kHash0),
         After("Signature does not match the file", kMicrosoft, kHashA), "Changed"},
        {Before("Could not be read: Access is denied.", "", ""), After(kCatalog, kMicrosoft, kHash0), "Changed"},
        {Before(kCatalog, kMicrosoft, kHash0), After("Could not be read: Access is denied.", "", ""), "Changed"},
        {Before("Could not be read: Access is denied.", "", ""), After("Could not be read: Access is denied.", "", ""),
         nullptr},
        {Before("Could not be read: Access is denied.", "", ""),
         After("Could not be read: The file is in use.", "", ""), "Changed"},
        {Before(kCatalog, kMicrosoft, kHash0), After(kEmbedded, kMicrosoft, kHash0), "Signature changed"},
        {Before(kCatalog, kMicrosoft, kHashA), After(kCatalog, "Microsoft Corporation", kHasha), "Signature changed"},
        {Before(kCatalog, kMicrosoft, kHash0), After("Signer not trusted", kMicrosoft, kHash0), "Signature changed"},
        {Before("Could not be checked: x", "", kHash0), After(kCatalog, kMicrosoft, kHash0), "Signature changed"},
        {Before(kCatalog, kMicrosoft, kHash0), stopped, "Not compared (stopped)"},
        {Before("Not verified (stopped)", "", ""), After(kCatalog, kMicrosoft, kHash0), "Not compared (stopped)"},
        {Before(kCatalog, kMicrosoft, kHash0), std::nullopt, "Removed"},
        {std::nullopt, After(kCatalog, kMicrosoft, kHash0), "Added"},
        {std::nullopt, stopped, "Added"},
    };
    for (const auto& row : table) {
        const std::vector<BaselineFile> before(row.before ? 1 : 0, row.before.value_or(BaselineFile{}));
        const std::vector<CurrentFile> after(row.after ? 1 : 0, row.after.value_or(CurrentFile{}));
        const Comparison comparison = Compare(before, after, AsciiUpper);
        const std::string context = testing::PrintToString(row.before ? row.before->signature : "-") + " " +
                                    testing::PrintToString(row.after ? row.after->signature : "-");
        if (!row.change) {
            EXPECT_TRUE(comparison.differences.empty()) << context;
            continue;
        }
        ASSERT_EQ(comparison.differences.size(), 1u) << context;
        const Difference& difference = comparison.differences[0];
        EXPECT_EQ(ChangeText(difference.kind), row.change) << context;
        EXPECT_EQ(difference.before, before.empty() ? nullptr : &before[0]) << context;
        EXPECT_EQ(difference.after, after.empty() ? nullptr : &after[0]) << context;
    }
}

TEST(Comparison, ListsTheDifferencesByTheKeysOfTheirPathsAndCountsEachKind)
{
    CurrentFile stoppedNew = After("", "", "", "C:\\g.dll");
    CurrentFile stoppedOld = After("", "", "", "C:\\h.dll");
    stoppedNew.verified = stoppedOld.verified = false;
    const std::vector<BaselineFile> before = {
        Before("Not signed", "", kHash0, "C:\\E.dll"),      Before(kCatalog, kMicrosoft, kHash0, "C:\\h.dll"),
        Before(kCatalog, kMicrosoft, kHash0, "C:\\d.dll"), Before(kCatalog, kMicrosoft, kHash0, "C:\\c.dll"),
        Before(kCatalog, kMicrosoft, kHash0, "C:\\B.dll"), Before(kCatalog, kMicrosoft, kHash0, "C:\\f.dll"),
        Before(kCatalog, kMicrosoft, kHash0, "C:\\k.dll"),
    };
    // Of files listed now under one key, the one whose path is the
    // baseline's byte for byte, else the first, is its file; any other is
    // added.
    const std::vector<CurrentFile> after = {
        After(kCatalog, kMicrosoft, kHash0, "C:\\F.dll"), stoppedOld,
        After(kCatalog, kMicrosoft, kHash0, "C:\\d.dll"), After("Not signed", "", kHashA, "C:\\e.dll"),
        After(kCatalog, kMicrosoft, kHashA, "C:\\b.dll"), stoppedNew,
        After(kCatalog, kMicrosoft, kHash0, "C:\\a.dll"), After(kCatalog, kMicrosoft, kHash0, "C:\\f.dll"),
        After(kCatalog, kMicrosoft, kHash0, "C:\\G.dll"), After(kCatalog, kMicrosoft, kHash0, "C:\\K.dll"),
        After(kCatalog, kMicrosoft, kHash0, "C:\\K.DLL"), After(kCatalog, kMicrosoft, kHash0, "C:\\d.dll"),
    };
    const Comparison comparison = Compare(before, after, AsciiUpper);
    EXPECT_EQ(Changes(comparison), (std::vector<std::string>{
                                       "Added C:\\a.dll",
                                       "Updated C:\\b.dll",
                                       "Removed C:\\c.dll",
                                       "Added C:\\d.dll",
                                       "Changed C:\\e.dll",
                                       "Added C:\\F.dll",
                                       "Added C:\\G.dll",
                                       "Added C:\\g.dll",
                                       "Not compared (stopped) C:\\h.dll",
                                       "Added C:\\K.DLL",
                                   }));
    EXPECT_EQ(comparison.counts, (std::array<std::size_t, kChangeKindCount>{6, 1, 1, 1, 0, 1}));
}

TEST(Comparison, OnlyUpdatesWhenNothingElseDiffers)
{
    CurrentFile stopped = After("", "", "", "C:\\b.dll");
    stopped.verified = false;
    const BaselineFile a = Before(kCatalog, kMicrosoft, kHash0, "C:\\a.dll");
    const BaselineFile b = Before(kCatalog, kMicrosoft, kHash0, "C:\\b.dll");
    const CurrentFile aSame = After(kCatalog, kMicrosoft, kHash0, "C:\\a.dll");
    const CurrentFile aUpdated = After(kCatalog, kMicrosoft, kHashA, "C:\\a.dll");
    const CurrentFile bSame = After(kCatalog, kMicrosoft, kHash0, "C:\\b.dll");
    const struct {
        std::vector<BaselineFile> before;
        std::vector<CurrentFile> after;
        bool onlyUpdates;
    } table[] = {
        {{}, {}, true},
        {{a, b}, {aSame, bSame}, true},
        {{a, b}, {aUpdated, bSame}, true},
        {{a, b}, {aUpdated}, false},
        {{a}, {aUpdated, bSame}, false},
        {{a, b}, {aUpdated, stopped}, false},
        {{a}, {After(kEmbedded, kMicrosoft, kHash0, "C:\\a.dll")}, false},
        {{a}, {After("Not signed", "", kHashA, "C:\\a.dll")}, false},
    };
    for (const auto& row : table) {
        const Comparison comparison = Compare(row.before, row.after, AsciiUpper);
        EXPECT_EQ(comparison.OnlyUpdates(), row.onlyUpdates) << testing::PrintToString(Changes(comparison));
    }
}

TEST(ComparisonReport, WritesEachFileBeforeAndAfter)
{
    CurrentFile stopped = After("Signed (catalog)", "Microsoft Windows", "0B", "C:\\s.dll");
    stopped.verified = false;
    const std::vector<BaselineFile> before = {
        Before(kCatalog, kMicrosoft, "00", "C:\\Removed.dll"),
        Before(kCatalog, kMicrosoft, "00", "C:\\u.dll"),
        Before(kCatalog, kMicrosoft, "00", "C:\\s.dll"),
    };
    const std::vector<CurrentFile> after = {
        After(kEmbedded, "", "01", "C:\\Added.dll"),
        After(kCatalog, kMicrosoft, "0A", "C:\\U.dll"),
        stopped,
    };
    const Comparison comparison = Compare(before, after, AsciiUpper);
    EXPECT_EQ(CsvHeaderOf(DifferenceColumns()),
              (std::vector<std::string>{"Change", "Path", "Signature before", "Signature after", "Signer before",
                                        "Signer after", "SHA256 before", "SHA256 after"}));
    EXPECT_EQ(RecordsOf<Difference>(DifferenceColumns(), comparison.differences),
              (std::vector<std::vector<std::string>>{
                  {"Added", "C:\\Added.dll", "", kEmbedded, "", "", "", "01"},
                  {"Removed", "C:\\Removed.dll", kCatalog, "", kMicrosoft, "", "00", ""},
                  {"Not compared (stopped)", "C:\\s.dll", kCatalog, "Not verified (stopped)", kMicrosoft, "", "00", ""},
                  {"Updated", "C:\\U.dll", kCatalog, kCatalog, kMicrosoft, kMicrosoft, "00", "0A"},
              }));
}

TEST(ComparisonReport, CountsEachKindOnOneLine)
{
    const struct {
        std::array<std::size_t, kChangeKindCount> counts;
        const char* text;
    } table[] = {
        {{0, 0, 0, 0, 0, 0}, "Added: 0,   Removed: 0,   Updated: 0,   Changed: 0,   Signature changed: 0"},
        {{1, 2, 3, 4, 5, 0}, "Added: 1,   Removed: 2,   Updated: 3,   Changed: 4,   Signature changed: 5"},
        {{0, 0, 1200, 0, 0, 7},
         "Added: 0,   Removed: 0,   Updated: 1200,   Changed: 0,   Signature changed: 0,   Not compared (stopped): 7"},
    };
    for (const auto& row : table) {
        Comparison comparison;
        comparison.counts = row.counts;
        EXPECT_EQ(ComparisonCounts(comparison), row.text);
    }
}

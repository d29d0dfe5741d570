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
const std::string kRoot(64, 'R');
const std::string kOtherRoot(64, 'E');

// What tells an update: the version, the original name and the root.
struct Identity {
    const char* version = "10.0.1.1";
    const char* originalName = "a.dll";
    std::string_view root = kRoot;
};

BaselineFile Before(std::string_view signature, std::string_view signer, std::string_view sha256,
                    std::string_view path = "C:\\WINDOWS\\a.dll", const Identity& identity = {})
{
    return {path, signature, signer, sha256, "", identity.version, identity.originalName, identity.root};
}

CurrentFile After(const char* signature, const char* signer, const std::string& sha256,
                  const char* path = "C:\\WINDOWS\\a.dll", const Identity& identity = {})
{
    return {path, signature, signer, sha256, "", identity.version, identity.originalName, std::string(identity.root),
            true};
}

// A baseline that tells updates, as /verify writes it now.
Baseline Holding(std::vector<BaselineFile> files, bool tellsUpdates = true)
{
    Baseline baseline;
    baseline.files = std::move(files);
    baseline.tellsUpdates = tellsUpdates;
    return baseline;
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
    const char* path = "C:\\WINDOWS\\a.dll";
    const Identity later{"10.0.1.2"};
    const struct {
        std::optional<BaselineFile> before;
        std::optional<CurrentFile> after;
        const char* change;
        bool tellsUpdates = true;
    } table[] = {
        {Before(kCatalog, kMicrosoft, kHash0), After(kCatalog, kMicrosoft, kHash0), nullptr},
        {Before(kCatalog, kMicrosoft, kHashA), After(kCatalog, kMicrosoft, kHasha), nullptr},
        {Before(kCatalog, kMicrosoft, kHash0, "C:\\Windows\\A.dll"), After(kCatalog, kMicrosoft, kHash0), nullptr},
        // Which catalog vouches for the file is not compared.
        {Before(kCatalog, kMicrosoft, kHash0), catalogued, nullptr},
        // A later build of the same program by the same trusted signer, under the same root.
        {Before(kCatalog, kMicrosoft, kHash0), After(kCatalog, kMicrosoft, kHashA, path, later), "Updated"},
        {Before(kCatalog, kMicrosoft, kHash0), After(kEmbedded, kMicrosoft, kHashA, path, later), "Updated"},
        {Before(kCatalog, kMicrosoft, kHash0, path, {"9.0.0.0"}), After(kCatalog, kMicrosoft, kHashA, path, later),
         "Updated"},
        {Before(kCatalog, kMicrosoft, kHash0, path, {"", "a.dll"}), After(kCatalog, kMicrosoft, kHashA, path, later),
         "Updated"},
        {Before(kCatalog, kMicrosoft, kHash0, path, {"1.0.0.0", ""}),
         After(kCatalog, kMicrosoft, kHashA, path, {"1.0.0.1", ""}), "Updated"},
        // Original names match as Windows matches names.
        {Before(kCatalog, kMicrosoft, kHash0, path, {"1.0.0.0", "A.DLL"}),
         After(kCatalog, kMicrosoft, kHashA, path, {"1.0.0.1", "a.dll"}), "Updated"},
        // An older build put back, its flaw with it.
        {Before(kCatalog, kMicrosoft, kHash0, path, later), After(kCatalog, kMicrosoft, kHashA), "Downgraded"},
        {Before(kCatalog, kMicrosoft, kHash0, path, {"10.0.1.10"}),
         After(kCatalog, kMicrosoft, kHashA, path, {"10.0.1.9"}), "Downgraded"},
        // Another signed program copied over the file's name: cmd.exe over sethc.exe.
        {Before(kCatalog, kMicrosoft, kHash0, path, {"10.0.1.1", "sethc.exe"}),
         After(kCatalog, kMicrosoft, kHashA, path, {"10.0.1.2", "Cmd.Exe"}), "Changed"},
        {Before(kCatalog, kMicrosoft, kHash0, path, {"1.0.0.0", "a.dll"}),
         After(kCatalog, kMicrosoft, kHashA, path, {"1.0.0.1", ""}), "Changed"},
        // The same version, other bytes.
        {Before(kCatalog, kMicrosoft, kHash0), After(kCatalog, kMicrosoft, kHashA), "Changed"},
        // Signed under another root that bears the same names.
        {Before(kCatalog, kMicrosoft, kHash0), After(kCatalog, kMicrosoft, kHashA, path, {"10.0.1.2", "a.dll", kOtherRoot}),
         "Changed"},
        {Before(kCatalog, kMicrosoft, kHash0, path, {"10.0.1.1", "a.dll", ""}),
         After(kCatalog, kMicrosoft, kHashA, path, {"10.0.1.2", "a.dll", ""}), "Changed"},
        // No signer's name is no signer to be the same.
        {Before(kEmbedded, "", kHash0), After(kEmbedded, "", kHashA, path, later), "Changed"},
        {Before(kCatalog, kMicrosoft, kHash0), After(kCatalog, "Microsoft Corporation", kHashA, path, later), "Changed"},
        {Before(kCatalog, kMicrosoft, kHash0, path, {"1.x"}), After(kCatalog, kMicrosoft, kHashA, path, later), "Changed"},
        {Before(kCatalog, kMicrosoft, kHash0), After("Not signed", "", kHashA, path, later), "Changed"},
        {Before("Not signed", "", kHash0), After(kCatalog, kMicrosoft, kHashA, path, later), "Changed"},
        {Before("Not signed", "", kHash0), After("Not signed", "", kHashA, path, later), "Changed"},
        {Before("Signer not trusted", "Evil", kHash0), After("Signer not trusted", "Evil", kHashA, path, later),
         "Changed"},
        {Before(kCatalog, kMicrosoft, kHash0), After("Signer not trusted", kMicrosoft, kHashA, path, later), "Changed"},
        {Before("Signature does not match the file", kMicrosoft, kHash0),
         After("Signature does not match the file", kMicrosoft, kHashA, path, later), "Changed"},
        // A baseline of an earlier Vorlane cannot tell an update.
        {Before(kCatalog, kMicrosoft, kHash0), After(kCatalog, kMicrosoft, kHashA, path, later), "Changed", false},
        {Before(kCatalog, kMicrosoft, kHash0), After(kEmbedded, kMicrosoft, kHash0), "Signature changed", false},
        // What was never read is never the same.
        {Before("Could not be read: Access is denied.", "", ""), After(kCatalog, kMicrosoft, kHash0),
         "Not compared (not read)"},
        {Before(kCatalog, kMicrosoft, kHash0), After("Could not be read: Access is denied.", "", ""),
         "Not compared (not read)"},
        {Before("Could not be read: Access is denied.", "", ""), After("Could not be read: Access is denied.", "", ""),
         "Not compared (not read)"},
        {Before("Could not be checked: x", "", kHash0), After(kCatalog, kMicrosoft, kHash0), "Not compared (not read)"},
        {Before(kCatalog, kMicrosoft, kHash0), After("Could not be checked: x", "", kHash0), "Not compared (not read)"},
        {Before(kCatalog, kMicrosoft, ""), After(kCatalog, kMicrosoft, kHash0), "Not compared (not read)"},
        {Before(kCatalog, kMicrosoft, kHash0), After(kEmbedded, kMicrosoft, kHash0), "Signature changed"},
        {Before(kCatalog, kMicrosoft, kHashA), After(kCatalog, "Microsoft Corporation", kHasha), "Signature changed"},
        {Before(kCatalog, kMicrosoft, kHash0), After("Signer not trusted", kMicrosoft, kHash0), "Signature changed"},
        {Before(kCatalog, kMicrosoft, kHash0), stopped, "Not compared (stopped)"},
        {Before("Not verified (stopped)", "", ""), After(kCatalog, kMicrosoft, kHash0), "Not compared (stopped)"},
        {Before(kCatalog, kMicrosoft, kHash0), std::nullopt, "Removed"},
        {std::nullopt, After(kCatalog, kMicrosoft, kHash0), "Added"},
        {std::nullopt, stopped, "Added"},
    };
    for (const auto& row : table) {
        const Baseline before = Holding(row.before ? std::vector{*row.before} : std::vector<BaselineFile>{},
                                        row.tellsUpdates);
        const std::vector<CurrentFile> after(row.after ? 1 : 0, row.after.value_or(CurrentFile{}));
        const Comparison comparison = Compare(before, after, AsciiUpper);
        const std::string context =
            testing::PrintToString(row.before ? row.before->signature : "-") + " " +
            testing::PrintToString(row.before ? row.before->version : "-") + " " +
            testing::PrintToString(row.after ? row.after->signature : "-") + " " +
            testing::PrintToString(row.after ? row.after->version + " " + row.after->originalName : "-");
        if (!row.change) {
            EXPECT_TRUE(comparison.differences.empty()) << context;
            continue;
        }
        ASSERT_EQ(comparison.differences.size(), 1u) << context;
        const Difference& difference = comparison.differences[0];
        EXPECT_EQ(ChangeText(difference.kind), row.change) << context;
        EXPECT_EQ(difference.before, before.files.empty() ? nullptr : &before.files[0]) << context;
        EXPECT_EQ(difference.after, after.empty() ? nullptr : &after[0]) << context;
        EXPECT_EQ(comparison.updatesUntold, !row.tellsUpdates && difference.kind == ChangeKind::Changed) << context;
    }
}

TEST(Comparison, ListsTheDifferencesByTheKeysOfTheirPathsAndCountsEachKind)
{
    CurrentFile stoppedNew = After("", "", "", "C:\\g.dll");
    CurrentFile stoppedOld = After("", "", "", "C:\\h.dll");
    stoppedNew.verified = stoppedOld.verified = false;
    const Baseline before = Holding({
        Before("Not signed", "", kHash0, "C:\\E.dll"),      Before(kCatalog, kMicrosoft, kHash0, "C:\\h.dll"),
        Before(kCatalog, kMicrosoft, kHash0, "C:\\d.dll"), Before(kCatalog, kMicrosoft, kHash0, "C:\\c.dll"),
        Before(kCatalog, kMicrosoft, kHash0, "C:\\B.dll"), Before(kCatalog, kMicrosoft, kHash0, "C:\\f.dll"),
        Before(kCatalog, kMicrosoft, kHash0, "C:\\k.dll"), Before(kCatalog, kMicrosoft, kHash0, "C:\\Locked\\x.dll"),
        Before(kCatalog, kMicrosoft, kHash0, "C:\\lockedout.dll"),
    });
    // Of files listed now under one key, the one whose path is the
    // baseline's byte for byte, else the first, is its file; any other is
    // added.
    const std::vector<CurrentFile> after = {
        After(kCatalog, kMicrosoft, kHash0, "C:\\F.dll"), stoppedOld,
        After(kCatalog, kMicrosoft, kHash0, "C:\\d.dll"), After("Not signed", "", kHashA, "C:\\e.dll"),
        After(kCatalog, kMicrosoft, kHashA, "C:\\b.dll", {"10.0.1.2"}), stoppedNew,
        After(kCatalog, kMicrosoft, kHash0, "C:\\a.dll"), After(kCatalog, kMicrosoft, kHash0, "C:\\f.dll"),
        After(kCatalog, kMicrosoft, kHash0, "C:\\G.dll"), After(kCatalog, kMicrosoft, kHash0, "C:\\K.dll"),
        After(kCatalog, kMicrosoft, kHash0, "C:\\K.DLL"), After(kCatalog, kMicrosoft, kHash0, "C:\\d.dll"),
    };
    // A file of a folder that could not be listed now is not taken for
    // removed; a file beside that folder whose name begins like it is.
    const std::vector<std::string> unlisted = {"C:\\locked"};
    const Comparison comparison = Compare(before, after, AsciiUpper, unlisted);
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
                                       "Removed C:\\lockedout.dll",
                                       "Not compared (folder not listed) C:\\Locked\\x.dll",
                                   }));
    EXPECT_EQ(comparison.counts, (std::array<std::size_t, kChangeKindCount>{6, 2, 1, 0, 1, 0, 1, 0, 1}));
}

TEST(Comparison, OnlyUpdatesWhenNothingElseDiffers)
{
    CurrentFile stopped = After("", "", "", "C:\\b.dll");
    stopped.verified = false;
    const BaselineFile a = Before(kCatalog, kMicrosoft, kHash0, "C:\\a.dll");
    const BaselineFile b = Before(kCatalog, kMicrosoft, kHash0, "C:\\b.dll");
    const CurrentFile aSame = After(kCatalog, kMicrosoft, kHash0, "C:\\a.dll");
    const CurrentFile aUpdated = After(kCatalog, kMicrosoft, kHashA, "C:\\a.dll", {"10.0.1.2"});
    const CurrentFile aDowngraded = After(kCatalog, kMicrosoft, kHashA, "C:\\a.dll", {"10.0.1.0"});
    const CurrentFile bSame = After(kCatalog, kMicrosoft, kHash0, "C:\\b.dll");
    const CurrentFile bUnread = After("Could not be read: Access is denied.", "", "", "C:\\b.dll");
    const struct {
        std::vector<BaselineFile> before;
        std::vector<CurrentFile> after;
        bool onlyUpdates;
    } table[] = {
        {{}, {}, true},
        {{a, b}, {aSame, bSame}, true},
        {{a, b}, {aUpdated, bSame}, true},
        {{a, b}, {aDowngraded, bSame}, false},
        {{a, b}, {aSame, bUnread}, false},
        {{a, b}, {aUpdated}, false},
        {{a}, {aUpdated, bSame}, false},
        {{a, b}, {aUpdated, stopped}, false},
        {{a}, {After(kEmbedded, kMicrosoft, kHash0, "C:\\a.dll")}, false},
        {{a}, {After("Not signed", "", kHashA, "C:\\a.dll")}, false},
    };
    for (const auto& row : table) {
        const Comparison comparison = Compare(Holding(row.before), row.after, AsciiUpper);
        EXPECT_EQ(comparison.OnlyUpdates(), row.onlyUpdates) << testing::PrintToString(Changes(comparison));
    }
}

TEST(ComparisonReport, WritesEachFileBeforeAndAfter)
{
    CurrentFile stopped = After("Signed (catalog)", "Microsoft Windows", "0B", "C:\\s.dll");
    stopped.verified = false;
    const Baseline before = Holding({
        Before(kCatalog, kMicrosoft, "00", "C:\\Removed.dll"),
        Before(kCatalog, kMicrosoft, "00", "C:\\u.dll", {"1.0.0.0", "u.dll", "R0"}),
        Before(kCatalog, kMicrosoft, "00", "C:\\s.dll"),
    });
    const std::vector<CurrentFile> after = {
        After(kEmbedded, "", "01", "C:\\Added.dll", {"", "", ""}),
        After(kCatalog, kMicrosoft, "0A", "C:\\U.dll", {"1.0.0.1", "u.dll", "R0"}),
        stopped,
    };
    const Comparison comparison = Compare(before, after, AsciiUpper);
    EXPECT_EQ(CsvHeaderOf(DifferenceColumns()),
              (std::vector<std::string>{"Change", "Path", "Signature before", "Signature after", "Signer before",
                                        "Signer after", "SHA256 before", "SHA256 after", "Version before",
                                        "Version after", "Original name before", "Original name after",
                                        "Root before", "Root after"}));
    const std::string a = "a.dll", v = "10.0.1.1";
    EXPECT_EQ(RecordsOf<Difference>(DifferenceColumns(), comparison.differences),
              (std::vector<std::vector<std::string>>{
                  {"Added", "C:\\Added.dll", "", kEmbedded, "", "", "", "01", "", "", "", "", "", ""},
                  {"Removed", "C:\\Removed.dll", kCatalog, "", kMicrosoft, "", "00", "", v, "", a, "", kRoot, ""},
                  {"Not compared (stopped)", "C:\\s.dll", kCatalog, "Not verified (stopped)", kMicrosoft, "", "00",
                   "", v, "", a, "", kRoot, ""},
                  {"Updated", "C:\\U.dll", kCatalog, kCatalog, kMicrosoft, kMicrosoft, "00", "0A", "1.0.0.0",
                   "1.0.0.1", "u.dll", "u.dll", "R0", "R0"},
              }));
}

TEST(ComparisonReport, CountsEachKindOnOneLine)
{
    const struct {
        std::array<std::size_t, kChangeKindCount> counts;
        const char* text;
    } table[] = {
        {{0, 0, 0, 0, 0, 0, 0, 0, 0},
         "Added: 0,   Removed: 0,   Updated: 0,   Downgraded: 0,   Changed: 0,   Signature changed: 0"},
        {{1, 2, 3, 4, 5, 6, 0, 0, 0},
         "Added: 1,   Removed: 2,   Updated: 3,   Downgraded: 4,   Changed: 5,   Signature changed: 6"},
        {{0, 0, 1200, 0, 0, 0, 7, 8, 9},
         "Added: 0,   Removed: 0,   Updated: 1200,   Downgraded: 0,   Changed: 0,   Signature changed: 0,   "
         "Not compared (stopped): 7,   Not compared (not read): 8,   Not compared (folder not listed): 9"},
    };
    for (const auto& row : table) {
        Comparison comparison;
        comparison.counts = row.counts;
        EXPECT_EQ(ComparisonCounts(comparison), row.text);
    }
}

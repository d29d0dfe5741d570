// The Verify Signatures and Compare with Baseline dialogs with a stand-in
// trust service that lets the test decide when each file is done: progress,
// cancel, results, copy, save and close while the workers still run.
// /verify, in the test's process.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/CompareDlg.h"
#include "app/ScriptCommands.h"
#include "app/VerifyDlg.h"
#include "gui/DialogDriver.h"
#include "gui/InspectionSteps.h"
#include "gui/MainDialogSteps.h"
#include "gui/OtherProcess.h"
#include "gui/TestServices.h"
#include "export/ListExport.h"
#include "compare/ComparisonReport.h"
#include "support/FakeTree.h"
#include "compare/BaselineReader.h"
#include "framework/Handle.h"
#include "framework/SystemError.h"
#include "platform/PathKey.h"
#include "platform/TextConversion.h"

namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Six files, one of each result, in the rows' order.
std::vector<ListRow> SixRows(StandInTrust& trust)
{
    std::vector<ListRow> rows;
    const TrustResult results[] = {
        {TrustKind::SignedCatalog, "Microsoft Windows", "", "nt5.cat", "R00T"},
        {TrustKind::SignedEmbedded, "Microsoft Windows", "", "", "R00T"},
        {TrustKind::NotSigned, "", "", ""},
        {TrustKind::DoesNotMatch, "", "", ""},
        {TrustKind::SignerNotTrusted, "Mallory", "", ""},
        {TrustKind::Unreadable, "", "Access is denied.", ""},
    };
    for (std::uint32_t n = 1; n <= 6; ++n) {
        rows.push_back({n, "C:\\WINDOWS\\system32\\file" + std::to_string(n) + ".dll"});
        trust.results[rows.back().path] = results[n - 1];
        trust.descriptions[rows.back().path] = {"1.0.0.2", "file" + std::to_string(n) + ".dll"};
    }
    return rows;
}

VerifyServices ServicesOf(TestServices& test)
{
    return {test.trust, test.threads, test.clipboard, test.files, test.fileDialogs};
}

// The lines of `text`, each ending in CR LF.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// Field `index` of `line`, its fields separated by `separator`.
std::string Field(const std::string& line, char separator, std::size_t index)
{
    std::size_t at = 0;
    for (std::size_t skipped = 0; skipped < index; ++skipped) {
        at = line.find(separator, at);
        if (at == std::string::npos)
            return {};
        ++at;
    }
    return line.substr(at, line.find(separator, at) - at);
}

std::string Shown(CDialog& dlg, int id)
{
    return WindowText(dlg.GetDlgItem(id));
}

bool Enabled(CDialog& dlg, int id)
{
    return ::IsWindowEnabled(dlg.GetDlgItem(id)) != FALSE;
}

std::vector<std::string> ListedRows(CDialog& dlg)
{
    const HWND list = dlg.GetDlgItem(IDC_VERIFY_LIST);
    std::vector<std::string> rows;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        rows.push_back(ItemText(list, row, 0) + "|" + ItemText(list, row, 1) + "|" + ItemText(list, row, 2) + "|" +
                       ItemText(list, row, 3));
    }
    return rows;
}

DialogStep Shows(CDialog& dlg, const std::string& status)
{
    return [&dlg, status] { return Shown(dlg, IDC_VERIFY_STATUS) == status; };
}

void Press(CDialog& dlg, int id)
{
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.GetDlgItem(id)));
}

// Waits until every file the workers took has come back from the service.
void WaitForWorkers(const StandInTrust& trust)
{
    for (int wait = 0; wait < 600 && trust.returned != trust.calls; ++wait)
        ::Sleep(100);
}

// A baseline of the six files: the first listed in capitals, the second
// and third with other bytes, the fourth with its bytes but another result,
// the fifth missing, the sixth as now, and a file since removed.
Baseline SixFilesBaseline()
{
    static const std::string text =
        "N,Path,Signature,Signer,SHA256,Catalog,Version,Original name,Root\r\n"
        "01,C:\\WINDOWS\\SYSTEM32\\FILE1.DLL,Signed (catalog),Microsoft Windows,C:\\WINDOWS\\SYSTEM32\\FILE1.DLL,nt5.cat,"
        "1.0.0.2,file1.dll,R00T\r\n"
        "02,C:\\WINDOWS\\system32\\file2.dll,Signed (embedded),Microsoft Windows,0A,,1.0.0.1,file2.dll,R00T\r\n"
        "03,C:\\WINDOWS\\system32\\file3.dll,Not signed,,0B,,1.0.0.1,file3.dll,\r\n"
        "04,C:\\WINDOWS\\system32\\file4.dll,Signed (catalog),Microsoft Windows,C:\\WINDOWS\\SYSTEM32\\FILE4.DLL,nt5.cat,"
        "1.0.0.2,file4.dll,R00T\r\n"
        "06,C:\\WINDOWS\\system32\\file6.dll,Could not be read: Access is denied.,,,,,,\r\n"
        "07,C:\\WINDOWS\\CAF\xC3\x89.DLL,Not signed,,0C,,,,\r\n";
    return ReadBaseline(text, Utf8PathKey);
}

}  // namespace

TEST(VerifyDialog, ShowsProgressThenListsTheFilesThatAreNotTrustedToCopyAndSave)
{
    TestServices test;
    test.trust.gated = true;
    const std::vector<ListRow> rows = SixRows(test.trust);
    TempTree tree;
    test.fileDialogs.chosen = WideText(tree.Root() + "\\signatures.csv");
    CVerifyDlg dlg(rows, ServicesOf(test), true);
    RunModal(dlg, {
        Do([&] {
            EXPECT_EQ(Shown(dlg, IDC_VERIFY_STATUS), "Verified 0 of 6 files...");
            test.trust.Release(2);
        }),
        Shows(dlg, "Verified 2 of 6 files..."),
        Do([&] {
            EXPECT_EQ(Shown(dlg, IDC_VERIFY_COUNTS),
                      "Signed (catalog): 1,   Signed (embedded): 1,   Not signed: 0\r\n"
                      "Signature does not match the file: 0,   Signer not trusted: 0,   Could not be read: 0,   "
                      "Could not be checked: 0");
            EXPECT_EQ(::SendMessageA(dlg.GetDlgItem(IDC_VERIFY_PROGRESS), PBM_GETPOS, 0, 0), 2);
            EXPECT_TRUE(Enabled(dlg, IDC_VERIFY_CANCEL));
            EXPECT_FALSE(Enabled(dlg, IDC_VERIFY_COPY));
            EXPECT_FALSE(Enabled(dlg, IDC_VERIFY_SAVE));
            EXPECT_FALSE(Enabled(dlg, IDC_VERIFY_SAVE_BASELINE));
            test.trust.Open();
        }),
        Shows(dlg, "Verified 6 of 6 files."),
        [&] { return Enabled(dlg, IDC_VERIFY_COPY); },
        Do([&] {
            EXPECT_FALSE(Enabled(dlg, IDC_VERIFY_CANCEL));
            EXPECT_EQ(ListedRows(dlg), (std::vector<std::string>{
                                           "03|C:\\WINDOWS\\system32\\file3.dll|Not signed|",
                                           "04|C:\\WINDOWS\\system32\\file4.dll|Signature does not match the file|",
                                           "05|C:\\WINDOWS\\system32\\file5.dll|Signer not trusted|Mallory",
                                           "06|C:\\WINDOWS\\system32\\file6.dll|Could not be read: Access is denied.|",
                                       }));
            // The results sort by a column: by number, descending on the second click.
            NMLISTVIEW click{};
            click.hdr = {dlg.GetDlgItem(IDC_VERIFY_LIST), IDC_VERIFY_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
            click.iSubItem = 2;
            dlg.SendMessage(WM_NOTIFY, IDC_VERIFY_LIST, reinterpret_cast<LPARAM>(&click));
            EXPECT_EQ(ListedRows(dlg).front(), "06|C:\\WINDOWS\\system32\\file6.dll|Could not be read: Access is denied.|");
            click.iSubItem = 0;
            dlg.SendMessage(WM_NOTIFY, IDC_VERIFY_LIST, reinterpret_cast<LPARAM>(&click));
            EXPECT_EQ(ListedRows(dlg).front(), "06|C:\\WINDOWS\\system32\\file6.dll|Could not be read: Access is denied.|");
            EXPECT_EQ(ListedRows(dlg).back(), "03|C:\\WINDOWS\\system32\\file3.dll|Not signed|");
            Press(dlg, IDC_VERIFY_COPY);
            Press(dlg, IDC_VERIFY_SAVE);
            test.fileDialogs.chosen = WideText(tree.Root() + "\\baseline.csv");
            Press(dlg, IDC_VERIFY_SAVE_BASELINE);
            dlg.EndDialog(IDCANCEL);
        }),
    });
    // The baseline holds every file, as /verify writes them.
    EXPECT_EQ(FileBytes(tree.Root() + "\\baseline.csv"),
              "\xEF\xBB\xBFN,Path,Signature,Signer,SHA256,Catalog,Version,Original name,Root\r\n"
              "01,C:\\WINDOWS\\system32\\file1.dll,Signed (catalog),Microsoft Windows,C:\\WINDOWS\\SYSTEM32\\FILE1.DLL,nt5.cat,"
              "1.0.0.2,file1.dll,R00T\r\n"
              "02,C:\\WINDOWS\\system32\\file2.dll,Signed (embedded),Microsoft Windows,C:\\WINDOWS\\SYSTEM32\\FILE2.DLL,,"
              "1.0.0.2,file2.dll,R00T\r\n"
              "03,C:\\WINDOWS\\system32\\file3.dll,Not signed,,C:\\WINDOWS\\SYSTEM32\\FILE3.DLL,,1.0.0.2,file3.dll,\r\n"
              "04,C:\\WINDOWS\\system32\\file4.dll,Signature does not match the file,,C:\\WINDOWS\\SYSTEM32\\FILE4.DLL,,"
              "1.0.0.2,file4.dll,\r\n"
              "05,C:\\WINDOWS\\system32\\file5.dll,Signer not trusted,Mallory,C:\\WINDOWS\\SYSTEM32\\FILE5.DLL,,"
              "1.0.0.2,file5.dll,\r\n"
              "06,C:\\WINDOWS\\system32\\file6.dll,Could not be read: Access is denied.,,C:\\WINDOWS\\SYSTEM32\\FILE6.DLL,,"
              "1.0.0.2,file6.dll,\r\n");
    ASSERT_EQ(test.clipboard.texts.size(), 1u);
    EXPECT_EQ(test.clipboard.texts[0],
              "06\tC:\\WINDOWS\\system32\\file6.dll\tCould not be read: Access is denied.\t\r\n"
              "05\tC:\\WINDOWS\\system32\\file5.dll\tSigner not trusted\tMallory\r\n"
              "04\tC:\\WINDOWS\\system32\\file4.dll\tSignature does not match the file\t\r\n"
              "03\tC:\\WINDOWS\\system32\\file3.dll\tNot signed\t\r\n");
    // Save as writes what the list shows, in its order, with every column
    // /verify writes.
    EXPECT_EQ(FileBytes(tree.Root() + "\\signatures.csv"),
              "\xEF\xBB\xBFN,Path,Signature,Signer,SHA256,Catalog,Version,Original name,Root\r\n"
              "06,C:\\WINDOWS\\system32\\file6.dll,Could not be read: Access is denied.,,C:\\WINDOWS\\SYSTEM32\\FILE6.DLL,,"
              "1.0.0.2,file6.dll,\r\n"
              "05,C:\\WINDOWS\\system32\\file5.dll,Signer not trusted,Mallory,C:\\WINDOWS\\SYSTEM32\\FILE5.DLL,,"
              "1.0.0.2,file5.dll,\r\n"
              "04,C:\\WINDOWS\\system32\\file4.dll,Signature does not match the file,,C:\\WINDOWS\\SYSTEM32\\FILE4.DLL,,"
              "1.0.0.2,file4.dll,\r\n"
              "03,C:\\WINDOWS\\system32\\file3.dll,Not signed,,C:\\WINDOWS\\SYSTEM32\\FILE3.DLL,,1.0.0.2,file3.dll,\r\n");
    EXPECT_EQ(test.trust.calls, 6);
}

TEST(VerifyDialog, CancelKeepsWhatWasVerifiedMarkedAsPartialAndListsWhatWasNot)
{
    TestServices test;
    test.trust.gated = true;
    const std::vector<ListRow> rows = SixRows(test.trust);
    TempTree tree;
    test.fileDialogs.chosen = WideText(tree.Root() + "\\signatures.csv");
    CVerifyDlg dlg(rows, ServicesOf(test), true);
    RunModal(dlg, {
        Do([&] { test.trust.Release(1); }),
        Shows(dlg, "Verified 1 of 6 files..."),
        // Two workers: the one done with the first file already waits with
        // the third, the other still with the second. Each finishes the file
        // it has, and takes no other.
        [&] { return test.trust.calls == 3; },
        Do([&] {
            Press(dlg, IDC_VERIFY_CANCEL);
            EXPECT_FALSE(Enabled(dlg, IDC_VERIFY_CANCEL));
            test.trust.Open();
        }),
        Shows(dlg, "Stopped after 3 of 6 files: the results are partial."),
        [&] { return Enabled(dlg, IDC_VERIFY_COPY); },
        Do([&] {
            EXPECT_FALSE(Enabled(dlg, IDC_VERIFY_SAVE_BASELINE));
            EXPECT_EQ(ListedRows(dlg), (std::vector<std::string>{
                                           "03|C:\\WINDOWS\\system32\\file3.dll|Not signed|",
                                           "04|C:\\WINDOWS\\system32\\file4.dll|Not verified (stopped)|",
                                           "05|C:\\WINDOWS\\system32\\file5.dll|Not verified (stopped)|",
                                           "06|C:\\WINDOWS\\system32\\file6.dll|Not verified (stopped)|",
                                       }));
            Press(dlg, IDC_VERIFY_SAVE);
            dlg.EndDialog(IDCANCEL);
        }),
    });
    EXPECT_EQ(test.trust.calls, 3);
    EXPECT_EQ(FileBytes(tree.Root() + "\\signatures.csv"),
              "\xEF\xBB\xBFN,Path,Signature,Signer,SHA256,Catalog,Version,Original name,Root\r\n"
              "03,C:\\WINDOWS\\system32\\file3.dll,Not signed,,C:\\WINDOWS\\SYSTEM32\\FILE3.DLL,,1.0.0.2,file3.dll,\r\n"
              "04,C:\\WINDOWS\\system32\\file4.dll,Not verified (stopped),,,,,,\r\n"
              "05,C:\\WINDOWS\\system32\\file5.dll,Not verified (stopped),,,,,,\r\n"
              "06,C:\\WINDOWS\\system32\\file6.dll,Not verified (stopped),,,,,,\r\n");
}

TEST(VerifyDialog, ABaselineOfAListCutShortIsRefusedWithTheReason)
{
    TestServices test;
    const std::vector<ListRow> rows = SixRows(test.trust);
    TempTree tree;
    test.fileDialogs.chosen = WideText(tree.Root() + "\\baseline.csv");
    CVerifyDlg dlg(rows, ServicesOf(test), false);
    std::vector<MessageBoxSeen> boxes;
    RunModal(dlg, {
        Shows(dlg, "Verified 6 of 6 files."),
        Do([&] {
            boxes = AnsweringBoxes(dlg, [&] { Press(dlg, IDC_VERIFY_SAVE_BASELINE); });
            dlg.EndDialog(IDCANCEL);
        }),
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("This list is not every protected file"), std::string::npos) << boxes[0].text;
    EXPECT_TRUE(test.fileDialogs.saved.empty());
    EXPECT_EQ(::GetFileAttributesW(test.fileDialogs.chosen.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(VerifyDialog, ClosingWhileFilesAreVerifiedWaitsForNone)
{
    TestServices test;
    test.trust.gated = true;
    const std::vector<ListRow> rows = SixRows(test.trust);
    {
        CVerifyDlg dlg(rows, ServicesOf(test), true);
        RunModal(dlg, {
            [&] { return test.trust.calls == 2; },
            Do([&] { dlg.PostMessage(WM_COMMAND, IDCANCEL); }),
        });
    }
    // The dialog is gone while both workers still wait inside the service.
    EXPECT_EQ(test.trust.returned, 0);
    test.trust.Open();
    WaitForWorkers(test.trust);
    EXPECT_EQ(test.trust.calls, 2);
}

TEST(CompareDialog, VerifiesThenListsAndCountsTheDifferencesToCopyAndSave)
{
    struct Case {
        const char* name;
        bool stop;
        std::string status;
        std::string counts;
        std::vector<std::string> listed;
    };
    const std::string removed = "Removed|C:\\WINDOWS\\CAF\xC9.DLL|Not signed|";
    const Case cases[] = {
        // The sixth file could be read neither time: not known to be as it was.
        {"to the end", false, "Compared 6 files with the baseline's 6.",
         "Added: 1,   Removed: 1,   Updated: 1,   Downgraded: 0,   Changed: 1,   Signature changed: 1,   "
         "Not compared (not read): 1",
         {removed, "Updated|C:\\WINDOWS\\system32\\file2.dll|Signed (embedded)|Signed (embedded)",
          "Changed|C:\\WINDOWS\\system32\\file3.dll|Not signed|Not signed",
          "Signature changed|C:\\WINDOWS\\system32\\file4.dll|Signed (catalog)|Signature does not match the file",
          "Added|C:\\WINDOWS\\system32\\file5.dll||Signer not trusted",
          "Not compared (not read)|C:\\WINDOWS\\system32\\file6.dll|Could not be read: Access is denied.|"
          "Could not be read: Access is denied."}},
        // The first three files verified; of the rest, the baseline's are
        // not compared, and the new one is added all the same.
        {"stopped", true, "Stopped after 3 of 6 files: the comparison is partial.",
         "Added: 1,   Removed: 1,   Updated: 1,   Downgraded: 0,   Changed: 1,   Signature changed: 0,   "
         "Not compared (stopped): 2",
         {removed, "Updated|C:\\WINDOWS\\system32\\file2.dll|Signed (embedded)|Signed (embedded)",
          "Changed|C:\\WINDOWS\\system32\\file3.dll|Not signed|Not signed",
          "Not compared (stopped)|C:\\WINDOWS\\system32\\file4.dll|Signed (catalog)|Not verified (stopped)",
          "Added|C:\\WINDOWS\\system32\\file5.dll||Not verified (stopped)",
          "Not compared (stopped)|C:\\WINDOWS\\system32\\file6.dll|Could not be read: Access is denied.|Not verified (stopped)"}},
    };
    for (const Case& c : cases) {
        TestServices test;
        test.trust.gated = true;
        const std::vector<ListRow> rows = SixRows(test.trust);
        TempTree tree;
        test.fileDialogs.chosen = WideText(tree.Root() + "\\comparison.csv");
        std::vector<std::string> shown;
        CCompareDlg dlg(rows, {SixFilesBaseline(), CHandle(), std::nullopt}, {}, ServicesOf(test));
        RunModal(dlg, {
            Do([&] {
                EXPECT_EQ(Shown(dlg, IDC_VERIFY_STATUS), "Verified 0 of 6 files...") << c.name;
                EXPECT_FALSE(Enabled(dlg, IDC_VERIFY_SAVE)) << c.name;
                if (c.stop)
                    test.trust.Release(1);
                else
                    test.trust.Open();
            }),
            [&] { return !c.stop || test.trust.calls == 3; },
            Do([&] {
                if (c.stop) {
                    Press(dlg, IDC_VERIFY_CANCEL);
                    test.trust.Open();
                }
            }),
            Shows(dlg, c.status),
            Do([&] {
                EXPECT_EQ(Shown(dlg, IDC_VERIFY_COUNTS), c.counts) << c.name;
                EXPECT_EQ(ListedRows(dlg), c.listed) << c.name;
                EXPECT_TRUE(Enabled(dlg, IDC_VERIFY_SAVE)) << c.name;
                // Sorted by path, descending on the second click.
                NMLISTVIEW click{};
                click.hdr = {dlg.GetDlgItem(IDC_VERIFY_LIST), IDC_VERIFY_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
                click.iSubItem = 1;
                dlg.SendMessage(WM_NOTIFY, IDC_VERIFY_LIST, reinterpret_cast<LPARAM>(&click));
                dlg.SendMessage(WM_NOTIFY, IDC_VERIFY_LIST, reinterpret_cast<LPARAM>(&click));
                shown.clear();
                for (const std::string& row : ListedRows(dlg))
                    shown.push_back(Field(row, '|', 1));
                EXPECT_EQ(shown.front(), "C:\\WINDOWS\\system32\\file6.dll") << c.name;
                Press(dlg, IDC_VERIFY_COPY);
                Press(dlg, IDC_VERIFY_SAVE);
                dlg.EndDialog(IDCANCEL);
            }),
        });
        // The list and the clipboard show ANSI text; the report keeps the
        // baseline's UTF-8 as it was.
        ASSERT_EQ(test.clipboard.texts.size(), 1u) << c.name;
        EXPECT_NE(test.clipboard.texts[0].find("\r\nRemoved\tC:\\WINDOWS\\CAF\xC9.DLL\t"), std::string::npos) << c.name;
        const std::string saved = FileBytes(tree.Root() + "\\comparison.csv");
        EXPECT_EQ(saved.substr(0, saved.find("\r\n") + 2),
                  CsvDocument(CsvHeaderOf(DifferenceColumns()), {}))
            << c.name;
        EXPECT_NE(saved.find("\r\nRemoved,C:\\WINDOWS\\CAF\xC3\x89.DLL,Not signed,,,,0C,,,,,,,\r\n"), std::string::npos)
            << c.name;
        // Copy and Save as give the rows in the order the list shows them.
        std::vector<std::string> copiedPaths;
        std::vector<std::string> savedPaths;
        for (const std::string& line : Lines(test.clipboard.texts[0]))
            copiedPaths.push_back(Field(line, '\t', 1));
        for (const std::string& line : Lines(saved.substr(saved.find("\r\n") + 2)))
            savedPaths.push_back(AnsiText(WideFromUtf8(Field(line, ',', 1)).c_str()));
        EXPECT_EQ(copiedPaths, shown) << c.name;
        EXPECT_EQ(savedPaths, shown) << c.name;
        EXPECT_NE(saved.find("\r\nUpdated,C:\\WINDOWS\\system32\\file2.dll,Signed (embedded),Signed (embedded),"
                             "Microsoft Windows,Microsoft Windows,0A,C:\\WINDOWS\\SYSTEM32\\FILE2.DLL,1.0.0.1,1.0.0.2,"
                             "file2.dll,file2.dll,R00T,R00T\r\n"),
                  std::string::npos)
            << c.name;
    }
}

TEST(ScreenReaders, ReadTheVerificationListsFromAnotherProcessEveryPathWhole)
{
    TestServices test;
    std::vector<ListRow> rows = SixRows(test.trust);
    // Far too long for its column, which shows it cut in the middle.
    const std::string longPath = "C:\\WINDOWS\\WinSxS\\amd64_microsoft-windows-" + std::string(120, 'x') + "\\ntdll.dll";
    rows.push_back({7, longPath});
    test.trust.results[longPath] = {TrustKind::NotSigned, "", "", ""};
    CVerifyDlg verify(rows, ServicesOf(test), true);
    rows.pop_back();
    CCompareDlg compare(rows, {SixFilesBaseline(), CHandle(), std::nullopt}, {}, ServicesOf(test));
    const struct {
        CDialog& dialog;
        int columns;
        // Each row's first four cells, in UTF-8, joined by |.
        std::vector<std::string> rows;
    } dialogs[] = {
        {verify, 4,
         {"03|C:\\WINDOWS\\system32\\file3.dll|Not signed|",
          "04|C:\\WINDOWS\\system32\\file4.dll|Signature does not match the file|",
          "05|C:\\WINDOWS\\system32\\file5.dll|Signer not trusted|Mallory",
          "06|C:\\WINDOWS\\system32\\file6.dll|Could not be read: Access is denied.|",
          "07|" + longPath + "|Not signed|"}},
        {compare, static_cast<int>(DifferenceColumns().size()),
         {"Removed|C:\\WINDOWS\\CAF\xC3\x89.DLL|Not signed|",
          "Updated|C:\\WINDOWS\\system32\\file2.dll|Signed (embedded)|Signed (embedded)",
          "Changed|C:\\WINDOWS\\system32\\file3.dll|Not signed|Not signed",
          "Signature changed|C:\\WINDOWS\\system32\\file4.dll|Signed (catalog)|Signature does not match the file",
          "Added|C:\\WINDOWS\\system32\\file5.dll||Signer not trusted",
          "Not compared (not read)|C:\\WINDOWS\\system32\\file6.dll|Could not be read: Access is denied.|"
          "Could not be read: Access is denied."}},
    };
    for (const auto& d : dialogs) {
        RunModal(d.dialog, {
            [&] { return Enabled(d.dialog, IDC_VERIFY_COPY); },
            Do([&] {
                const ListTexts read = ListTextsFromAnotherProcess(d.dialog.GetDlgItem(IDC_VERIFY_LIST));
                ASSERT_EQ(read.failure, "");
                ASSERT_EQ(read.columns, d.columns);
                std::vector<std::string> wide;
                std::vector<std::string> ansi;
                for (int row = 0; row < read.rows; ++row) {
                    const auto& w = read.wide[static_cast<std::size_t>(row)];
                    const auto& a = read.ansi[static_cast<std::size_t>(row)];
                    wide.push_back(w[0] + "|" + w[1] + "|" + w[2] + "|" + w[3]);
                    ansi.push_back(a[0] + "|" + a[1] + "|" + a[2] + "|" + a[3]);
                }
                EXPECT_EQ(wide, d.rows) << WindowText(d.dialog);
                EXPECT_EQ(ansi, d.rows) << WindowText(d.dialog);
                d.dialog.EndDialog(IDCANCEL);
            }),
        });
    }
}

TEST(VerifyDialog, TheListsShortcutMenuOpensItOnEveryRow)
{
    TestServices test;
    test.ListFiles(3);
    CVorlaneDlg dlg(test.services);
    HWND verify = nullptr;
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] { dlg.PostMessage(WM_COMMAND, ID_LIST_VERIFY); }),
        [&] { return (verify = ::FindWindowA(nullptr, "Verify Signatures")) != nullptr; },
        [&] { return WindowText(::GetDlgItem(verify, IDC_VERIFY_STATUS)) == "Verified 3 of 3 files."; },
        Do([&] { ::PostMessageA(verify, WM_COMMAND, IDCANCEL, 0); }),
        [&] { return !::IsWindow(verify); },
        Close(dlg),
    });
    EXPECT_EQ(test.trust.calls, 3);
}

TEST(CompareDialog, TheListsShortcutMenuAsksForABaselineAndComparesEveryRowWithIt)
{
    struct Case {
        const char* name;
        const wchar_t* file;  // under the test's folder; null: the user cancels
        const char* bytes;  // null: no such file
        std::string box;    // "": the comparison opens
    };
    const char* const baseline = "Path,SHA256\r\nC:\\WINDOWS\\system32\\file0.dll,0A\r\n";
    const Case cases[] = {
        {"cancelled", nullptr, nullptr, ""},
        {"no such file", L"missing.csv", nullptr,
         "Vorlane could not read the baseline $. " + SystemErrorText(ERROR_FILE_NOT_FOUND)},
        {"no baseline", L"names.csv", "Name\r\nfile0.dll\r\n",
         "Vorlane cannot compare with $. The file is no baseline: it has neither a Path nor a SHA256 column."},
        {"a baseline", L"baseline.csv", baseline, ""},
        // The file chosen, never an ANSI look-alike of its name.
        {"a name no code page of the tests holds", L"tab\u0142e\u65E5.csv", baseline, ""},
    };
    for (const Case& c : cases) {
        TempTree tree;
        TestServices test;
        test.ListFiles(3);
        // Appended: GCC 12 misreads a wide literal added to a string.
        std::wstring path;
        if (c.file) {
            path = WideText(tree.Root());
            path += L'\\';
            path += c.file;
        }
        if (c.bytes) {
            const CHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
            DWORD written = 0;
            ASSERT_TRUE(::WriteFile(file, c.bytes, static_cast<DWORD>(std::strlen(c.bytes)), &written, nullptr));
        }
        test.fileDialogs.chosen = path;
        CVorlaneDlg dlg(test.services);
        std::vector<MessageBoxSeen> boxes;
        HWND compare = nullptr;
        RunModal(dlg, {
            FillDone(dlg),
            Do([&] {
                // A box comes before the command returns; the comparison
                // runs its own loop, so the command is posted.
                if (c.box.empty())
                    dlg.PostMessage(WM_COMMAND, ID_LIST_COMPARE);
                else
                    boxes = AnsweringBoxes(dlg, [&] { dlg.SendMessage(WM_COMMAND, ID_LIST_COMPARE); });
            }),
            [&] { return !c.file || !c.box.empty() || (compare = ::FindWindowA(nullptr, "Compare with Baseline")); },
            [&] {
                return !compare ||
                       WindowText(::GetDlgItem(compare, IDC_VERIFY_STATUS)) == "Compared 3 files with the baseline's 1.";
            },
            Do([&] {
                if (compare)
                    ::PostMessageA(compare, WM_COMMAND, IDCANCEL, 0);
            }),
            [&] { return !::IsWindow(compare); },
            Close(dlg),
        });
        EXPECT_EQ(test.fileDialogs.opened.size(), 1u) << c.name;
        std::string box = c.box;
        if (const std::size_t at = box.find('$'); at != std::string::npos)
            box.replace(at, 1, AnsiText(path.c_str()));
        ASSERT_EQ(boxes.size(), box.empty() ? 0u : 1u) << c.name;
        if (!box.empty()) {
            EXPECT_EQ(boxes[0].text, box) << c.name;
        }
        EXPECT_EQ(test.trust.calls, c.file && box.empty() ? 3 : 0) << c.name;
    }
}

TEST(VerifyCommand, ExitCodesSayWhetherEveryFileIsSignedByATrustedSignerAndTheMessageSaysAllThatIsAmiss)
{
    struct Case {
        const char* name;
        int files;  // -1: a walk past the row limit; -2: a walk past a locked folder
        const char* notSigned;
        unsigned serviceError;
        unsigned listingError;
        int exitCode;
        std::size_t lines;  // 0: nothing written
        std::vector<std::string> said;
    };
    const std::string cut = "but it stops at 30001 files";
    const std::string untrusted = "files are not signed by a trusted signer";
    const std::string unlisted = "but 1 folder of the Windows folder could not be listed, and the files in them are "
                                 "missing from it:\r\n  C:\\WINDOWS\\locked: " + SystemErrorText(ERROR_ACCESS_DENIED);
    const Case cases[] = {
        {"all trusted", 3, "", 0, 0, 0, 4, {}},
        {"one not signed", 3, "C:\\WINDOWS\\system32\\file1.dll", 0, 0, 4, 4, {"1 of 3 " + untrusted}},
        {"no service", 3, "", ERROR_MOD_NOT_FOUND, 0, 1, 0, {"could not list the protected files"}},
        {"the service fails part way", 3, "", 0, ERROR_INVALID_DATA, 1, 0, {"could not list every protected file"}},
        {"past the limit, all trusted", -1, "", 0, 0, 3, 30002, {cut}},
        {"past the limit, one not signed", -1, "\\file7.dll", 0, 0, 4, 30002, {"1 of 30001 " + untrusted, cut}},
        // The walk goes on past a folder it cannot list, and says so.
        {"a folder not listed", -2, "", 0, 0, 3, 3, {unlisted}},
        {"a folder not listed, one not signed", -2, "C:\\WINDOWS\\b.dll", 0, 0, 4, 3, {"1 of 2 " + untrusted, unlisted}},
    };
    for (const Case& c : cases) {
        TempTree tree;
        const std::string file = tree.Root() + "\\signatures.csv";
        TestServices test;
        test.ListFiles(c.files < 0 ? 0 : c.files);
        test.protection.serviceError = c.serviceError;
        test.protection.listingError = c.listingError;
        test.trust.otherwise = {TrustKind::SignedCatalog, "Microsoft Windows", "", ""};
        test.trust.results[c.notSigned] = {TrustKind::NotSigned, "", "", ""};
        EndlessFolder folder;
        FakeTree locked;
        locked.AddFile("C:\\WINDOWS\\a.dll");
        locked.AddFile("C:\\WINDOWS\\locked\\x.dll");
        locked.AddFile("C:\\WINDOWS\\b.dll");
        locked.Lock("C:\\WINDOWS\\locked", ERROR_ACCESS_DENIED);
        PlatformServices walking = test.With(test.protection, c.files == -1 ? static_cast<DirectorySearch&>(folder) : locked);
        if (c.files < 0)
            test.system.majorVersion = 6;
        if (c.files == -2)
            test.system.windowsDirectory = "C:\\WINDOWS";
        std::wstring message;
        EXPECT_EQ(RunVerifyCommand(c.files < 0 ? walking : test.services, WideText(file), false, message), c.exitCode)
            << c.name << ": " << AnsiText(message.c_str());
        EXPECT_EQ(message.empty(), c.exitCode == 0) << c.name;
        for (const std::string& part : c.said)
            EXPECT_NE(AnsiText(message.c_str()).find(part), std::string::npos) << c.name << ": " << part;
        const std::string written = FileBytes(file);
        std::size_t lines = 0;
        for (std::size_t at = 0; (at = written.find("\r\n", at)) != std::string::npos; at += 2)
            ++lines;
        EXPECT_EQ(lines, c.lines) << c.name;
        if (c.lines > 0) {
            EXPECT_EQ(written.substr(0, written.find("\r\n") + 2),
                      "\xEF\xBB\xBFN,Path,Signature,Signer,SHA256,Catalog,Version,Original name,Root\r\n");
        }
    }
    // Each row its result, its signer and its own hash.
    TempTree tree;
    TestServices test;
    test.ListFiles(2);
    test.trust.otherwise = {TrustKind::SignedCatalog, "Microsoft Windows", "", "nt5.cat"};
    std::wstring message;
    ASSERT_EQ(RunVerifyCommand(test.services, WideText(tree.Root() + "\\two.csv"), false, message), 0);
    EXPECT_EQ(FileBytes(tree.Root() + "\\two.csv"),
              "\xEF\xBB\xBFN,Path,Signature,Signer,SHA256,Catalog,Version,Original name,Root\r\n"
              "01,C:\\WINDOWS\\system32\\file0.dll,Signed (catalog),Microsoft Windows,C:\\WINDOWS\\SYSTEM32\\FILE0.DLL,nt5.cat,,,\r\n"
              "02,C:\\WINDOWS\\system32\\file1.dll,Signed (catalog),Microsoft Windows,C:\\WINDOWS\\SYSTEM32\\FILE1.DLL,nt5.cat,,,\r\n");
}

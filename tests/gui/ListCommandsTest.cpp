// The file list's shortcut menu, its commands and keys, and what the
// details line says while the list fills.
#include <gtest/gtest.h>

#include <set>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "gui/DialogDriver.h"
#include "gui/InspectionSteps.h"
#include "gui/MainDialogSteps.h"
#include "gui/TestServices.h"
#include "platform/TextConversion.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/ServiceErrorText.h"

namespace {

// Notes which entries of the shortcut menu are enabled when it opens, then
// closes it as soon as it waits for the user.
class MenuWatchingDlg : public CVorlaneDlg {
public:
    using CVorlaneDlg::CVorlaneDlg;
    std::map<UINT, bool> enabled;
    int menusShown = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP) {
            const auto menu = reinterpret_cast<HMENU>(wParam);
            ++menusShown;
            enabled.clear();
            for (int item = 0; item < ::GetMenuItemCount(menu); ++item) {
                const UINT id = ::GetMenuItemID(menu, item);
                if (id != 0)
                    enabled[id] = !(::GetMenuState(menu, static_cast<UINT>(item), MF_BYPOSITION) & MF_GRAYED);
            }
        }
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU)
            ::EndMenu();
        return CVorlaneDlg::WindowProc(message, wParam, lParam);
    }
};

// The entries enabled for the selected row's file, and for the whole list:
// Copy all rows, Save list as..., Verify signatures... and, once the list
// is every protected file, Compare with baseline...
std::map<UINT, bool> Entries(bool copyPath, bool wholeList, bool folder, bool properties, bool check)
{
    return {{ID_LIST_COPY_PATH, copyPath},     {ID_LIST_COPY_ALL, wholeList},     {ID_LIST_SAVE, wholeList},
            {ID_LIST_OPEN_FOLDER, folder},     {ID_LIST_PROPERTIES, properties},  {ID_LIST_CHECK, check},
            {ID_LIST_VERIFY, wholeList},       {ID_LIST_COMPARE, wholeList}};
}

void Command(CVorlaneDlg& dlg, UINT id)
{
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void Select(HWND hList, int row)
{
    SetRowState(hList, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetRowState(hList, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

int TemporaryFilesIn(const std::string& directory)
{
    int count = 0;
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA((directory + "\\vor*.tmp").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++count;
    while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    return count;
}

std::string SystemText(DWORD error)
{
    char text[512] = "";
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                     nullptr);
    std::string message = text;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

}  // namespace

TEST(ListMenu, OffersWhatTheSelectedRowAndTheListAllow)
{
    struct Case {
        const char* name;
        int files;
        int selected;  // -1: none
        std::map<UINT, bool> entries;
    };
    const Case cases[] = {
        {"empty list", 0, -1, Entries(false, false, false, false, false)},
        {"no row selected", 2, -1, Entries(false, true, false, false, false)},
        {"a file on the disk", 2, 0, Entries(true, true, true, true, true)},
        {"a file not installed", 2, 1, Entries(true, true, false, true, true)},
    };
    for (const Case& c : cases) {
        TestServices test;
        test.protection.listed = {Fixture("version_dpl"), "C:\\nowhere\\missing.dll"};
        test.protection.listed.resize(static_cast<size_t>(c.files));
        MenuWatchingDlg dlg(test.services);
        RunModal(dlg, {
            FillDone(dlg),
            Do([&] {
                if (c.selected >= 0)
                    Select(FileList(dlg), c.selected);
                // As the keyboard asks for it.
                dlg.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FileList(dlg)), MAKELPARAM(-1, -1));
                EXPECT_EQ(dlg.menusShown, 1) << c.name;
                EXPECT_EQ(dlg.enabled, c.entries) << c.name;
            }),
            Close(dlg),
        });
    }
}

TEST(ListMenu, ARightClickOnARowOffersThatRow)
{
    TestServices test;
    test.protection.listed = {"C:\\nowhere\\a.dll", Fixture("version_dpl")};
    MenuWatchingDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            RECT row{LVIR_BOUNDS, 0, 0, 0};
            ListView_GetItemRect(FileList(dlg), 1, &row, LVIR_BOUNDS);
            const LPARAM at = MAKELPARAM(row.left + 100, (row.top + row.bottom) / 2);
            ::PostMessageA(FileList(dlg), WM_RBUTTONDOWN, MK_RBUTTON, at);
            ::PostMessageA(FileList(dlg), WM_RBUTTONUP, 0, at);
        }),
        [&] { return dlg.menusShown == 1; },
        Do([&] {
            EXPECT_EQ(dlg.enabled, Entries(true, true, true, true, true));
            EXPECT_EQ(State(FileList(dlg), 1), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
        }),
        Close(dlg),
    });
}

TEST(ListMenu, TheWholeListIsOfferedOnlyOnceTheFillHasEnded)
{
    GatedProtection gated(3);
    TestServices test;
    PlatformServices services = test.With(gated);
    MenuWatchingDlg dlg(services);
    const auto openMenu = [&] {
        dlg.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FileList(dlg)), MAKELPARAM(-1, -1));
    };
    RunModal(dlg, {
        Do([&] { gated.Release(2); }),
        [&] { return RowCount(FileList(dlg)) == 2; },
        Do([&] {
            openMenu();
            EXPECT_EQ(dlg.enabled, Entries(false, false, false, false, false));
            // Nor do the commands act when sent some other way.
            Command(dlg, ID_LIST_COPY_ALL);
            Command(dlg, ID_LIST_SAVE);
            gated.Open();
        }),
        FillDone(dlg),
        Do([&] {
            openMenu();
            EXPECT_EQ(dlg.enabled, Entries(false, true, false, false, false));
        }),
        Close(dlg),
    });
    EXPECT_TRUE(test.clipboard.texts.empty());
    EXPECT_TRUE(test.fileDialogs.saved.empty());
}

TEST(ListCommands, CopyThePathOrEveryRowInTheListsOrder)
{
    TestServices test;
    test.protection.listed = {"C:\\WINDOWS\\zeta.dll", "C:\\WINDOWS\\caf\xE9.dll", "C:\\a\\alpha.dll"};
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const HWND list = FileList(dlg);
            Select(list, 1);
            {
                const KeyHeld control(VK_CONTROL);
                // Ctrl+C in the search field copies its own text, not a path.
                ::SendMessageA(dlg.GetDlgItem(IDC_SEARCH_TEXT), WM_KEYDOWN, 'C', 0);
                ::SendMessageA(list, WM_KEYDOWN, 'C', 0);
            }
            Command(dlg, ID_LIST_COPY_PATH);
            // Every row in the order the list shows: sorted by name.
            NMLISTVIEW click{};
            click.hdr = {list, IDC_FILE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
            click.iItem = -1;
            click.iSubItem = 1;
            dlg.SendMessage(WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
            Command(dlg, ID_LIST_COPY_ALL);
        }),
        Close(dlg),
    });
    EXPECT_EQ(test.clipboard.texts,
              (std::vector<std::string>{"C:\\WINDOWS\\caf\xE9.dll", "C:\\WINDOWS\\caf\xE9.dll",
                                        "03\tC:\\a\\alpha.dll\r\n02\tC:\\WINDOWS\\caf\xE9.dll\r\n"
                                        "01\tC:\\WINDOWS\\zeta.dll\r\n"}));
}

TEST(ListCommands, ACopyThatTheClipboardRefusesSaysWhy)
{
    TestServices test;
    test.protection.listed = {"C:\\WINDOWS\\zeta.dll"};
    test.clipboard.failWith = ERROR_ACCESS_DENIED;
    CVorlaneDlg dlg(test.services);
    std::vector<MessageBoxSeen> boxes;
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            Select(FileList(dlg), 0);
            boxes = AnsweringBoxes(dlg, [&] {
                Command(dlg, ID_LIST_COPY_PATH);
                Command(dlg, ID_LIST_COPY_ALL);
            });
        }),
        Close(dlg),
    });
    ASSERT_EQ(boxes.size(), 2u);
    for (const MessageBoxSeen& box : boxes) {
        EXPECT_EQ(box.text, "Vorlane could not copy to the clipboard.\r\n\r\n" + SystemText(ERROR_ACCESS_DENIED));
        EXPECT_TRUE(box.exclamation);
    }
}

TEST(ListCommands, SaveWritesTheCsvWholeOrLeavesTheOldFile)
{
    struct Case {
        const char* name;
        FailingFiles::Step failing;
        const char* folder;  // under the test's folder; "missing" is never made
        DWORD error;         // 0: saved
        bool forwardSlashes = false;
        // The old file's attributes, which the new one takes over.
        DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    };
    const Case cases[] = {
        {"saved", FailingFiles::Step::None, "", 0},
        {"no temporary file", FailingFiles::Step::Create, "", ERROR_DISK_FULL},
        {"disk full while writing", FailingFiles::Step::Write, "", ERROR_DISK_FULL},
        {"the old file cannot be replaced", FailingFiles::Step::Replace, "", ERROR_DISK_FULL},
        {"no such folder", FailingFiles::Step::None, "\\missing", ERROR_DIRECTORY},
        // The temporary file goes beside the target, not in the current
        // folder (on another drive here).
        {"a target written with forward slashes", FailingFiles::Step::None, "", 0, true},
        {"a hidden old file", FailingFiles::Step::None, "", 0, false, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
    };
    const std::string csv = "\xEF\xBB\xBFN,Path\r\n01,\"C:\\a,b.dll\"\r\n02,\"C:\\say \"\"hi\"\".dll\"\r\n"
                            "03,C:\\caf\xC3\xA9.dll\r\n";
    for (const Case& c : cases) {
        TempTree tree;
        const std::string folder = tree.Root() + c.folder;
        const std::string old = tree.Root() + "\\list.csv";
        std::string target = folder + "\\list.csv";
        if (c.forwardSlashes)
            std::replace(target.begin(), target.end(), '\\', '/');
        std::ofstream(old, std::ios::binary) << "old";
        ::SetFileAttributesA(old.c_str(), c.attributes);
        TestServices test;
        test.protection.listed = {"C:\\a,b.dll", "C:\\say \"hi\".dll", "C:\\caf\xE9.dll"};
        test.files.failing = c.failing;
        test.fileDialogs.chosen = WideText(target);
        CVorlaneDlg dlg(test.services);
        std::vector<MessageBoxSeen> boxes;
        RunModal(dlg, {
            FillDone(dlg),
            Do([&] { boxes = AnsweringBoxes(dlg, [&] { Command(dlg, ID_LIST_SAVE); }); }),
            Close(dlg),
        });
        EXPECT_EQ(FileBytes(old), c.error ? "old" : csv) << c.name;
        EXPECT_EQ(::GetFileAttributesA(old.c_str()), c.attributes) << c.name;
        EXPECT_EQ(TemporaryFilesIn(folder), 0) << c.name;
        if (c.error) {
            ASSERT_EQ(boxes.size(), 1u) << c.name;
            EXPECT_EQ(boxes[0].text, "The list could not be saved as " + target + ".\r\n\r\n" + SystemText(c.error))
                << c.name;
            EXPECT_TRUE(boxes[0].exclamation) << c.name;
        } else {
            EXPECT_TRUE(boxes.empty()) << c.name << ": " << (boxes.empty() ? "" : boxes[0].text);
        }
        ASSERT_EQ(test.fileDialogs.saved.size(), 1u);
        const OPENFILENAMEW& record = test.fileDialogs.saved[0];
        EXPECT_STREQ(record.lpstrDefExt, L"csv");
        EXPECT_EQ(record.Flags & (OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR),
                  static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR));
    }
}

TEST(ListCommands, OpenTheFoldersWindowThePropertiesOrTheCheckOfTheSelectedFile)
{
    TestServices test;
    test.system.windowsDirectory = "C:\\WINDOWS";
    test.protection.listed = {Fixture("version_dpl"), "C:\\nowhere\\missing.dll"};
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            Select(FileList(dlg), 1);
            Command(dlg, ID_LIST_OPEN_FOLDER);  // not on the disk: nothing to show
            Select(FileList(dlg), 0);
            Command(dlg, ID_LIST_OPEN_FOLDER);
            Command(dlg, ID_LIST_PROPERTIES);
            Command(dlg, ID_LIST_CHECK);
            EXPECT_EQ(Text(dlg, IDC_CHECK_PATH), Fixture("version_dpl"));
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "version_dpl.dll   status: PROTECTED");
            EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), kFull);
        }),
        Close(dlg),
    });
    EXPECT_EQ(test.shell.run,
              std::vector<std::string>{"C:\\WINDOWS\\explorer.exe /select,\"" + Fixture("version_dpl") + "\""});
    EXPECT_EQ(test.shell.properties, std::vector<std::string>{Fixture("version_dpl")});
}

TEST(Keys, CtrlFFindsF3SearchesAgainAndEnterSearchesOrChecksWhereItIsPressed)
{
    TestServices test;
    test.ListFiles(20);
    CVorlaneDlg dlg(test.services);
    std::unique_ptr<KeyHeld> control;
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            SetText(dlg, IDC_SEARCH_TEXT, "file1");
            ::SetFocus(FileList(dlg));
            control = std::make_unique<KeyHeld>(VK_CONTROL);
            PostKey(FileList(dlg), 'F');
        }),
        Pause(2),
        Do([&] {
            control.reset();
            EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_SEARCH_TEXT));
            DWORD start = 1, end = 0;
            ::SendMessageA(dlg.GetDlgItem(IDC_SEARCH_TEXT), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                           reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, 5u);
            PostKey(dlg.GetDlgItem(IDC_SEARCH_TEXT), VK_RETURN);
        }),
        Pause(2),
        Do([&] {
            EXPECT_EQ(State(FileList(dlg), 1), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
            PostKey(FileList(dlg), VK_F3);
        }),
        Pause(2),
        Do([&] {
            EXPECT_EQ(State(FileList(dlg), 10), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
            SetText(dlg, IDC_CHECK_PATH, Fixture("version_d").c_str());
            ::SetFocus(dlg.GetDlgItem(IDC_CHECK_PATH));
            PostKey(dlg.GetDlgItem(IDC_CHECK_PATH), VK_RETURN);
        }),
        Pause(2),
        Do([&] { EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "version_d.dll   status: PROTECTED"); }),
        Close(dlg),
    });
}

TEST(FillStatus, TheDetailsLineSaysHowTheListStandsUntilAFileIsShown)
{
    for (const bool clickDuringTheFill : {false, true}) {
        GatedProtection gated(20);
        TestServices test;
        PlatformServices services = test.With(gated);
        CVorlaneDlg dlg(services);
        RunModal(dlg, {
            Do([&] { gated.Release(10); }),
            [&] { return Text(dlg, IDC_FILE_DETAILS) == "Checked 10 files, 10 protected so far..."; },
            Do([&] {
                EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "");
                EXPECT_TRUE(Filling(dlg));
                if (clickDuringTheFill)
                    NotifyClick(dlg, 0);
                gated.Release(10);
            }),
            // The arrow goes once the list is filled.
            FillDone(dlg),
            Do([&] {
                if (clickDuringTheFill) {
                    EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "File file0.dll is not installed on the system");
                    EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), "");
                } else {
                    EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "");
                    EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), "20 protected files.");
                }
            }),
            Close(dlg),
        });
    }
    // How the fill ended, once no file is shown.
    struct End {
        const char* name;
        std::string status;
        unsigned serviceError = 0;
        unsigned threadError = 0;
        bool pastTheLimit = false;
        unsigned listingError = 0;
    };
    const End ends[] = {
        {"nothing listed", "No protected files were reported."},
        {"no service", ServiceErrorText(ERROR_MOD_NOT_FOUND), ERROR_MOD_NOT_FOUND},
        {"no thread", "The list could not be made: " + SystemText(ERROR_NOT_ENOUGH_MEMORY), 0,
         ERROR_NOT_ENOUGH_MEMORY},
        {"a walk past the limit", "The list stops at 30001 files; the rest of the Windows folder was not checked.", 0, 0,
         true},
        {"the service fails after two files",
         "The list is incomplete: the protection service failed after 2 files. " + SystemText(ERROR_INVALID_DATA), 0,
         0, false, ERROR_INVALID_DATA},
    };
    for (const End& end : ends) {
        TestServices test;
        test.protection.serviceError = end.serviceError;
        test.threads.failWith = end.threadError;
        test.protection.listingError = end.listingError;
        test.ListFiles(end.listingError ? 2 : 0);
        EndlessFolder folder;
        PlatformServices walking = test.With(test.protection, folder);
        if (end.pastTheLimit)
            test.system.majorVersion = 6;
        CVorlaneDlg dlg(end.pastTheLimit ? walking : test.services);
        RunModal(dlg, {
            FillDone(dlg),
            Do([&] { EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), end.status) << end.name; }),
            Close(dlg),
        }, 60000);
    }
}

TEST(ListAll, TheMenuOffersItAtTheLimitAndTheWalkGoesOnFromWhereItStopped)
{
    constexpr int kFiles = CProtectedFileScanner::kMaxRows + 40;
    TestServices test;
    EndlessFolder folder(kFiles);
    PlatformServices walking = test.With(test.protection, folder);
    test.system.majorVersion = 6;
    MenuWatchingDlg dlg(walking);
    int top = -1;
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            ASSERT_EQ(RowCount(FileList(dlg)), CProtectedFileScanner::kMaxRows);
            EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS),
                      "The list stops at 30001 files; the rest of the Windows folder was not checked.");
            Select(FileList(dlg), 29990);
            ListView_EnsureVisible(FileList(dlg), 29990, FALSE);
            top = ListView_GetTopIndex(FileList(dlg));
            dlg.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FileList(dlg)), MAKELPARAM(-1, -1));
            EXPECT_TRUE(dlg.enabled[ID_LIST_ALL]);
            EXPECT_TRUE(dlg.enabled[ID_LIST_SAVE]);
            // A list cut short is no list to compare with a baseline.
            EXPECT_FALSE(dlg.enabled[ID_LIST_COMPARE]);
            Command(dlg, ID_LIST_ALL);
            EXPECT_TRUE(Filling(dlg));
            // Meanwhile the commands on the whole list wait again.
            dlg.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FileList(dlg)), MAKELPARAM(-1, -1));
            EXPECT_FALSE(dlg.enabled.contains(ID_LIST_ALL));
            EXPECT_FALSE(dlg.enabled[ID_LIST_SAVE]);
        }),
        FillDone(dlg),
        Do([&] {
            const HWND hList = FileList(dlg);
            ASSERT_EQ(RowCount(hList), kFiles);
            for (int row = CProtectedFileScanner::kMaxRows - 1; row < kFiles; ++row) {
                EXPECT_EQ(ItemText(hList, row, 0), std::to_string(row + 1));
                EXPECT_EQ(ItemText(hList, row, 1), "\\file" + std::to_string(row) + ".dll");
            }
            EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), std::to_string(kFiles) + " protected files.");
            EXPECT_EQ(ListView_GetNextItem(hList, -1, LVNI_SELECTED), 29990);
            EXPECT_EQ(ListView_GetTopIndex(hList), top);
            dlg.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hList), MAKELPARAM(-1, -1));
            EXPECT_FALSE(dlg.enabled.contains(ID_LIST_ALL));
            EXPECT_TRUE(dlg.enabled[ID_LIST_COMPARE]);
        }),
        Close(dlg),
    }, 60000);
    // No file was asked about twice.
    EXPECT_EQ(test.protection.asked.size(), static_cast<std::size_t>(kFiles));
    EXPECT_EQ(std::set<std::string>(test.protection.asked.begin(), test.protection.asked.end()).size(),
              static_cast<std::size_t>(kFiles));
}

// The window as people meet it who do not see the screen: what a screen
// reader reads of the lists from its own process, the names it gives the
// lists and boxes, and every command of the list's menu from the keyboard.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CompareDlg.h"
#include "app/VerifyDlg.h"
#include "controls/AboutDlg.h"
#include "framework/Handle.h"
#include "framework/WinApp.h"
#include "gui/DialogDriver.h"
#include "gui/InspectionSteps.h"
#include "gui/MainDialogSteps.h"
#include "gui/OtherProcess.h"
#include "gui/TestServices.h"
#include "platform/TextConversion.h"
#include "scan/ProtectedFileScanner.h"

namespace {

// The name that Microsoft Active Accessibility gives a list or a box: the
// text of the static (or group box) found first on the way back through
// the windows before it, the search ending at a control that is a tab stop
// and starts a group; without the mnemonic's ampersands.
std::string AccessibleName(HWND hControl)
{
    for (HWND hBefore = ::GetWindow(hControl, GW_HWNDPREV); hBefore; hBefore = ::GetWindow(hBefore, GW_HWNDPREV)) {
        const DWORD style = static_cast<DWORD>(::GetWindowLongA(hBefore, GWL_STYLE));
        char className[64] = {};
        ::GetClassNameA(hBefore, className, sizeof className);
        const bool isStatic = ::lstrcmpiA(className, WC_STATICA) == 0;
        const bool isGroupBox = ::lstrcmpiA(className, WC_BUTTONA) == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX;
        if (isStatic || isGroupBox) {
            std::string name;
            for (const char c : WindowText(hBefore)) {
                if (c != '&')
                    name += c;
            }
            return name;
        }
        if ((style & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP))
            break;
    }
    return {};
}

VerifyServices VerifyServicesOf(TestServices& test)
{
    return {test.trust, test.threads, test.clipboard, test.files, test.fileDialogs};
}

// Notes while one of its shortcut menus waits for the user.
class MenuTrackingDlg : public CVorlaneDlg {
public:
    using CVorlaneDlg::CVorlaneDlg;
    bool menuWaiting = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU)
            menuWaiting = true;
        if (message == WM_EXITMENULOOP)
            menuWaiting = false;
        return CVorlaneDlg::WindowProc(message, wParam, lParam);
    }
};

// The access key of a button's or a menu item's text: the letter after its
// ampersand, in capitals; 0 for none ("&&" shows an ampersand).
char AccessKey(const std::string& text)
{
    for (std::size_t at = 0; at + 1 < text.size(); ++at) {
        if (text[at] != '&')
            continue;
        if (text[at + 1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(text[at + 1])));
        ++at;
    }
    return 0;
}

// Each text has an access key, and no two share one.
void ExpectAccessKeysOfTheirOwn(const std::vector<std::string>& texts, const std::string& where)
{
    std::map<char, std::string> owners;
    for (const std::string& text : texts) {
        const char key = AccessKey(text);
        EXPECT_NE(key, 0) << where << ": " << text;
        if (key && !owners.emplace(key, text).second)
            ADD_FAILURE() << where << ": " << text << " and " << owners[key] << " share " << key;
    }
}

}  // namespace

TEST(ScreenReaders, ReadTheMainListFromAnotherProcessEveryRowAndColumnAsTheListShowsIt)
{
    TestServices test;
    test.ListFiles(40);
    // A letter beyond ASCII, and a path far too long for its column, which
    // the list shows cut in the middle: the whole path is read.
    test.protection.listed[3] = "C:\\WINDOWS\\system32\\caf\xE9.dll";
    test.protection.listed[7] = "C:\\WINDOWS\\WinSxS\\amd64_microsoft-windows-" + std::string(120, 'x') + "\\ntdll.dll";
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const ListTexts read = ListTextsFromAnotherProcess(FileList(dlg));
            ASSERT_EQ(read.failure, "");
            ASSERT_EQ(read.rows, 40);
            ASSERT_EQ(read.columns, 2);
            for (int row = 0; row < read.rows; ++row) {
                const auto at = static_cast<std::size_t>(row);
                const std::vector<std::string> expected{
                    FormatRowNumber(static_cast<std::uint32_t>(row + 1)), Utf8Text(test.protection.listed[at])};
                EXPECT_EQ(read.wide[at], expected) << "row " << row;
                EXPECT_EQ(read.ansi[at], expected) << "row " << row;
            }
        }),
        Close(dlg),
    });
}

TEST(ScreenReaders, NameEveryListAndBoxByTheLabelBeforeIt)
{
    struct Named {
        int id;
        const char* name;
    };
    TestServices test;
    test.ListFiles(2);
    const std::vector<ListRow> rows{{1, "C:\\WINDOWS\\system32\\file0.dll"}};
    CVorlaneDlg main(test.services);
    CVerifyDlg verify(rows, VerifyServicesOf(test), true);
    CCompareDlg compare(rows, {Baseline{}, CHandle(), std::nullopt}, {}, VerifyServicesOf(test));
    const struct {
        CDialog& dialog;
        std::vector<Named> controls;
    } dialogs[] = {
        {main,
         {{IDC_FILE_LIST, "Protected files"},
          {IDC_CHECK_PATH, "File to check"},
          {IDC_SEARCH_TEXT, "File name to search for"}}},
        {verify, {{IDC_VERIFY_LIST, "Files not signed by a trusted signer"}}},
        {compare, {{IDC_VERIFY_LIST, "Differences from the baseline"}}},
    };
    for (const auto& d : dialogs) {
        RunModal(d.dialog, {Do([&] {
            for (const Named& control : d.controls) {
                const HWND hControl = d.dialog.GetDlgItem(control.id);
                EXPECT_EQ(AccessibleName(hControl), control.name) << WindowText(d.dialog);
                // A label is read, never shown: the dialog looks as it did.
                EXPECT_FALSE(::IsWindowVisible(::GetWindow(hControl, GW_HWNDPREV))) << control.name;
            }
            d.dialog.EndDialog(IDCANCEL);
        })});
    }
}

TEST(Keyboard, EveryCommandOfTheListsMenuRunsFromTheKeyboardAlone)
{
    using Seen = std::function<std::string(TestServices&, CVorlaneDlg&)>;
    const auto joined = [](const std::vector<std::string>& texts) {
        std::string all;
        for (const std::string& text : texts)
            all += text + "|";
        return all;
    };
    const Seen clipboard = [&](TestServices& t, CVorlaneDlg&) { return joined(t.clipboard.texts); };
    const std::string file = Fixture("version_dpl");
    const struct {
        const char* name;
        // The menu's access key; the menu opens with the Menu key, or with Shift+F10.
        UINT key;
        bool shiftF10;
        // What the stand-ins saw of the command, once it has run.
        Seen seen;
        std::string expected;
        // Listed by a walk that waits at the row limit.
        bool atLimit = false;
    } cases[] = {
        {"copy path", 'C', false, clipboard, file + "|"},
        {"copy all rows", 'A', true, clipboard, "01\t" + file + "\r\n02\tC:\\nowhere\\b.dll\r\n|"},
        {"save list", 'S', false, [](TestServices& t, CVorlaneDlg&) { return std::to_string(t.fileDialogs.saved.size()); },
         "1"},
        {"open containing folder", 'F', true, [&](TestServices& t, CVorlaneDlg&) { return joined(t.shell.run); },
         "C:\\WINDOWS\\explorer.exe /select,\"" + file + "\"|"},
        {"properties", 'R', false, [&](TestServices& t, CVorlaneDlg&) { return joined(t.shell.properties); }, file + "|"},
        {"check this file", 'H', true, [](TestServices&, CVorlaneDlg& dlg) { return Text(dlg, IDC_CHECK_PATH); }, file},
        // The dialog, closed once it has verified both rows.
        {"verify signatures", 'V', false,
         [](TestServices& t, CVorlaneDlg&) {
             const HWND verify = ::FindWindowA(nullptr, "Verify Signatures");
             if (verify && t.trust.returned == 2)
                 ::PostMessageA(verify, WM_COMMAND, IDCANCEL, 0);
             return verify ? std::to_string(t.trust.returned) : std::string();
         },
         "2"},
        {"compare with baseline", 'M', true,
         [](TestServices& t, CVorlaneDlg&) { return std::to_string(t.fileDialogs.opened.size()); }, "1"},
        {"list all protected files", 'L', false,
         [](TestServices&, CVorlaneDlg& dlg) { return Filling(dlg) ? "" : std::to_string(RowCount(FileList(dlg))); },
         std::to_string(CProtectedFileScanner::kMaxRows + 2), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestServices test;
        test.system.windowsDirectory = "C:\\WINDOWS";
        test.protection.listed = {file, "C:\\nowhere\\b.dll"};
        EndlessFolder folder(CProtectedFileScanner::kMaxRows + 2);
        PlatformServices walking = test.With(test.protection, folder);
        if (c.atLimit)
            test.system.majorVersion = 6;
        MenuTrackingDlg dlg(c.atLimit ? walking : test.services);
        std::unique_ptr<KeyHeld> shift;
        RunModal(dlg, {
            FillDone(dlg),
            Do([&] {
                // To the list, and onto its first row from the last: Home alone
                // does nothing on a row that has the focus but no selection.
                ::SetFocus(FileList(dlg));
                PostKey(FileList(dlg), VK_END);
                PostKey(FileList(dlg), VK_HOME);
            }),
            [&] { return ListView_GetNextItem(FileList(dlg), -1, LVNI_SELECTED | LVNI_FOCUSED) == 0; },
            Do([&] {
                if (c.shiftF10)
                    shift = std::make_unique<KeyHeld>(VK_SHIFT);
                PostKey(FileList(dlg), c.shiftF10 ? VK_F10 : VK_APPS);
            }),
            [&] { return dlg.menuWaiting; },
            Do([&] {
                shift.reset();
                PostKey(FileList(dlg), c.key);
            }),
            [&] { return c.seen(test, dlg) == c.expected; },
            Do([&] { EXPECT_FALSE(dlg.menuWaiting); }),
            Close(dlg),
        }, c.atLimit ? 60000 : 15000);
    }
}

TEST(Keyboard, TheMenuKeyOpensTheMenuUnderTheFocusedRowBroughtIntoViewFirst)
{
    TestServices test;
    test.ListFiles(200);
    MenuTrackingDlg dlg(test.services);
    RECT row{};
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const HWND list = FileList(dlg);
            ::SetFocus(list);
            SetRowState(list, 150, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            // Scrolled away from it, as the mouse wheel may leave the list.
            ListView_EnsureVisible(list, 0, FALSE);
            ASSERT_LT(ListView_GetTopIndex(list) + ListView_GetCountPerPage(list), 150);
            PostKey(list, VK_APPS);
        }),
        [&] { return dlg.menuWaiting; },
        Do([&] {
            const HWND list = FileList(dlg);
            const int top = ListView_GetTopIndex(list);
            EXPECT_LE(top, 150);
            EXPECT_GT(top + ListView_GetCountPerPage(list), 150);
            ListView_GetItemRect(list, 150, &row, LVIR_LABEL);
            ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&row), 2);
            RECT menu{};
            ::GetWindowRect(::FindWindowA("#32768", nullptr), &menu);
            EXPECT_EQ(menu.left, row.left);
            EXPECT_EQ(menu.top, row.bottom);
            ::EndMenu();
        }),
        [&] { return !dlg.menuWaiting; },
        Close(dlg),
    });
}

TEST(Keyboard, EveryButtonOfEachDialogAndEveryItemOfTheListsMenuHasAnAccessKeyOfItsOwn)
{
    TestServices test;
    const std::vector<ListRow> rows{{1, "C:\\WINDOWS\\system32\\file0.dll"}};
    CVorlaneDlg main(test.services);
    CAboutDlg about(test.shell);
    CVerifyDlg verify(rows, VerifyServicesOf(test), true);
    CCompareDlg compare(rows, {Baseline{}, CHandle(), std::nullopt}, {}, VerifyServicesOf(test));
    for (CDialog* dialog : std::vector<CDialog*>{&main, &about, &verify, &compare}) {
        RunModal(*dialog, {Do([&] {
            std::vector<std::string> buttons;
            for (HWND hChild = ::GetWindow(*dialog, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
                char className[64] = {};
                ::GetClassNameA(hChild, className, sizeof className);
                const auto type = static_cast<DWORD>(::GetWindowLongA(hChild, GWL_STYLE)) & BS_TYPEMASK;
                if (::lstrcmpiA(className, WC_BUTTONA) == 0 && type != BS_GROUPBOX && ::IsWindowVisible(hChild))
                    buttons.push_back(WindowText(hChild));
            }
            EXPECT_FALSE(buttons.empty());
            ExpectAccessKeysOfTheirOwn(buttons, WindowText(*dialog));
            dialog->EndDialog(IDCANCEL);
        })});
    }

    const HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_LIST_MENU));
    ASSERT_NE(hMenu, nullptr);
    const HMENU hPopup = ::GetSubMenu(hMenu, 0);
    std::vector<std::string> items;
    for (int item = 0; item < ::GetMenuItemCount(hPopup); ++item) {
        char text[128] = {};
        if (::GetMenuStringA(hPopup, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION) > 0)
            items.emplace_back(text);
    }
    ::DestroyMenu(hMenu);
    EXPECT_EQ(items.size(), 9u);
    ExpectAccessKeysOfTheirOwn(items, "the list's menu");
}

TEST(Keyboard, CtrlASelectsEveryRowInTheListOnly)
{
    TestServices test;
    test.ListFiles(25);
    CVorlaneDlg dlg(test.services);
    std::unique_ptr<KeyHeld> control;
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            // In the search box, Ctrl+A is the box's own.
            ::SetFocus(dlg.GetDlgItem(IDC_SEARCH_TEXT));
            control = std::make_unique<KeyHeld>(VK_CONTROL);
            PostKey(dlg.GetDlgItem(IDC_SEARCH_TEXT), 'A');
        }),
        Pause(2),
        Do([&] {
            EXPECT_EQ(ListView_GetSelectedCount(FileList(dlg)), 0u);
            ::SetFocus(FileList(dlg));
            PostKey(FileList(dlg), 'A');
        }),
        [&] { return ListView_GetSelectedCount(FileList(dlg)) == 25u; },
        Do([&] { control.reset(); }),
        Close(dlg),
    });
}

// The window as people meet it who do not see the screen: what a screen
// reader reads of the lists from its own process, and the names it gives
// the lists and boxes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/CompareDlg.h"
#include "app/VerifyDlg.h"
#include "framework/Handle.h"
#include "gui/DialogDriver.h"
#include "gui/MainDialogSteps.h"
#include "gui/OtherProcess.h"
#include "gui/TestServices.h"
#include "platform/TextConversion.h"

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

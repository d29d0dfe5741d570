#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "app/VorlaneDlg.h"
#include "gui/DialogDriver.h"
#include "gui/MainDialogSteps.h"
#include "gui/SystemColours.h"
#include "gui/TestServices.h"
#include "scan/ListRow.h"

namespace {

std::vector<std::string> ListedPaths(HWND hList)
{
    std::vector<std::string> paths;
    for (int row = 0; row < RowCount(hList); ++row)
        paths.push_back(ItemText(hList, row, 1));
    return paths;
}

int ClientWidth(HWND hWnd)
{
    RECT client;
    ::GetClientRect(hWnd, &client);
    return client.right - client.left;
}

}  // namespace

TEST(MainDialog, ServiceStrategyFillsTheListAndFitsTheColumns)
{
    struct Case {
        const char* name;
        unsigned long majorVersion;
        int files;
    };
    // A failed version query (0) chooses the service too.
    const Case cases[] = {{"250 files, with a scroll bar", 5, 250}, {"failed version query", 0, 3}, {"no files", 5, 0}};
    for (const Case& c : cases) {
        TestServices test;
        test.system.majorVersion = c.majorVersion;
        test.ListFiles(c.files);
        CVorlaneDlg dlg(test.services);
        RunModal(dlg, {
            FillDone(dlg),
            Do([&] {
                const HWND list = FileList(dlg);
                EXPECT_EQ(ColumnHeading(list, 0), " N");
                EXPECT_EQ(ColumnHeading(list, 1), " File Path");
                EXPECT_EQ(ListView_GetExtendedListViewStyle(list), static_cast<DWORD>(LVS_EX_GRIDLINES));
                EXPECT_EQ(ListedPaths(list), test.protection.listed) << c.name;
                for (int row = 0; row < c.files; ++row)
                    ASSERT_EQ(ItemText(list, row, 0), FormatRowNumber(static_cast<unsigned>(row + 1))) << c.name;
                // The refit takes the vertical scroll bar of many rows into account.
                EXPECT_EQ((::GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) != 0, c.files > 100) << c.name;
                EXPECT_EQ(ListView_GetColumnWidth(list, 0), 40) << c.name;
                EXPECT_EQ(ListView_GetColumnWidth(list, 0) + ListView_GetColumnWidth(list, 1), ClientWidth(list))
                    << c.name;
            }),
            Close(dlg),
        });
        EXPECT_TRUE(test.protection.asked.empty()) << c.name;
    }
}

TEST(MainDialog, DirectoryStrategyWalksTheWindowsFolderFromVersion6)
{
    TempTree tree;
    std::vector<std::string> dlls;
    for (const std::string file : {"a.dll", "notes.txt", "system32\\kernel.dll", "system32\\drivers\\disk.dll",
                                   "system32\\readme.txt", ".dotted.dll", "zeta\\last.dll", "hidden.dll"}) {
        tree.AddFile(file, file == "hidden.dll" ? FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM : FILE_ATTRIBUTE_NORMAL);
        if (file.ends_with(".dll"))
            dlls.push_back(tree.Root() + "\\" + file);
    }
    TestServices test;
    test.system.majorVersion = 6;
    test.system.windowsDirectory = tree.Root();
    test.protection.isProtected = [](const std::string& path) { return path.ends_with(".dll"); };
    CVorlaneDlg dlg(test.services);
    std::vector<std::string> listed;
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] { listed = ListedPaths(FileList(dlg)); }),
        Close(dlg),
    });
    // The walk's order is the platform's; the unit tests check it.
    std::sort(listed.begin(), listed.end());
    std::sort(dlls.begin(), dlls.end());
    EXPECT_EQ(listed, dlls);
    // Every file was asked about, the text files too; nothing was listed by the service.
    EXPECT_EQ(test.protection.asked.size(), 8u);
    EXPECT_EQ(test.protection.nextCalls, 0);
}

TEST(MainDialog, FileNameLineIsBoldInTheGuiFontAndTheSystemMenuEndsWithAbout)
{
    TestServices test;
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        Do([&] {
            LOGFONTA guiFont{};
            LOGFONTA nameFont{};
            ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
            ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(dlg.GetDlgItem(IDC_FILE_NAME), WM_GETFONT, 0, 0)),
                         sizeof nameFont, &nameFont);
            EXPECT_EQ(nameFont.lfWeight, FW_BOLD);
            EXPECT_STREQ(nameFont.lfFaceName, guiFont.lfFaceName);
            EXPECT_EQ(nameFont.lfHeight, guiFont.lfHeight);
            // The details keep the dialog's font.
            EXPECT_EQ(::SendMessageA(dlg.GetDlgItem(IDC_FILE_DETAILS), WM_GETFONT, 0, 0), dlg.SendMessage(WM_GETFONT));

            const HMENU menu = dlg.GetSystemMenu(FALSE);
            const int count = ::GetMenuItemCount(menu);
            ASSERT_GE(count, 2);
            char text[64] = {};
            ::GetMenuStringA(menu, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, "&About Vorlane...");
            EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
            EXPECT_TRUE(::GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);
        }),
        Close(dlg),
    });
}

TEST(MainDialog, EscCloseAndTheCloseBoxEndTheDialogButEnterNever)
{
    const std::function<void(CVorlaneDlg&)> presses[] = {
        [](CVorlaneDlg& dlg) {
            for (const int id : {IDC_FILE_LIST, IDC_SEARCH_TEXT, IDC_CHECK_PATH}) {
                ::SetFocus(dlg.GetDlgItem(id));
                ::PostMessageA(dlg.GetDlgItem(id), WM_KEYDOWN, VK_RETURN, 0);
                ::PostMessageA(dlg.GetDlgItem(id), WM_KEYUP, VK_RETURN, 0);
            }
        },
        [](CVorlaneDlg& dlg) { ::PostMessageA(FileList(dlg), WM_KEYDOWN, VK_ESCAPE, 0); },
        [](CVorlaneDlg& dlg) { ::SendMessageA(dlg.GetDlgItem(IDCANCEL), BM_CLICK, 0, 0); },
        [](CVorlaneDlg& dlg) { dlg.PostMessage(WM_SYSCOMMAND, SC_CLOSE); },
    };
    for (size_t n = 0; n < std::size(presses); ++n) {
        TestServices test;
        CVorlaneDlg dlg(test.services);
        std::vector<DialogStep> steps{Do([&] {
            ::SetFocus(FileList(dlg));
            presses[n](dlg);
        })};
        // Enter (0) must leave the dialog open for the steps that follow; the others must end it by themselves.
        if (n == 0)
            steps.insert(steps.end(), {Pause(5), Close(dlg)});
        const ModalRun run = RunModal(dlg, steps);
        EXPECT_EQ(run.result, IDCANCEL) << "press " << n;
    }
}

TEST(MainDialog, ClosingDuringALongFillStopsTheWorker)
{
    GatedProtection endless(GatedProtection::kEndless);
    TestServices test;
    PlatformServices services = test.With(endless);
    CVorlaneDlg dlg(services);
    const ModalRun run = RunModal(dlg, {
        Do([&] { endless.Release(5000); }),
        [&] { return RowCount(FileList(dlg)) == 5000; },
        // From here on the service answers as fast as it is asked.
        Do([&] { endless.Open(); }),
        Close(dlg),
    });
    EXPECT_EQ(run.result, IDCANCEL);
    // The worker is gone: nobody asks the service any more.
    const int calls = endless.calls;
    ::Sleep(50);
    EXPECT_EQ(endless.calls, calls);
}

TEST(MainDialog, ClosingEndsTheDialogWhileAServiceCallBlocks)
{
    // The worker outlives this dialog: what it uses lives as long as the
    // process, as the program's own services do.
    static BlockingProtection blocking;
    static TestServices test;
    PlatformServices services = test.With(blocking);
    {
        CVorlaneDlg dlg(services);
        const ModalRun run = RunModal(dlg, {
            [&] { return blocking.WaitEntered(0); },
            Close(dlg),
        });
        EXPECT_EQ(run.result, IDCANCEL);
    }
    // The dialog is gone while the call still blocks; the worker finds no
    // dialog when the call returns, and ends.
    EXPECT_FALSE(blocking.WaitReturned(0));
    blocking.Release();
    EXPECT_TRUE(blocking.WaitReturned(10000));
}

TEST(MainDialog, RowsAppearWhileTheDialogIsInUseAndArriveWholeAndInOrder)
{
    constexpr int kRows = 300;
    GatedProtection gated(kRows);
    TestServices test;
    PlatformServices services = test.With(gated);
    CVorlaneDlg dlg(services);
    RunModal(dlg, {
        Do([&] { gated.Release(100); }),
        // The first hundred are in the list while the dialog's own loop runs.
        [&] { return RowCount(FileList(dlg)) == 100; },
        Do([&] {
            EXPECT_TRUE(Filling(dlg));
            EXPECT_EQ(ItemText(FileList(dlg), 99, 1), GatedProtection::PathOf(99));
            gated.Release(kRows - 100);
        }),
        FillDone(dlg),
        Do([&] {
            ASSERT_EQ(RowCount(FileList(dlg)), kRows);
            for (int row = 0; row < kRows; ++row) {
                EXPECT_EQ(ItemText(FileList(dlg), row, 0), FormatRowNumber(static_cast<unsigned>(row + 1)));
                EXPECT_EQ(ItemText(FileList(dlg), row, 1), GatedProtection::PathOf(static_cast<std::uint32_t>(row)));
            }
        }),
        Close(dlg),
    });
}

TEST(MainDialog, RowsArePaintedAsBandsInTheirHighlightStateWithTextToMatchInTheColoursOfNow)
{
    // Each scheme set while the window is open: the list paints in the
    // system's colours of the moment, text and band of one pair, the
    // window's or the highlight's.
    const struct {
        const char* name;
        std::vector<std::pair<int, COLORREF>> colours;
    } schemes[] = {
        {"the colours it opened in", {}},
        {"High Contrast Black",
         {{COLOR_WINDOW, RGB(0, 0, 0)},
          {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
          {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
          {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
          {COLOR_BTNFACE, RGB(0, 0, 0)},
          {COLOR_BTNTEXT, RGB(255, 255, 255)}}},
        // The button's text in the window's colour: readable only in the window's own text colour.
        {"dark windows, light buttons",
         {{COLOR_WINDOW, RGB(0, 0, 96)},
          {COLOR_WINDOWTEXT, RGB(255, 255, 0)},
          {COLOR_HIGHLIGHT, RGB(255, 255, 255)},
          {COLOR_HIGHLIGHTTEXT, RGB(128, 0, 0)},
          {COLOR_BTNFACE, RGB(240, 240, 240)},
          {COLOR_BTNTEXT, RGB(0, 0, 96)}}},
    };
    for (const auto& scheme : schemes) {
        SCOPED_TRACE(scheme.name);
        TestServices test;
        test.ListFiles(4);
        CVorlaneDlg dlg(test.services);
        RunModal(dlg, {
            FillDone(dlg),
            Do([&] {
                const SystemColours colours(scheme.colours);
                const HWND list = FileList(dlg);
                SetRowState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
                // The focus elsewhere: a selected row stays highlighted all the same.
                ::SetFocus(dlg.GetDlgItem(IDC_SEARCH_TEXT));
                ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                const HDC hdc = ::GetDC(list);
                RECT bounds{};
                for (int row = 0; row < 4; ++row) {
                    ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
                    const int middle = (bounds.top + bounds.bottom) / 2;
                    const bool highlighted = row == 1;
                    const COLORREF band = ::GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW);
                    // Left of the text, and at the client area's right edge.
                    EXPECT_EQ(::GetPixel(hdc, bounds.left + 2, middle), band) << "row " << row;
                    EXPECT_EQ(::GetPixel(hdc, ClientWidth(list) - 3, middle), band) << "row " << row;
                    // The path's letters, in the text colour of the row's state, which differs from its band.
                    const COLORREF text = ::GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
                    const COLORREF otherText = ::GetSysColor(highlighted ? COLOR_WINDOWTEXT : COLOR_HIGHLIGHTTEXT);
                    int letters = 0;
                    int otherLetters = 0;
                    for (int x = ListView_GetColumnWidth(list, 0); x < ClientWidth(list) / 2; ++x) {
                        for (int y = bounds.top; y < bounds.bottom; ++y) {
                            const COLORREF pixel = ::GetPixel(hdc, x, y);
                            letters += pixel == text && pixel != band;
                            otherLetters += pixel == otherText && pixel != band;
                        }
                    }
                    EXPECT_GT(letters, 20) << "row " << row;
                    EXPECT_EQ(otherLetters, 0) << "row " << row;
                }
                // Below the rows, the list's own background.
                EXPECT_EQ(::GetPixel(hdc, ClientWidth(list) / 2, bounds.bottom + 10), ::GetSysColor(COLOR_WINDOW));
                ::ReleaseDC(list, hdc);
            }),
            Close(dlg),
        });
    }
}

TEST(MainDialog, TypingInTheListGoesToTheNextRowWhoseNumberStartsWithTheKey)
{
    TestServices test;
    test.ListFiles(30);
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const HWND list = FileList(dlg);
            ::SetFocus(list);
            SetRowState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            ::SendMessageA(list, WM_CHAR, '2', 1);
            // "02" is the focused row's own; "20" is the next to start with 2.
            EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 19);
            EXPECT_EQ(ItemText(list, 19, 0), "20");
        }),
        Close(dlg),
    });
}

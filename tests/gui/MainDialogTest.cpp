#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/VorlaneDlg.h"
#include "gui/DialogDriver.h"
#include "gui/MainDialogSteps.h"
#include "gui/TestServices.h"
#include "scan/PathText.h"

namespace {

std::vector<std::string> ListedPaths(HWND hList)
{
    std::vector<std::string> paths;
    const int count = static_cast<int>(::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
        paths.push_back(ItemText(hList, row, 1));
    return paths;
}

// Every file under `directory` that `keep` accepts, in the order the
// platform's own search delivers them, subfolders walked where they come.
void WalkLikeThePlatform(const std::string& directory, const std::function<bool(const std::string&)>& keep,
                         std::vector<std::string>& paths)
{
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA((directory + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = entry.cFileName;
        const std::string path = directory + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..")
                WalkLikeThePlatform(path, keep, paths);
        } else if (keep(path)) {
            paths.push_back(path);
        }
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
}

LOGFONTA FontOf(HWND hWnd)
{
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hWnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

int ColumnWidth(HWND hList, int column)
{
    return static_cast<int>(::SendMessageA(hList, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
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
    TestServices test;
    test.system.majorVersion = 5;
    test.ListFiles(250);
    CVorlaneDlg dlg(test.services);
    HWND hList = nullptr;

    const ModalRun run = RunModal(dlg, {
        Do([&] {
            hList = dlg.m_list.m_hWnd;
            // Right after initialisation: the columns fill the empty list.
            EXPECT_EQ(ColumnHeading(hList, 0), " N");
            EXPECT_EQ(ColumnHeading(hList, 1), " File Path");
            EXPECT_EQ(ColumnWidth(hList, 0), 40);
            EXPECT_EQ(::SendMessageA(hList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_GRIDLINES);
        }),
        FillDone(dlg),
        Do([&] {
            ASSERT_EQ(dlg.m_list.GetItemCount(), 250);
            EXPECT_EQ(ItemText(hList, 0, 0), "01");
            EXPECT_EQ(ItemText(hList, 8, 0), "09");
            EXPECT_EQ(ItemText(hList, 9, 0), "10");
            EXPECT_EQ(ItemText(hList, 99, 0), "100");
            EXPECT_EQ(ItemText(hList, 249, 0), "250");
            EXPECT_EQ(ListedPaths(hList), test.protection.listed);
            // 250 rows bring a vertical scroll bar; the refit takes it into account.
            EXPECT_TRUE(::GetWindowLongA(hList, GWL_STYLE) & WS_VSCROLL);
            EXPECT_EQ(ColumnWidth(hList, 0), 40);
            EXPECT_EQ(ColumnWidth(hList, 0) + ColumnWidth(hList, 1), ClientWidth(hList));
        }),
        Close(dlg),
    });
    EXPECT_EQ(run.result, IDCANCEL);
}

TEST(MainDialog, AFailedVersionQueryChoosesTheServiceStrategy)
{
    TestServices test;
    test.system.majorVersion = 0;
    test.ListFiles(3);
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] { EXPECT_EQ(ListedPaths(dlg.m_list), test.protection.listed); }),
        Close(dlg),
    });
    EXPECT_TRUE(test.protection.asked.empty());
}

TEST(MainDialog, AServiceWithNoFilesLeavesTheListEmptyAndFitted)
{
    TestServices test;
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            EXPECT_EQ(dlg.m_list.GetItemCount(), 0);
            EXPECT_EQ(ColumnWidth(dlg.m_list, 0) + ColumnWidth(dlg.m_list, 1), ClientWidth(dlg.m_list));
        }),
        Close(dlg),
    });
}

TEST(MainDialog, DirectoryStrategyWalksTheWindowsFolderFromVersion6)
{
    TempTree tree;
    tree.AddFile("a.dll");
    tree.AddFile("notes.txt");
    tree.AddFile("system32\\kernel.dll");
    tree.AddFile("system32\\drivers\\disk.dll");
    tree.AddFile("system32\\readme.txt");
    tree.AddFile(".dotted.dll");
    tree.AddFile("hidden.dll", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    tree.AddFile("zeta\\last.dll");
    TestServices test;
    test.system.majorVersion = 6;
    test.system.windowsDirectory = tree.Root();
    const auto isDll = [](const std::string& path) { return path.ends_with(".dll"); };
    test.protection.isProtected = isDll;
    CVorlaneDlg dlg(test.services);

    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            std::vector<std::string> expected;
            WalkLikeThePlatform(tree.Root(), isDll, expected);
            ASSERT_EQ(expected.size(), 6u);
            EXPECT_EQ(ListedPaths(dlg.m_list), expected);
            EXPECT_EQ(ItemText(dlg.m_list, 5, 0), "06");
        }),
        Close(dlg),
    });
    // Every file was asked about, the text files too; nothing was listed by the service.
    EXPECT_EQ(test.protection.asked.size(), 8u);
    EXPECT_EQ(test.protection.nextCalls, 0);
}

TEST(MainDialog, FileNameLineIsBoldInTheGuiFontAndTheDetailsKeepTheDialogFont)
{
    TestServices test;
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        Do([&] {
            LOGFONTA guiFont{};
            ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
            const LOGFONTA nameFont = FontOf(dlg.GetDlgItem(IDC_FILE_NAME));
            EXPECT_EQ(nameFont.lfWeight, FW_BOLD);
            EXPECT_STREQ(nameFont.lfFaceName, guiFont.lfFaceName);
            EXPECT_EQ(nameFont.lfHeight, guiFont.lfHeight);
            EXPECT_EQ(::SendMessageA(dlg.GetDlgItem(IDC_FILE_DETAILS), WM_GETFONT, 0, 0),
                      dlg.SendMessage(WM_GETFONT));
        }),
        Close(dlg),
    });
}

TEST(MainDialog, SystemMenuEndsWithTheAboutEntry)
{
    TestServices test;
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        Do([&] {
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

TEST(MainDialog, EnterNeverClosesTheDialog)
{
    TestServices test;
    CVorlaneDlg dlg(test.services);
    const ModalRun run = RunModal(dlg, {
        Do([&] {
            for (const int id : {IDC_FILE_LIST, IDC_SEARCH_TEXT, IDC_CHECK_PATH}) {
                const HWND control = dlg.GetDlgItem(id);
                ::SetFocus(control);
                ::PostMessageA(control, WM_KEYDOWN, VK_RETURN, 0);
                ::PostMessageA(control, WM_KEYUP, VK_RETURN, 0);
            }
        }),
        Pause(5),
        Do([&] { EXPECT_TRUE(::IsWindowVisible(dlg)); }),
        Close(dlg),
    });
    EXPECT_EQ(run.result, IDCANCEL);
}

TEST(MainDialog, EscCloseAndTheCloseBoxEndTheDialog)
{
    const std::vector<std::function<void(CVorlaneDlg&)>> closers = {
        [](CVorlaneDlg& dlg) { ::PostMessageA(dlg.m_list, WM_KEYDOWN, VK_ESCAPE, 0); },
        [](CVorlaneDlg& dlg) { ::SendMessageA(dlg.GetDlgItem(IDCANCEL), BM_CLICK, 0, 0); },
        [](CVorlaneDlg& dlg) { dlg.PostMessage(WM_SYSCOMMAND, SC_CLOSE); },
    };
    for (const auto& close : closers) {
        TestServices test;
        CVorlaneDlg dlg(test.services);
        const ModalRun run = RunModal(dlg, {Do([&] {
                                          ::SetFocus(dlg.m_list);
                                          close(dlg);
                                      })});
        EXPECT_EQ(run.result, IDCANCEL);
        EXPECT_EQ(dlg.m_hWnd, nullptr);
    }
}

TEST(MainDialog, ClosingDuringALongFillStopsTheWorker)
{
    EndlessProtection endless;
    TestServices test;
    PlatformServices services = test.With(endless);
    CVorlaneDlg dlg(services);
    const ModalRun run = RunModal(dlg, {
        [&] { return dlg.m_list.GetItemCount() > 5000; },
        Close(dlg),
    });
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(dlg.m_pWorkerThread, nullptr);
    // The worker is gone: nobody asks the service any more.
    const int calls = endless.calls;
    ::Sleep(50);
    EXPECT_EQ(endless.calls, calls);
}

TEST(MainDialog, RowsAppearWhileTheDialogIsInUse)
{
    EndlessProtection endless;
    TestServices test;
    PlatformServices services = test.With(endless);
    CVorlaneDlg dlg(services);
    std::vector<int> counts;
    RunModal(dlg, {
        [&] {
            const int count = dlg.m_list.GetItemCount();
            counts.push_back(count);
            if (count > 0) {
                EXPECT_EQ(ItemText(dlg.m_list, count - 1, 0), FormatRowNumber(static_cast<unsigned>(count)));
                EXPECT_FALSE(ItemText(dlg.m_list, count - 1, 1).empty());
            }
            return counts.size() == 10;
        },
        Close(dlg),
    });
    // The list grew between ticks of the dialog's own loop.
    EXPECT_LT(counts.front(), counts.back());
    EXPECT_GT(counts.back(), 0);
}

TEST(MainDialog, RowsThatTrickleInAllArriveWholeAndInOrder)
{
    TricklingProtection trickling(40);
    TestServices test;
    PlatformServices services = test.With(trickling);
    CVorlaneDlg dlg(services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            ASSERT_EQ(dlg.m_list.GetItemCount(), 40);
            for (int row = 0; row < 40; ++row) {
                EXPECT_EQ(ItemText(dlg.m_list, row, 0), FormatRowNumber(static_cast<unsigned>(row + 1)));
                EXPECT_EQ(ItemText(dlg.m_list, row, 1), TricklingProtection::PathOf(static_cast<std::uint32_t>(row)));
            }
        }),
        Close(dlg),
    });
}

TEST(MainDialog, RowsArePaintedAsBandsInTheirHighlightState)
{
    TestServices test;
    test.ListFiles(4);
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const HWND hList = dlg.m_list;
            LVITEMA state{};
            state.stateMask = LVIS_SELECTED;
            state.state = LVIS_SELECTED;
            ::SendMessageA(hList, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
            state.stateMask = state.state = LVIS_DROPHILITED;
            ::SendMessageA(hList, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&state));
            // The focus elsewhere: a selected row stays highlighted all the same.
            ::SetFocus(dlg.GetDlgItem(IDC_SEARCH_TEXT));
            ::RedrawWindow(hList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

            const HDC hdc = ::GetDC(hList);
            const int right = ClientWidth(hList);
            for (int row = 0; row < 4; ++row) {
                RECT bounds{};
                bounds.left = LVIR_BOUNDS;
                ::SendMessageA(hList, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
                const int middle = (bounds.top + bounds.bottom) / 2;
                const COLORREF expected = row == 1 || row == 3 ? dlg.m_list.m_crHighlight : dlg.m_list.m_crBackground;
                // Left of the text, and at the client area's right edge.
                EXPECT_EQ(::GetPixel(hdc, bounds.left + 2, middle), expected) << "row " << row;
                EXPECT_EQ(::GetPixel(hdc, right - 3, middle), expected) << "row " << row;
            }
            ::ReleaseDC(hList, hdc);
        }),
        Close(dlg),
    });
}

// What the dialogs draw at the display's scale, whatever it is: the tests
// read the pixels, never the code's measures. tools/check-dpi.sh runs them at
// 96, 120, 144 and 192 DPI, with the dialogs' font MS Sans Serif present and
// without it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/VorlaneDlg.h"
#include "controls/AboutDlg.h"
#include "gui/DialogDriver.h"
#include "gui/MainDialogSteps.h"
#include "gui/Rendering.h"
#include "gui/TestServices.h"
#include "res/HomePage.h"

namespace {

// What the window shows on the screen now, in client coordinates.
RenderedClient OnScreen(HWND hWnd)
{
    RECT client;
    ::GetClientRect(hWnd, &client);
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const HDC screen = ::GetDC(hWnd);
    RenderedClient shown(client.right, client.bottom, RGB(1, 2, 3), [&](HDC hdc) {
        ::BitBlt(hdc, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    });
    ::ReleaseDC(hWnd, screen);
    return shown;
}

// Pixels of `colour` inside `area` of `shown`.
int InkIn(const RenderedClient& shown, const RECT& area, COLORREF colour)
{
    int ink = 0;
    for (LONG y = std::max(area.top, 0L); y < std::min(area.bottom, static_cast<LONG>(shown.Height())); ++y) {
        for (LONG x = std::max(area.left, 0L); x < std::min(area.right, static_cast<LONG>(shown.Width())); ++x)
            ink += shown.At(x, y) == colour;
    }
    return ink;
}

// The pixels `text` takes in `font` and `colour` when nothing cuts it.
int UnclippedInk(const std::string& text, HFONT font, COLORREF colour, COLORREF background)
{
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(screen, font);
    SIZE extent{};
    ::GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    const RenderedClient drawn(extent.cx + 20, extent.cy * 2, background, [&](HDC hdc) {
        const HGDIOBJ previous = ::SelectObject(hdc, font);
        ::SetTextColor(hdc, colour);
        ::SetBkColor(hdc, background);
        ::TextOutA(hdc, 10, extent.cy / 2, text.c_str(), static_cast<int>(text.size()));
        ::SelectObject(hdc, previous);
    });
    return drawn.Count(colour);
}

HFONT FontOf(HWND hWnd)
{
    return reinterpret_cast<HFONT>(::SendMessageA(hWnd, WM_GETFONT, 0, 0));
}

// The ink of the row's text in `column` as the list shows it, against the
// same text drawn whole.
void ExpectRowTextWhole(HWND list, int row, int column)
{
    const std::string text = ItemText(list, row, column);
    const COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
    RECT cell{};
    ListView_GetSubItemRect(list, row, column, LVIR_BOUNDS, &cell);
    if (column == 0)
        cell.right = cell.left + ListView_GetColumnWidth(list, 0);
    const RenderedClient shown = OnScreen(list);
    EXPECT_EQ(InkIn(shown, cell, ink), UnclippedInk(text, FontOf(list), ink, ::GetSysColor(COLOR_WINDOW)))
        << "row " << row << ", column " << column << ": " << text;
}

}  // namespace

TEST(Dpi, EveryRowsTextWithItsDescendersAndUnderscoresLiesInsideItsRow)
{
    TestServices test;
    test.protection.listed = {"C:\\WINDOWS\\system32\\jgpqyyyy_gyp.dll", "C:\\WINDOWS\\file_number_1.dll",
                              "C:\\Program Files\\Qjy\\yyy_ggg.dll"};
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            for (int row = 0; row < 3; ++row) {
                ExpectRowTextWhole(FileList(dlg), row, 0);
                ExpectRowTextWhole(FileList(dlg), row, 1);
            }
        }),
        Close(dlg),
    });
}

TEST(Dpi, TheNumber30001FitsItsColumn)
{
    TestServices test;
    test.system.majorVersion = 6;
    EndlessFolder folder;
    PlatformServices walking = test.With(test.protection, folder);
    CVorlaneDlg dlg(walking);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const HWND list = FileList(dlg);
            ASSERT_EQ(ItemText(list, 30000, 0), "30001");
            ListView_EnsureVisible(list, 30000, FALSE);
            ExpectRowTextWhole(list, 30000, 0);
        }),
        Close(dlg),
    }, 60000);
}

TEST(Dpi, TheLogosThreePassesLieInsideItsControl)
{
    TestServices test;
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            // Painted into a bitmap with room around the control: any letter
            // outside the control shows in that room.
            const HWND logo = dlg.GetDlgItem(IDC_LOGO);
            RECT client;
            ::GetClientRect(logo, &client);
            const int room = client.bottom;
            const COLORREF background = RGB(1, 2, 3);
            const RenderedClient drawn(client.right + 2 * room, client.bottom + 2 * room, background, [&](HDC hdc) {
                ::SetViewportOrgEx(hdc, room, room, nullptr);
                ::SendMessageA(logo, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
            });
            const RECT ink = drawn.BoundsOf([&](COLORREF pixel) { return pixel != background; });
            EXPECT_GT(ink.right, ink.left);
            EXPECT_GE(ink.left, room);
            EXPECT_GE(ink.top, room);
            EXPECT_LE(ink.right, room + client.right);
            EXPECT_LE(ink.bottom, room + client.bottom);
        }),
        Close(dlg),
    });
}

TEST(Dpi, TheAboutBoxsLinkTextFitsItsControl)
{
    StandInShell shell;
    CAboutDlg about(shell);
    RunModal(about, {Do([&] {
        const HWND link = about.GetDlgItem(IDC_HOME_LINK);
        const RenderedClient drawn(link, RGB(1, 2, 3));
        const COLORREF colour = drawn.CommonestBesides(::GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(drawn.Count(colour), UnclippedInk(HOME_PAGE_URL, FontOf(link), colour, ::GetSysColor(COLOR_BTNFACE)));
        about.EndDialog(IDOK);
    })});
}

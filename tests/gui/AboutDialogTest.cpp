#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/VorlaneDlg.h"
#include "controls/AboutDlg.h"
#include "framework/WinApp.h"
#include "gui/DialogDriver.h"
#include "gui/MainDialogSteps.h"
#include "gui/Rendering.h"
#include "gui/TestServices.h"

namespace {

// The About box shown by this thread, or null.
CAboutDlg* OpenAbout()
{
    const HWND hAbout = ::FindWindowA(nullptr, "About Vorlane");
    return ::IsWindowVisible(hAbout) ? dynamic_cast<CAboutDlg*>(CWnd::FromHandlePermanent(hAbout)) : nullptr;
}

DialogStep AboutIsOpen(CAboutDlg*& about)
{
    return [&about] { return (about = OpenAbout()) != nullptr; };
}

// The colour of the About box's link text with the mouse away from it.
COLORREF LinkColour(const CAboutDlg& about)
{
    const HWND hLink = about.GetDlgItem(IDC_HOME_LINK);
    ::SendMessageA(hLink, WM_MOUSELEAVE, 0, 0);
    const RenderedClient pixels(hLink, RGB(255, 0, 255));
    return pixels.CommonestBesides(::GetSysColor(COLOR_BTNFACE));
}

}  // namespace

TEST(AboutDialog, SystemMenuCommands16To31OpenItOwnedByTheMainDialogAndEveryCloserEndsIt)
{
    const struct {
        UINT command;
        std::function<void(CAboutDlg&)> close;
    } cases[] = {
        {IDM_ABOUTBOX, [](CAboutDlg& about) { ::SendMessageA(about.GetDlgItem(IDOK), BM_CLICK, 0, 0); }},
        {IDM_ABOUTBOX + 15, [](CAboutDlg& about) { ::PostMessageA(about.GetDlgItem(IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {IDM_ABOUTBOX + 7, [](CAboutDlg& about) { about.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.command);
        TestServices services;
        CVorlaneDlg dlg(services.services);
        CWinApp app;
        app.m_pMainWnd = &dlg;
        CAboutDlg* about = nullptr;
        HWND hAbout = nullptr;
        RunModal(dlg, {
            Do([&] { dlg.PostMessage(WM_SYSCOMMAND, test.command); }),
            AboutIsOpen(about),
            Do([&] {
                hAbout = *about;
                EXPECT_EQ(::GetWindow(hAbout, GW_OWNER), dlg.m_hWnd);
                EXPECT_FALSE(::IsWindowEnabled(dlg));
                test.close(*about);
            }),
            [&] { return !::IsWindow(hAbout); },
            Do([&] {
                EXPECT_TRUE(::IsWindowEnabled(dlg));
                EXPECT_TRUE(::IsWindowVisible(dlg));
                dlg.PostMessage(WM_COMMAND, IDCANCEL);
            }),
        });
        EXPECT_TRUE(services.shell.opened.empty());
    }
}

TEST(AboutDialog, ShowsTheBoldTitleAndTheIconAndTheRestInTheDialogFont)
{
    StandInShell shell;
    CAboutDlg about(shell);
    HFONT hTitleFont = nullptr;
    const ModalRun run = RunModal(about, {
        Do([&] {
            EXPECT_EQ(WindowText(about), "About Vorlane");
            const HWND hTitle = about.GetDlgItem(IDC_ABOUT_TITLE);
            EXPECT_EQ(WindowText(hTitle), "Vorlane v1.1");
            LOGFONTA guiFont{}, title{};
            ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
            hTitleFont = reinterpret_cast<HFONT>(::SendMessageA(hTitle, WM_GETFONT, 0, 0));
            ::GetObjectA(hTitleFont, sizeof title, &title);
            EXPECT_EQ(title.lfWeight, FW_BOLD);
            EXPECT_STREQ(title.lfFaceName, guiFont.lfFaceName);
            EXPECT_EQ(title.lfHeight, guiFont.lfHeight);
            const LRESULT dialogFont = about.SendMessage(WM_GETFONT);
            EXPECT_EQ(::SendMessageA(about.GetDlgItem(IDC_HOME_LINK), WM_GETFONT, 0, 0), dialogFont);
            // The icon and the lines have no font; every other control but the title has the dialog's.
            for (HWND hChild = ::GetWindow(about, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
                const LRESULT font = ::SendMessageA(hChild, WM_GETFONT, 0, 0);
                EXPECT_TRUE(!font || font == dialogFont || hChild == hTitle) << WindowText(hChild);
            }

            const HWND hIcon = ::GetWindow(about, GW_CHILD);
            ICONINFO info{};
            ASSERT_TRUE(::GetIconInfo(reinterpret_cast<HICON>(::SendMessageA(hIcon, STM_GETICON, 0, 0)), &info));
            BITMAP colour{};
            ::GetObjectA(info.hbmColor, sizeof colour, &colour);
            EXPECT_EQ(colour.bmWidth, 48);
            EXPECT_EQ(colour.bmHeight, 48);
            ::DeleteObject(info.hbmColor);
            ::DeleteObject(info.hbmMask);
        }),
        Do([&] { ::PostMessageA(about.GetDlgItem(IDOK), WM_KEYDOWN, VK_RETURN, 0); }),
    });
    EXPECT_EQ(run.result, IDOK);
    // The title font went with the window.
    EXPECT_EQ(::GetObjectType(hTitleFont), DWORD{0});
}

TEST(AboutDialog, OtherSystemCommandsOpenNothingAndTheVisitedColourLastsAsLongAsTheBox)
{
    TestServices services;
    CVorlaneDlg dlg(services.services);
    CAboutDlg* about = nullptr;
    COLORREF unvisited = 0;
    const auto openAbout = [&] { dlg.PostMessage(WM_SYSCOMMAND, IDM_ABOUTBOX); };
    RunModal(dlg, {
        Do([&] { dlg.PostMessage(WM_SYSCOMMAND, IDM_ABOUTBOX + 16); }),
        Pause(3),
        Do([&] {
            EXPECT_EQ(OpenAbout(), nullptr);
            openAbout();
        }),
        AboutIsOpen(about),
        Do([&] {
            const HWND hLink = about->GetDlgItem(IDC_HOME_LINK);
            ::UpdateWindow(hLink);
            unvisited = LinkColour(*about);
            ::SendMessageA(hLink, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2));
            ::SendMessageA(hLink, WM_LBUTTONUP, 0, MAKELPARAM(1, 2));
            EXPECT_NE(LinkColour(*about), unvisited);
            about->EndDialog(IDOK);
        }),
        [&] { return OpenAbout() == nullptr; },
        Do(openAbout),
        AboutIsOpen(about),
        Do([&] {
            EXPECT_EQ(LinkColour(*about), unvisited);
            about->EndDialog(IDOK);
        }),
        [&] { return OpenAbout() == nullptr; },
        Close(dlg),
    });
    EXPECT_EQ(services.shell.opened.size(), 1u);
}

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "controls/AboutDlg.h"
#include "controls/HandCursors.h"
#include "gui/DialogDriver.h"
#include "gui/Rendering.h"
#include "gui/TestServices.h"
#include "res/HomePage.h"
#include "res/resource.h"

namespace {

// Where the link's text ends and where a click stops counting, in the control's own font.
struct TextMeasure {
    int textRight;
    int hitRight;
    int middle;
};

TextMeasure Measure(HWND hLink)
{
    const HDC hdc = ::GetDC(hLink);
    const HGDIOBJ old = ::SelectObject(hdc, reinterpret_cast<HFONT>(::SendMessageA(hLink, WM_GETFONT, 0, 0)));
    SIZE extent{};
    ::GetTextExtentPoint32A(hdc, HOME_PAGE_URL, static_cast<int>(sizeof HOME_PAGE_URL - 1), &extent);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(hdc, &metrics);
    ::SelectObject(hdc, old);
    ::ReleaseDC(hLink, hdc);
    RECT client;
    ::GetClientRect(hLink, &client);
    return {extent.cx, extent.cx + metrics.tmAveCharWidth / 2, client.bottom / 2};
}

// Moves the mouse as a user would: the input goes through the whole platform.
void MoveMouseTo(int x, int y)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

void Send(HWND hWnd, UINT message, int x, int y)
{
    ::SendMessageA(hWnd, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

// The underline: a row of the rendered link with the colour across most of the text.
bool HasUnderline(const RenderedClient& pixels, COLORREF colour, int textWidth)
{
    for (int y = 0; y < pixels.Height(); ++y) {
        int run = 0;
        for (int x = 0; x < pixels.Width(); ++x)
            run += pixels.At(x, y) == colour;
        if (run >= textWidth * 8 / 10)
            return true;
    }
    return false;
}

// A key of the test's own under HKEY_CURRENT_USER, deleted at the end.
struct ScratchKey {
    std::string path = "Software\\Vorlane tests\\link colours ";
    HKEY hKey = nullptr;

    ScratchKey()
    {
        path += std::to_string(::GetCurrentProcessId());
        ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    }
    ~ScratchKey()
    {
        ::RegCloseKey(hKey);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    }
    // A REG_SZ is stored with its terminating zero, a REG_BINARY without one.
    void Set(const char* name, const std::string& text, DWORD type = REG_SZ) const
    {
        ::RegSetValueExA(hKey, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + (type == REG_SZ)));
    }
};

// Runs the About box and calls `check` on its link once it is up.
void CheckLink(StandInShell& shell, const std::function<void(CHyperLink&)>& check)
{
    CAboutDlg about(shell);
    RunModal(about, {Do([&] {
        check(about.m_link);
        about.EndDialog(IDOK);
    })});
}

}  // namespace

TEST(HyperLink, CursorsAreTheHandsWithTheFingertipAsHotSpot)
{
    StandInShell shell;
    CheckLink(shell, [&](CHyperLink& link) {
        const struct {
            const char* name;
            HCURSOR hCursor;
            const std::array<unsigned char, kCursorPlaneBytes>& andPlane;
            const std::array<unsigned char, kCursorPlaneBytes>& xorPlane;
        } cursors[] = {{"hand", link.m_hHandCursor, kHandAnd, kHandXor},
                       {"hand down", link.m_hHandDownCursor, kHandDownAnd, kHandDownXor}};
        for (const auto& cursor : cursors) {
            ICONINFO info{};
            ASSERT_TRUE(::GetIconInfo(cursor.hCursor, &info)) << cursor.name;
            // A monochrome cursor keeps both planes in one mask bitmap, AND above XOR.
            BITMAP mask{};
            ::GetObjectA(info.hbmMask, sizeof mask, &mask);
            std::vector<BYTE> bits(2 * kCursorPlaneBytes);
            ::GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
            std::vector<BYTE> expected(cursor.andPlane.begin(), cursor.andPlane.end());
            expected.insert(expected.end(), cursor.xorPlane.begin(), cursor.xorPlane.end());
            // (icon, hot spot x and y, colour bitmap, mask width and height)
            EXPECT_EQ(std::make_tuple(info.fIcon, info.xHotspot, info.yHotspot, info.hbmColor != nullptr,
                                      mask.bmWidth, mask.bmHeight),
                      std::make_tuple(FALSE, DWORD{5}, DWORD{0}, false, LONG{32}, LONG{64}))
                << cursor.name;
            EXPECT_EQ(bits, expected) << cursor.name;
            ::DeleteObject(info.hbmMask);
        }
        EXPECT_FALSE(kHandAnd[0] & 0x80 >> kCursorHotSpotX);  // the fingertip is drawn at the hot spot
        EXPECT_EQ(link.m_hArrowCursor, ::LoadCursorA(nullptr, IDC_ARROW));
    });
}

TEST(HyperLink, ColoursComeFromTheBrowserSettingsWhenThereAreAny)
{
    StandInShell shell;
    const auto expectColours = [&](const char* key, COLORREF link, COLORREF hover, COLORREF visited) {
        const CHyperLink hyperLink(shell, key);
        EXPECT_EQ(hyperLink.m_crLink, link) << key;
        EXPECT_EQ(hyperLink.m_crHover, hover) << key;
        EXPECT_EQ(hyperLink.m_crVisited, visited) << key;
    };
    expectColours("Software\\Vorlane tests\\no such key", RGB(0, 0, 200), RGB(0, 0, 255), RGB(5, 34, 143));
    ScratchKey key;
    // The hover colour follows the link colour; only the underline tells them apart.
    key.Set("Anchor Color", "0,128,0");
    expectColours(key.path.c_str(), RGB(0, 128, 0), RGB(0, 128, 0), RGB(5, 34, 143));
    // 32 bytes without a terminating zero are read; 32 characters and their zero are too long.
    key.Set("Anchor Color Visited", "12, 34 ,56" + std::string(22, ' '), REG_BINARY);
    key.Set("Anchor Color", "1,2,3" + std::string(27, ' '));
    expectColours(key.path.c_str(), RGB(0, 0, 200), RGB(0, 0, 255), RGB(12, 34, 56));
}

TEST(HyperLink, TakesOverTheStaticWithItsTextFontsAndTooltip)
{
    StandInShell shell;
    CheckLink(shell, [&](CHyperLink& link) {
        EXPECT_EQ(link.m_hWnd, ::GetDlgItem(::GetParent(link), IDC_HOME_LINK));
        EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
        EXPECT_EQ(WindowText(link), HOME_PAGE_URL);
        EXPECT_EQ(link.m_strLinkText.str(), HOME_PAGE_URL);
        EXPECT_EQ(link.m_strUrl.str(), HOME_PAGE_URL);
        // Both fonts are the control's own; the renderings below tell them apart by the underline.
        LOGFONTA own{}, normal{}, underline{};
        ::GetObjectA(link.GetFont(), sizeof own, &own);
        ::GetObjectA(link.m_fontNormal, sizeof normal, &normal);
        ::GetObjectA(link.m_fontUnderline, sizeof underline, &underline);
        EXPECT_STREQ(normal.lfFaceName, own.lfFaceName);
        EXPECT_STREQ(underline.lfFaceName, own.lfFaceName);
        EXPECT_EQ(normal.lfHeight, own.lfHeight);
        EXPECT_FALSE(normal.lfUnderline);
        EXPECT_TRUE(underline.lfUnderline);

        char tipText[64] = {};
        TOOLINFOA tool{sizeof tool, 0, link, CHyperLink::kToolId, {}, nullptr, tipText, 0, nullptr};
        ASSERT_TRUE(::SendMessageA(link.m_tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));
        ::SendMessageA(link.m_tip, TTM_GETTEXTA, sizeof tipText, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(tipText, "Home");
        RECT client;
        link.GetClientRect(&client);
        EXPECT_TRUE(::EqualRect(&tool.rect, &client));
        EXPECT_EQ(::SendMessageA(link.m_tip, TTM_GETTIPTEXTCOLOR, 0, 0), RGB(0, 0, 0));
        EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(link.m_tip, TTM_GETTIPBKCOLOR, 0, 0)),
                  ::GetSysColor(COLOR_INFOBK));
    });
}

TEST(HyperLink, HoverUnderlinesInTheHoverColourAndLeaveRestoresTheLink)
{
    StandInShell shell;
    CheckLink(shell, [&](CHyperLink& link) {
        const int textWidth = Measure(link).textRight;
        const struct {
            const char* name;
            UINT message;  // sent before the rendering, if any
            BOOL visited;
            COLORREF colour;
        } steps[] = {
            {"plain", 0, FALSE, link.m_crLink},
            {"hovered", WM_MOUSEHOVER, FALSE, link.m_crHover},
            {"left", WM_MOUSELEAVE, FALSE, link.m_crLink},
            {"visited", 0, TRUE, link.m_crVisited},
            {"visited and hovered", WM_MOUSEHOVER, TRUE, link.m_crVisited},
        };
        for (const auto& step : steps) {
            if (step.message)
                link.SendMessage(step.message);
            link.m_bVisited = step.visited;
            const bool hovered = step.message == WM_MOUSEHOVER;
            EXPECT_EQ(link.m_bHover != FALSE, hovered) << step.name;
            const RenderedClient pixels(link, RGB(255, 0, 255));
            EXPECT_EQ(pixels.At(pixels.Width() - 1, 0), ::GetSysColor(COLOR_BTNFACE)) << step.name;
            EXPECT_GT(pixels.Count(step.colour), textWidth / 2) << step.name;
            EXPECT_EQ(HasUnderline(pixels, step.colour, textWidth), hovered) << step.name;
        }
    });
}

TEST(HyperLink, TheRealMouseRestingOnTheLinkHoversAndShowsTheTip)
{
    StandInShell shell;
    CAboutDlg about(shell);
    RECT window{};
    RunModal(about, {
        Do([&] {
            ::GetWindowRect(about.m_link, &window);
            MoveMouseTo(window.left + 5, (window.top + window.bottom) / 2);
        }),
        [&] { return about.m_link.m_bHover != FALSE; },
        [&] { return ::IsWindowVisible(about.m_link.m_tip) != FALSE; },
        Do([&] { MoveMouseTo(window.right + 200, window.bottom + 200); }),
        [&] { return !about.m_link.m_bHover; },
        Do([&] { about.EndDialog(IDOK); }),
    });
}

TEST(HyperLink, AReleaseOnTheTextOpensTheUrlOnceInANormalWindow)
{
    StandInShell shell;
    CAboutDlg about(shell);
    RunModal(about, {
        Do([&] {
            CHyperLink& link = about.m_link;
            ::UpdateWindow(link);
            const TextMeasure text = Measure(link);
            EXPECT_EQ(link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                      TRUE);
            EXPECT_EQ(::GetCursor(), link.m_hHandCursor);

            // Pressed and released just past the hit area, then pressed on the text and released past it.
            Send(link, WM_LBUTTONDOWN, text.hitRight, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hArrowCursor);
            Send(link, WM_LBUTTONUP, text.hitRight, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hArrowCursor);
            Send(link, WM_LBUTTONDOWN, 2, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hHandDownCursor);
            Send(link, WM_LBUTTONUP, text.hitRight + 3, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hArrowCursor);
            EXPECT_TRUE(shell.opened.empty());
            EXPECT_FALSE(link.m_bVisited);

            // Just right of the last letter still counts; the static's own click notification opens nothing more.
            Send(link, WM_LBUTTONDOWN, text.hitRight - 1, text.middle);
            Send(link, WM_LBUTTONUP, text.hitRight - 1, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hHandCursor);
        }),
        Pause(2),
        Do([&] {
            const StandInShell::Request expected{"open", HOME_PAGE_URL, SW_SHOWNORMAL};
            EXPECT_EQ(shell.opened, std::vector<StandInShell::Request>{expected});
            EXPECT_TRUE(about.m_link.m_bVisited);
            about.EndDialog(IDOK);
        }),
    });
}

TEST(HyperLink, AFailedOpenLeavesTheLinkUnvisitedAndMovesPastTheTextShowTheArrow)
{
    StandInShell shell;
    shell.result = SE_ERR_NOASSOC;
    CheckLink(shell, [&](CHyperLink& link) {
        ::UpdateWindow(link);
        const TextMeasure text = Measure(link);
        Send(link, WM_LBUTTONDOWN, 1, text.middle);
        Send(link, WM_LBUTTONUP, 1, text.middle);
        EXPECT_EQ(shell.opened.size(), 1u);
        EXPECT_FALSE(link.m_bVisited);

        // Before the hover the whole control shows the hand; after it, only the text does.
        ::SetCursor(link.m_hHandCursor);
        Send(link, WM_MOUSEMOVE, text.hitRight + 1, text.middle);
        EXPECT_EQ(::GetCursor(), link.m_hHandCursor);
        link.SendMessage(WM_MOUSEHOVER);
        Send(link, WM_MOUSEMOVE, text.textRight / 2, text.middle);
        EXPECT_EQ(::GetCursor(), link.m_hHandCursor);
        Send(link, WM_MOUSEMOVE, text.hitRight + 1, text.middle);
        EXPECT_EQ(::GetCursor(), link.m_hArrowCursor);
    });
}

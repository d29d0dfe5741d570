#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "controls/AboutDlg.h"
#include "gui/DialogDriver.h"
#include "gui/Rendering.h"
#include "gui/TestServices.h"
#include "res/HomePage.h"
#include "res/resource.h"

namespace {

// The cursors' rows 0 to 21, top row first: hand AND, hand XOR, hand-down
// AND, hand-down XOR. Rows 22 to 31 are empty.
const char* const kCursorRows[] = {
    "F9 FF FF FF | 00 00 00 00 | FF FF FF FF | 00 00 00 00",
    "F0 FF FF FF | 06 00 00 00 | FF FF FF FF | 00 00 00 00",
    "F0 FF FF FF | 06 00 00 00 | FF FF FF FF | 00 00 00 00",
    "F0 FF FF FF | 06 00 00 00 | FF FF FF FF | 06 00 00 00",
    "F0 FF FF FF | 06 00 00 00 | F0 FF FF FF | 06 00 00 00",
    "F0 3F FF FF | 06 00 00 00 | F0 3F FF FF | 06 00 00 00",
    "F0 07 FF FF | 06 C0 00 00 | F0 07 FF FF | 06 C0 00 00",
    "F0 01 FF FF | 06 D8 00 00 | F0 01 FF FF | 06 D8 00 00",
    "F0 00 FF FF | 06 DA 00 00 | F0 00 FF FF | 06 DA 00 00",
    "10 00 7F FF | 06 DB 00 00 | 10 00 7F FF | 06 DB 00 00",
    "00 00 7F FF | 67 FB 00 00 | 00 00 7F FF | 67 FB 00 00",
    "00 00 7F FF | 77 FF 00 00 | 00 00 7F FF | 77 FF 00 00",
    "80 00 7F FF | 37 FF 00 00 | 80 00 7F FF | 37 FF 00 00",
    "C0 00 7F FF | 17 FF 00 00 | C0 00 7F FF | 17 FF 00 00",
    "C0 00 7F FF | 1F FF 00 00 | C0 00 7F FF | 1F FF 00 00",
    "E0 00 7F FF | 0F FF 00 00 | E0 00 7F FF | 0F FF 00 00",
    "E0 00 FF FF | 0F FE 00 00 | E0 00 FF FF | 0F FE 00 00",
    "F0 00 FF FF | 07 FE 00 00 | F0 00 FF FF | 07 FE 00 00",
    "F0 00 FF FF | 07 FE 00 00 | F0 00 FF FF | 07 FE 00 00",
    "F8 01 FF FF | 03 FC 00 00 | F8 01 FF FF | 03 FC 00 00",
    "F8 01 FF FF | 03 FC 00 00 | F8 01 FF FF | 03 FC 00 00",
    "F8 01 FF FF | 00 00 00 00 | F8 01 FF FF | 00 00 00 00",
};

// Plane `column` of the table (0 to 3), 128 bytes.
std::vector<BYTE> TablePlane(int column)
{
    std::vector<BYTE> plane;
    for (const char* row : kCursorRows) {
        std::istringstream fields(row);
        std::string field;
        for (int skip = 0; skip < column * 5; ++skip)
            fields >> field;
        for (int byte = 0; byte < 4; ++byte) {
            fields >> field;
            plane.push_back(static_cast<BYTE>(std::stoul(field, nullptr, 16)));
        }
    }
    const BYTE empty = column % 2 == 0 ? 0xFF : 0x00;
    plane.resize(32 * 4, empty);
    return plane;
}

struct CursorPlanes {
    ICONINFO info{};
    BITMAP mask{};
    std::vector<BYTE> andPlane;
    std::vector<BYTE> xorPlane;
};

// A monochrome cursor keeps both planes in one mask bitmap, AND above XOR.
CursorPlanes ReadCursor(HCURSOR hCursor)
{
    CursorPlanes planes;
    if (!::GetIconInfo(hCursor, &planes.info))
        return planes;
    ::GetObjectA(planes.info.hbmMask, sizeof planes.mask, &planes.mask);
    std::vector<BYTE> bits(static_cast<size_t>(planes.mask.bmWidthBytes * planes.mask.bmHeight));
    ::GetBitmapBits(planes.info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
    if (bits.size() == 2 * 32 * 4) {
        planes.andPlane.assign(bits.begin(), bits.begin() + 128);
        planes.xorPlane.assign(bits.begin() + 128, bits.end());
    }
    ::DeleteObject(planes.info.hbmMask);
    if (planes.info.hbmColor)
        ::DeleteObject(planes.info.hbmColor);
    return planes;
}

// Where the link's text ends and where a click stops counting, measured here
// in the control's own font.
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

// Whether a row of the rendered link holds the colour across most of the
// text: the underline.
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

class RegistryKey {
public:
    RegistryKey()
    {
        m_path = "Software\\Vorlane tests\\link colours ";
        m_path += std::to_string(::GetCurrentProcessId());
        ::RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hKey, nullptr);
    }
    ~RegistryKey()
    {
        ::RegCloseKey(m_hKey);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    const char* Path() const { return m_path.c_str(); }
    void SetText(const char* name, const std::string& text) const
    {
        ::RegSetValueExA(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1));
    }
    void SetBytes(const char* name, const std::string& bytes) const
    {
        ::RegSetValueExA(m_hKey, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size()));
    }

private:
    std::string m_path;
    HKEY m_hKey = nullptr;
};

}  // namespace

TEST(HyperLink, CursorsAreTheTablesHandsWithTheFingertipAsHotSpot)
{
    StandInShell shell;
    CAboutDlg about(shell);
    RunModal(about, {
        Do([&] {
            const struct {
                HCURSOR hCursor;
                int andColumn;
            } cursors[] = {{about.m_link.m_hHandCursor, 0}, {about.m_link.m_hHandDownCursor, 2}};
            for (const auto& cursor : cursors) {
                SCOPED_TRACE(cursor.andColumn);
                const CursorPlanes planes = ReadCursor(cursor.hCursor);
                EXPECT_FALSE(planes.info.fIcon);
                EXPECT_EQ(planes.info.xHotspot, 5u);
                EXPECT_EQ(planes.info.yHotspot, 0u);
                EXPECT_EQ(planes.info.hbmColor, nullptr);
                EXPECT_EQ(planes.mask.bmWidth, 32);
                EXPECT_EQ(planes.mask.bmHeight, 64);
                EXPECT_EQ(planes.andPlane, TablePlane(cursor.andColumn));
                EXPECT_EQ(planes.xorPlane, TablePlane(cursor.andColumn + 1));
            }
            EXPECT_EQ(about.m_link.m_hArrowCursor, ::LoadCursorA(nullptr, IDC_ARROW));
            about.EndDialog(IDOK);
        }),
    });
}

TEST(HyperLink, ColoursComeFromTheBrowserSettingsWhenThereAreAny)
{
    StandInShell shell;
    {
        const CHyperLink link(shell, "Software\\Vorlane tests\\no such key");
        EXPECT_EQ(link.m_crLink, RGB(0, 0, 200));
        EXPECT_EQ(link.m_crHover, RGB(0, 0, 255));
        EXPECT_EQ(link.m_crVisited, RGB(5, 34, 143));
    }
    RegistryKey key;
    key.SetText("Anchor Color", "0,128,0");
    {
        // The hover colour follows the link colour; only the underline tells them apart.
        const CHyperLink link(shell, key.Path());
        EXPECT_EQ(link.m_crLink, RGB(0, 128, 0));
        EXPECT_EQ(link.m_crHover, RGB(0, 128, 0));
        EXPECT_EQ(link.m_crVisited, RGB(5, 34, 143));
    }
    // 32 bytes without a terminating zero are read; 32 characters and their zero are too long.
    key.SetBytes("Anchor Color Visited", "12, 34 ,56" + std::string(22, ' '));
    key.SetText("Anchor Color", "1,2,3" + std::string(27, ' '));
    {
        const CHyperLink link(shell, key.Path());
        EXPECT_EQ(link.m_crVisited, RGB(12, 34, 56));
        EXPECT_EQ(link.m_crLink, RGB(0, 0, 200));
        EXPECT_EQ(link.m_crHover, RGB(0, 0, 255));
    }
}

TEST(HyperLink, TakesOverTheStaticWithItsTextUrlFontsAndTooltip)
{
    StandInShell shell;
    CAboutDlg about(shell);
    RunModal(about, {
        Do([&] {
            CHyperLink& link = about.m_link;
            EXPECT_EQ(link.m_hWnd, about.GetDlgItem(IDC_HOME_LINK));
            EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
            EXPECT_EQ(WindowText(link), HOME_PAGE_URL);
            EXPECT_EQ(link.m_strLinkText.str(), HOME_PAGE_URL);
            EXPECT_EQ(link.m_strUrl.str(), HOME_PAGE_URL);

            LOGFONTA own{}, normal{}, underline{};
            ::GetObjectA(link.GetFont(), sizeof own, &own);
            ::GetObjectA(link.m_fontNormal, sizeof normal, &normal);
            ::GetObjectA(link.m_fontUnderline, sizeof underline, &underline);
            EXPECT_STREQ(normal.lfFaceName, own.lfFaceName);
            EXPECT_EQ(normal.lfHeight, own.lfHeight);
            EXPECT_FALSE(normal.lfUnderline);
            EXPECT_STREQ(underline.lfFaceName, own.lfFaceName);
            EXPECT_TRUE(underline.lfUnderline);

            char tipText[64] = {};
            TOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = link;
            tool.uId = CHyperLink::kToolId;
            tool.lpszText = tipText;
            ASSERT_TRUE(::SendMessageA(link.m_tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));
            ::SendMessageA(link.m_tip, TTM_GETTEXTA, sizeof tipText, reinterpret_cast<LPARAM>(&tool));
            EXPECT_STREQ(tipText, "Home");
            RECT client;
            link.GetClientRect(&client);
            EXPECT_TRUE(::EqualRect(&tool.rect, &client));
            EXPECT_EQ(::SendMessageA(link.m_tip, TTM_GETTIPTEXTCOLOR, 0, 0), RGB(0, 0, 0));
            EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(link.m_tip, TTM_GETTIPBKCOLOR, 0, 0)),
                      ::GetSysColor(COLOR_INFOBK));
            about.EndDialog(IDOK);
        }),
    });
}

TEST(HyperLink, HoverUnderlinesInTheHoverColourAndLeaveRestoresTheLink)
{
    StandInShell shell;
    CAboutDlg about(shell);
    RunModal(about, {
        Do([&] {
            CHyperLink& link = about.m_link;
            const int textWidth = Measure(link).textRight;
            const COLORREF background = ::GetSysColor(COLOR_BTNFACE);
            const auto expectPainted = [&](COLORREF colour, bool underlined) {
                const RenderedClient pixels(link, RGB(255, 0, 255));
                EXPECT_EQ(pixels.At(pixels.Width() - 1, 0), background);
                EXPECT_GT(pixels.Count(colour), textWidth / 2);
                EXPECT_EQ(HasUnderline(pixels, colour, textWidth), underlined);
            };
            {
                SCOPED_TRACE("plain");
                expectPainted(link.m_crLink, false);
            }
            link.SendMessage(WM_MOUSEHOVER);
            EXPECT_TRUE(link.m_bHover);
            {
                SCOPED_TRACE("hovered");
                expectPainted(link.m_crHover, true);
            }
            link.SendMessage(WM_MOUSELEAVE);
            EXPECT_FALSE(link.m_bHover);
            {
                SCOPED_TRACE("left");
                expectPainted(link.m_crLink, false);
            }
            link.m_bVisited = TRUE;
            {
                SCOPED_TRACE("visited");
                expectPainted(link.m_crVisited, false);
            }
            link.SendMessage(WM_MOUSEHOVER);
            {
                SCOPED_TRACE("visited and hovered");
                expectPainted(link.m_crVisited, true);
            }
            about.EndDialog(IDOK);
        }),
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

            // Pressed and released outside the text, just past its hit area.
            Send(link, WM_LBUTTONDOWN, text.hitRight, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hArrowCursor);
            Send(link, WM_LBUTTONUP, text.hitRight, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hArrowCursor);
            // Pressed on the text, released outside it.
            Send(link, WM_LBUTTONDOWN, 2, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hHandDownCursor);
            Send(link, WM_LBUTTONUP, text.hitRight + 3, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hArrowCursor);
            EXPECT_TRUE(shell.opened.empty());
            EXPECT_FALSE(link.m_bVisited);

            // Just right of the last letter still counts. The static's own
            // click notification to the dialog opens nothing more.
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
    CAboutDlg about(shell);
    RunModal(about, {
        Do([&] {
            CHyperLink& link = about.m_link;
            ::UpdateWindow(link);
            const TextMeasure text = Measure(link);
            Send(link, WM_LBUTTONDOWN, 1, text.middle);
            Send(link, WM_LBUTTONUP, 1, text.middle);
            EXPECT_EQ(shell.opened.size(), 1u);
            EXPECT_FALSE(link.m_bVisited);

            // Before the hover the whole control shows the hand; after it,
            // only the text does.
            ::SetCursor(link.m_hHandCursor);
            Send(link, WM_MOUSEMOVE, text.hitRight + 1, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hHandCursor);
            link.SendMessage(WM_MOUSEHOVER);
            Send(link, WM_MOUSEMOVE, text.textRight / 2, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hHandCursor);
            Send(link, WM_MOUSEMOVE, text.hitRight + 1, text.middle);
            EXPECT_EQ(::GetCursor(), link.m_hArrowCursor);
            about.EndDialog(IDOK);
        }),
    });
}

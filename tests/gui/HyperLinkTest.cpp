#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "controls/AboutDlg.h"
#include "gui/DialogDriver.h"
#include "gui/Rendering.h"
#include "gui/SystemColours.h"
#include "gui/TestServices.h"
#include "res/HomePage.h"
#include "res/resource.h"

namespace {

// The colours of a link where the browser settings name none.
constexpr COLORREF kDefaultLink = RGB(0, 0, 200);
constexpr COLORREF kDefaultHover = RGB(0, 0, 255);
constexpr COLORREF kDefaultVisited = RGB(5, 34, 143);

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

void Click(HWND hWnd, int x, int y)
{
    Send(hWnd, WM_LBUTTONDOWN, x, y);
    Send(hWnd, WM_LBUTTONUP, x, y);
}

RenderedClient Rendered(HWND hLink)
{
    return RenderedClient(hLink, RGB(255, 0, 255));
}

COLORREF CommonestColour(HWND hLink)
{
    return Rendered(hLink).CommonestBesides(::GetSysColor(COLOR_BTNFACE));
}

// The colour of the link's text with the mouse away from it.
COLORREF TextColour(HWND hLink)
{
    ::SendMessageA(hLink, WM_MOUSELEAVE, 0, 0);
    return CommonestColour(hLink);
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

// The home page's address as a static control shows its text, in the
// control's own font, plain or underlined, in `colour`: what the link should
// look like.
RenderedClient ExpectedText(HWND hLink, COLORREF colour, bool underlined)
{
    LOGFONTA logFont{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hLink, WM_GETFONT, 0, 0)), sizeof logFont, &logFont);
    logFont.lfUnderline = underlined;
    RECT client;
    ::GetClientRect(hLink, &client);
    return RenderedClient(client.right, client.bottom, ::GetSysColor(COLOR_BTNFACE), [&](HDC hdc) {
        const HFONT hFont = ::CreateFontIndirectA(&logFont);
        const HGDIOBJ old = ::SelectObject(hdc, hFont);
        ::SetBkMode(hdc, TRANSPARENT);
        ::SetTextColor(hdc, colour);
        RECT area = client;
        ::DrawTextA(hdc, HOME_PAGE_URL, -1, &area, DT_SINGLELINE | DT_VCENTER);
        ::SelectObject(hdc, old);
        ::DeleteObject(hFont);
    });
}

// A cursor's look: (icon, hot spot x and y, colour bitmap, mask width and height) and its mask's bits.
using CursorLook = std::tuple<BOOL, DWORD, DWORD, bool, LONG, LONG, std::vector<BYTE>>;

CursorLook LookOf(HCURSOR hCursor)
{
    ICONINFO info{};
    if (!::GetIconInfo(hCursor, &info))
        return {};
    BITMAP mask{};
    ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    std::vector<BYTE> bits(static_cast<size_t>(mask.bmWidthBytes * mask.bmHeight));
    ::GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    return {info.fIcon, info.xHotspot, info.yHotspot, info.hbmColor != nullptr, mask.bmWidth, mask.bmHeight, bits};
}

// The program's cursor `id` as its resource holds it. What it shows is
// tested on its own (HandCursorsTest).
CursorLook HandLook(UINT id)
{
    const HCURSOR hCursor =
        static_cast<HCURSOR>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_CURSOR, 32, 32, 0));
    const CursorLook look = LookOf(hCursor);
    ::DestroyCursor(hCursor);
    return look;
}

// The cursor shown now: "arrow" (the system's), "hand", "hand down", or "other".
std::string ShownCursor()
{
    const HCURSOR hCursor = ::GetCursor();
    if (hCursor == ::LoadCursorA(nullptr, IDC_ARROW))
        return "arrow";
    const CursorLook look = LookOf(hCursor);
    if (look == HandLook(IDR_HAND_CURSOR))
        return "hand";
    if (look == HandLook(IDR_HAND_DOWN_CURSOR))
        return "hand down";
    return "other";
}

struct TipSearch {
    HWND hLink;
    HWND hTip;
};

BOOL CALLBACK FindTip(HWND hWnd, LPARAM lParam)
{
    auto& search = *reinterpret_cast<TipSearch*>(lParam);
    char className[64] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    if (::lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 &&
        ::SendMessageA(hWnd, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) && tool.hwnd == search.hLink) {
        search.hTip = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The tooltip, among this thread's windows, that has a tool over `hLink`.
HWND TipOf(HWND hLink)
{
    TipSearch search{hLink, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindTip, reinterpret_cast<LPARAM>(&search));
    return search.hTip;
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

// A high-contrast theme as the test says: Wine has none to turn on.
class StandInContrast final : public ContrastSetting {
public:
    bool on = false;
    bool HighContrast() const override { return on; }
};

// The About box's template with a link of the test's own in it, reading its
// colours from `coloursKey`.
class LinkDialog : public CDialog {
public:
    LinkDialog(Shell& shell, const char* coloursKey, const ContrastSetting& contrast = ContrastSetting::System())
        : CDialog(IDD_ABOUTBOX), m_link(shell, coloursKey, contrast)
    {
    }

    HWND Link() const { return GetDlgItem(IDC_HOME_LINK); }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_HOME_LINK, m_link); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_link.SetLinkText(HOME_PAGE_URL);
        m_link.SetLinkUrl(HOME_PAGE_URL);
        return TRUE;
    }

private:
    CHyperLink m_link;
};

// Runs the About box and calls `check` on its link once it is up.
void CheckLink(StandInShell& shell, const std::function<void(HWND)>& check)
{
    CAboutDlg about(shell);
    RunModal(about, {Do([&] {
        check(about.GetDlgItem(IDC_HOME_LINK));
        about.EndDialog(IDOK);
    })});
}

}  // namespace

TEST(HyperLink, CursorsAreTheHandsWithTheFingertipAsHotSpot)
{
    StandInShell shell;
    CheckLink(shell, [&](HWND link) {
        ::UpdateWindow(link);
        const TextMeasure text = Measure(link);
        const struct {
            const char* name;
            std::function<void()> show;
            CursorLook look;
        } cursors[] = {
            {"hand",
             [&] {
                 ::SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
             },
             HandLook(IDR_HAND_CURSOR)},
            {"hand down", [&] { Send(link, WM_LBUTTONDOWN, 2, text.middle); }, HandLook(IDR_HAND_DOWN_CURSOR)},
        };
        for (const auto& cursor : cursors) {
            ::SetCursor(nullptr);
            cursor.show();
            EXPECT_EQ(LookOf(::GetCursor()), cursor.look) << cursor.name;
            Send(link, WM_LBUTTONUP, text.hitRight, text.middle);
        }
        // Past the text, a press shows the system's own arrow.
        Send(link, WM_LBUTTONDOWN, text.hitRight, text.middle);
        EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_ARROW));
        Send(link, WM_LBUTTONUP, text.hitRight, text.middle);
        EXPECT_TRUE(shell.opened.empty());
    });
}

TEST(HyperLink, DrawsTheBrowsersColoursPlainHoveredAndVisitedUnderlinedOnlyWhileTheMouseRests)
{
    struct Value {
        const char* name;
        std::string text;
        DWORD type;
    };
    const struct {
        const char* name;
        bool hasKey;
        std::vector<Value> values;
        COLORREF link;
        COLORREF hover;
        COLORREF visited;
    } cases[] = {
        {"no key", false, {}, kDefaultLink, kDefaultHover, kDefaultVisited},
        // The hover colour follows the link colour; only the underline tells them apart.
        {"link colour", true, {{"Anchor Color", "0,128,0", REG_SZ}}, RGB(0, 128, 0), RGB(0, 128, 0), kDefaultVisited},
        // 32 bytes without a terminating zero are read; 32 characters and their zero are too long.
        {"full and too long", true,
         {{"Anchor Color Visited", std::string("12, 34 ,56").append(22, ' '), REG_BINARY},
          {"Anchor Color", std::string("1,2,3").append(27, ' '), REG_SZ}},
         kDefaultLink, kDefaultHover, RGB(12, 34, 56)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScratchKey key;
        for (const Value& value : c.values)
            key.Set(value.name, value.text, value.type);
        StandInShell shell;
        LinkDialog dialog(shell, c.hasKey ? key.path.c_str() : "Software\\Vorlane tests\\no such key");
        RunModal(dialog, {Do([&] {
            const HWND link = dialog.Link();
            ::UpdateWindow(link);
            const TextMeasure text = Measure(link);
            const struct {
                const char* name;
                std::function<void()> action;
                COLORREF colour;
                bool underlined;
            } steps[] = {
                {"plain", [] {}, c.link, false},
                {"hovered", [&] { ::SendMessageA(link, WM_MOUSEHOVER, 0, 0); }, c.hover, true},
                {"left", [&] { ::SendMessageA(link, WM_MOUSELEAVE, 0, 0); }, c.link, false},
                {"visited", [&] { Click(link, 1, text.middle); }, c.visited, false},
                {"visited and hovered", [&] { ::SendMessageA(link, WM_MOUSEHOVER, 0, 0); }, c.visited, true},
            };
            for (const auto& step : steps) {
                step.action();
                const RenderedClient pixels = Rendered(link);
                const RenderedClient expected = ExpectedText(link, step.colour, step.underlined);
                const auto inColour = [&](COLORREF pixel) { return pixel == step.colour; };
                EXPECT_EQ(pixels.At(pixels.Width() - 1, 0), ::GetSysColor(COLOR_BTNFACE)) << step.name;
                EXPECT_GT(pixels.Count(step.colour), text.textRight / 2) << step.name;
                EXPECT_EQ(HasUnderline(pixels, step.colour, text.textRight), step.underlined) << step.name;
                // The text in the control's own font, where a static puts it.
                const RECT bounds = pixels.BoundsOf(inColour), expectedBounds = expected.BoundsOf(inColour);
                EXPECT_TRUE(::EqualRect(&bounds, &expectedBounds)) << step.name;
                EXPECT_EQ(pixels.Shape(inColour), expected.Shape(inColour)) << step.name;
            }
            EXPECT_EQ(shell.opened.size(), 1u);
            dialog.EndDialog(IDOK);
        })});
    }
}

TEST(HyperLink, ReadsItsColoursAgainWhenTheSystemsChangeAndInHighContrastTakesTheThemesLinkColour)
{
    const ScratchKey key;
    key.Set("Anchor Color", "0,128,0");
    StandInShell shell;
    StandInContrast contrast;
    LinkDialog dialog(shell, key.path.c_str(), contrast);
    RunModal(dialog, {Do([&] {
        const HWND link = dialog.Link();
        EXPECT_EQ(TextColour(link), RGB(0, 128, 0));
        // The browser's colours changed: read again when the system says that its colours or its settings did.
        const struct {
            UINT message;
            const char* colour;
            COLORREF expected;
        } changes[] = {{WM_SETTINGCHANGE, "128,0,0", RGB(128, 0, 0)}, {WM_SYSCOLORCHANGE, "0,0,128", RGB(0, 0, 128)}};
        for (const auto& change : changes) {
            key.Set("Anchor Color", change.colour);
            dialog.SendMessage(change.message);
            EXPECT_EQ(TextColour(link), change.expected) << change.colour;
        }

        // A high-contrast theme, turned on with the box open: its colour for links, plain, hovered and
        // visited alike, on its face colour.
        contrast.on = true;
        const SystemColours theme({{COLOR_HOTLIGHT, RGB(255, 255, 0)}, {COLOR_BTNFACE, RGB(0, 0, 0)}});
        const TextMeasure text = Measure(link);
        const struct {
            const char* name;
            std::function<void()> action;
            bool underlined;
        } steps[] = {
            {"plain", [&] { ::SendMessageA(link, WM_MOUSELEAVE, 0, 0); }, false},
            {"hovered", [&] { ::SendMessageA(link, WM_MOUSEHOVER, 0, 0); }, true},
            {"visited", [&] { Click(link, 1, text.middle); ::SendMessageA(link, WM_MOUSELEAVE, 0, 0); }, false},
        };
        for (const auto& step : steps) {
            step.action();
            const RenderedClient pixels = Rendered(link);
            EXPECT_EQ(pixels.At(pixels.Width() - 1, 0), RGB(0, 0, 0)) << step.name;
            EXPECT_EQ(pixels.CommonestBesides(RGB(0, 0, 0)), RGB(255, 255, 0)) << step.name;
            EXPECT_GT(pixels.Count(RGB(255, 255, 0)), text.textRight / 2) << step.name;
            EXPECT_EQ(HasUnderline(pixels, RGB(255, 255, 0), text.textRight), step.underlined) << step.name;
        }
        EXPECT_EQ(shell.opened.size(), 1u);
        dialog.EndDialog(IDOK);
    })});
}

TEST(HyperLink, TakesOverTheStaticWithItsTextAndTooltip)
{
    StandInShell shell;
    CheckLink(shell, [&](HWND link) {
        EXPECT_NE(dynamic_cast<CHyperLink*>(CWnd::FromHandlePermanent(link)), nullptr);
        EXPECT_TRUE(::GetWindowLongA(link, GWL_STYLE) & SS_NOTIFY);
        EXPECT_EQ(WindowText(link), HOME_PAGE_URL);
        // Drawn too: the link draws the text it was given, not the template's.
        const COLORREF colour = TextColour(link);
        ASSERT_NE(colour, ::GetSysColor(COLOR_BTNFACE));
        const auto inColour = [&](COLORREF pixel) { return pixel == colour; };
        EXPECT_EQ(Rendered(link).Shape(inColour), ExpectedText(link, colour, false).Shape(inColour));

        const HWND tip = TipOf(link);
        ASSERT_NE(tip, nullptr);
        char tipText[80] = {};
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = tipText;
        ASSERT_TRUE(::SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)));
        ::SendMessageA(tip, TTM_GETTEXTA, sizeof tipText, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(tipText, "Home");
        RECT client;
        ::GetClientRect(link, &client);
        EXPECT_TRUE(::EqualRect(&tool.rect, &client));
        EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(tip, TTM_GETTIPTEXTCOLOR, 0, 0)), ::GetSysColor(COLOR_INFOTEXT));
        EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(tip, TTM_GETTIPBKCOLOR, 0, 0)), ::GetSysColor(COLOR_INFOBK));
    });
}

TEST(HyperLink, TheRealMouseRestingOnTheLinkHoversAndShowsTheTip)
{
    StandInShell shell;
    CAboutDlg about(shell);
    HWND link = nullptr;
    COLORREF hover = 0;
    int textWidth = 0;
    RECT window{};
    const auto underlined = [&] { return HasUnderline(Rendered(link), hover, textWidth); };
    RunModal(about, {
        Do([&] {
            link = about.GetDlgItem(IDC_HOME_LINK);
            textWidth = Measure(link).textRight;
            // The hover colour, learnt from a hover sent by hand.
            ::SendMessageA(link, WM_MOUSEHOVER, 0, 0);
            hover = CommonestColour(link);
            ASSERT_TRUE(underlined());
            ::SendMessageA(link, WM_MOUSELEAVE, 0, 0);
            ASSERT_FALSE(underlined());
            ::GetWindowRect(link, &window);
            MoveMouseTo(window.left + 5, (window.top + window.bottom) / 2);
        }),
        underlined,
        [&] { return ::IsWindowVisible(TipOf(link)) != FALSE; },
        Do([&] { MoveMouseTo(window.right + 200, window.bottom + 200); }),
        [&] { return !underlined(); },
        Do([&] { about.EndDialog(IDOK); }),
    });
}

TEST(HyperLink, AReleaseOnTheTextOpensTheUrlOnceInANormalWindow)
{
    StandInShell shell;
    CAboutDlg about(shell);
    HWND link = nullptr;
    COLORREF unvisited = 0;
    RunModal(about, {
        Do([&] {
            link = about.GetDlgItem(IDC_HOME_LINK);
            ::UpdateWindow(link);
            const TextMeasure text = Measure(link);
            unvisited = TextColour(link);
            EXPECT_EQ(::SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                      TRUE);
            EXPECT_EQ(ShownCursor(), "hand");

            // Pressed and released just past the hit area, then pressed on the text and released past it.
            Send(link, WM_LBUTTONDOWN, text.hitRight, text.middle);
            EXPECT_EQ(ShownCursor(), "arrow");
            Send(link, WM_LBUTTONUP, text.hitRight, text.middle);
            EXPECT_EQ(ShownCursor(), "arrow");
            Send(link, WM_LBUTTONDOWN, 2, text.middle);
            EXPECT_EQ(ShownCursor(), "hand down");
            Send(link, WM_LBUTTONUP, text.hitRight + 3, text.middle);
            EXPECT_EQ(ShownCursor(), "arrow");
            EXPECT_TRUE(shell.opened.empty());
            EXPECT_EQ(TextColour(link), unvisited);

            // Just right of the last letter still counts; the static's own click notification opens nothing more.
            Click(link, text.hitRight - 1, text.middle);
            EXPECT_EQ(ShownCursor(), "hand");
        }),
        Pause(2),
        Do([&] {
            const StandInShell::Request expected{"open", HOME_PAGE_URL, SW_SHOWNORMAL};
            EXPECT_EQ(shell.opened, std::vector<StandInShell::Request>{expected});
            // Visited: drawn in another colour from now on.
            EXPECT_NE(TextColour(link), unvisited);
            about.EndDialog(IDOK);
        }),
    });
}

TEST(HyperLink, AFailedOpenLeavesTheLinkUnvisitedAndMovesPastTheTextShowTheArrow)
{
    StandInShell shell;
    shell.result = SE_ERR_NOASSOC;
    CheckLink(shell, [&](HWND link) {
        ::UpdateWindow(link);
        const TextMeasure text = Measure(link);
        const COLORREF unvisited = TextColour(link);
        Click(link, 1, text.middle);
        EXPECT_EQ(shell.opened.size(), 1u);
        EXPECT_EQ(TextColour(link), unvisited);

        // Before the hover the whole control shows the hand; after it, only the text does.
        ::SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        Send(link, WM_MOUSEMOVE, text.hitRight + 1, text.middle);
        EXPECT_EQ(ShownCursor(), "hand");
        ::SendMessageA(link, WM_MOUSEHOVER, 0, 0);
        Send(link, WM_MOUSEMOVE, text.textRight / 2, text.middle);
        EXPECT_EQ(ShownCursor(), "hand");
        Send(link, WM_MOUSEMOVE, text.hitRight + 1, text.middle);
        EXPECT_EQ(ShownCursor(), "arrow");
    });
}

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "app/VorlaneDlg.h"
#include "gui/DialogDriver.h"
#include "gui/MainDialogSteps.h"
#include "gui/Rendering.h"
#include "gui/SystemColours.h"
#include "gui/TestServices.h"
#include "res/HomePage.h"

namespace {

// The average character width of a fresh context's default font, which the logo's insets follow.
int DefaultFontAverageWidth()
{
    const HDC hdc = ::CreateCompatibleDC(nullptr);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(hdc, &metrics);
    ::DeleteDC(hdc);
    return metrics.tmAveCharWidth;
}

// Mostly the pure shade of `channel` (0 red, 1 green, 2 blue) over black: the letters' edges are smoothed.
std::function<bool(COLORREF)> Mostly(int channel)
{
    return [channel](COLORREF pixel) {
        const int values[] = {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
        for (int c = 0; c < 3; ++c) {
            if (c == channel ? values[c] < 100 : values[c] > 60)
                return false;
        }
        return true;
    };
}

}  // namespace

TEST(Logo, PaintsThreeShadesOfTheSystemColoursShiftedInTheBottomRightCornerOverWhatLiesBeneath)
{
    TestServices test;
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        Do([&] {
            // System colours far apart, to tell the passes from each other, set with the window open: the
            // logo takes its shades as it paints.
            const SystemColours colours({{COLOR_BTNSHADOW, RGB(220, 20, 20)},
                                         {COLOR_BTNHIGHLIGHT, RGB(0, 180, 0)},
                                         {COLOR_BTNFACE, RGB(0, 0, 180)}});
            const HWND logo = dlg.GetDlgItem(IDC_LOGO);
            ASSERT_NE(dynamic_cast<CLogoStatic*>(CWnd::FromHandlePermanent(logo)), nullptr);
            // The maker's name three times, in a bold Times New Roman 26 pixels high: the dark edge, the
            // light edge, then the face on top; each shade 20 away from its system colour, the shadow darker,
            // the highlight and the face lighter.
            const RecordedDrawing drawing(logo);
            const COLORREF shades[] = {RGB(200, 0, 0), RGB(20, 200, 20), RGB(20, 20, 200)};
            ASSERT_EQ(drawing.texts.size(), std::size(shades));
            for (size_t pass = 0; pass < std::size(shades); ++pass) {
                const RecordedDrawing::Text& text = drawing.texts[pass];
                EXPECT_EQ(text.text, L"Halvory") << pass;
                EXPECT_EQ(text.colour, shades[pass]) << pass;
                EXPECT_EQ(text.font.lfHeight, 26) << pass;
                EXPECT_EQ(text.font.lfWeight, FW_BOLD) << pass;
                EXPECT_STREQ(text.font.lfFaceName, L"Times New Roman") << pass;
            }

            const COLORREF beneath = RGB(0, 0, 0);
            const RenderedClient pixels(logo, beneath);
            const auto isDark = Mostly(0), isLight = Mostly(1), isFace = Mostly(2);
            const RECT dark = pixels.BoundsOf(isDark), light = pixels.BoundsOf(isLight), face = pixels.BoundsOf(isFace);
            for (const RECT& pass : {dark, light, face})
                ASSERT_FALSE(::IsRectEmpty(&pass));
            // The dark edge right of the letters, the light one left of them, the face on top of both.
            EXPECT_GT(dark.right, face.right);
            EXPECT_LT(light.left, face.left);
            EXPECT_LT(face.left, dark.left);
            const int faceCount = pixels.Count(isFace);
            EXPECT_GT(faceCount, pixels.Count(isDark));
            EXPECT_GT(faceCount, pixels.Count(isLight));
            EXPECT_NEAR(face.top, dark.top, 1);
            EXPECT_NEAR(face.bottom, dark.bottom, 1);

            // Near the bottom-right corner, not on its edges; nothing drawn but letters.
            EXPECT_LT(dark.right, pixels.Width());
            EXPECT_GT(dark.right, pixels.Width() - DefaultFontAverageWidth());
            EXPECT_LT(dark.bottom, pixels.Height());
            EXPECT_EQ(pixels.At(0, 0), beneath);
            EXPECT_EQ(pixels.At(pixels.Width() - 1, pixels.Height() - 1), beneath);
            EXPECT_EQ(pixels.At(pixels.Width() - 1, 0), beneath);

            // Painting again draws the same; erasing draws nothing.
            const RenderedClient again(logo, beneath);
            const RECT darkAgain = again.BoundsOf(isDark);
            EXPECT_TRUE(::EqualRect(&dark, &darkAgain));
            EXPECT_EQ(again.Count(isFace), faceCount);
            const RenderedClient erased(logo, beneath, WM_ERASEBKGND);
            EXPECT_EQ(erased.Count(beneath), erased.Width() * erased.Height());
        }),
        Close(dlg),
    });
}

TEST(Logo, AReleaseAnywhereOverItOpensTheHomePageOnce)
{
    TestServices test;
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        Do([&] {
            ::SendMessageA(dlg.GetDlgItem(IDC_LOGO), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            EXPECT_TRUE(test.shell.opened.empty());
            ::SendMessageA(dlg.GetDlgItem(IDC_LOGO), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }),
        Pause(2),
        Do([&] {
            const StandInShell::Request expected{"open", HOME_PAGE_URL, SW_SHOWNORMAL};
            EXPECT_EQ(test.shell.opened, std::vector<StandInShell::Request>{expected});
        }),
        Close(dlg),
    });
}

#include "controls/LogoStatic.h"

#include <algorithm>

#include "controls/Emboss.h"
#include "framework/DC.h"
#include "framework/Dpi.h"
#include "res/HomePage.h"

BEGIN_MESSAGE_MAP(CLogoStatic, CPaintedStatic)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CLogoStatic::CLogoStatic(Shell& shell, const ContrastSetting& contrast) : m_shell(shell), m_contrast(contrast) {}

void CLogoStatic::PreSubclassWindow()
{
    // 26 pixels at 96 DPI, growing with the scale, but never taller than
    // the control, whose height follows the dialog's font instead.
    RECT client;
    GetClientRect(&client);
    m_fontLogo.CreateFont(std::min<int>(ScaleForDpi(26), client.bottom), 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN | FIXED_PITCH,
                          "Times New Roman");
}

BOOL CLogoStatic::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CLogoStatic::PaintContent(CDC& dc)
{
    RECT client;
    GetClientRect(&client);
    // Measured in the context's own font: the insets follow the system's
    // font size, not the logo's.
    TEXTMETRICA metrics{};
    dc.GetTextMetrics(&metrics);
    const HGDIOBJ previousFont = dc.SelectObject(m_fontLogo);
    const int length = static_cast<int>(m_strLogoText.str().size());
    const SIZE extent = dc.GetTextExtent(m_strLogoText, length);
    const EmbossPasses passes =
        LogoPassRects(client.right, client.bottom, metrics.tmAveCharWidth, metrics.tmHeight, extent.cx, extent.cy);

    const EmbossShades shades = LogoShades({::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT),
                                            ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNTEXT)},
                                           m_contrast.HighContrast());
    dc.SetBkMode(TRANSPARENT);
    const COLORREF previousColour = dc.SetTextColor(shades.dark);
    const auto draw = [&](const PixelRect& pass) {
        RECT rect{pass.left, pass.top, pass.right, pass.bottom};
        dc.DrawText(m_strLogoText, length, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    };
    draw(passes.dark);
    dc.SetTextColor(shades.light);
    draw(passes.light);
    dc.SetTextColor(shades.face);
    draw(passes.face);
    dc.SelectObject(previousFont);
    dc.SetTextColor(previousColour);
}

void CLogoStatic::OnLButtonUp(UINT, POINT)
{
    m_shell.Open("open", HOME_PAGE_URL, SW_SHOWNORMAL);
    Default();
}

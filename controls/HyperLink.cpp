#include "controls/HyperLink.h"

#include "controls/ColourText.h"
#include "controls/LinkGeometry.h"
#include "framework/DC.h"
#include "framework/WinApp.h"
#include "res/resource.h"

namespace {

// The colours of a link where the browser settings name none.
constexpr COLORREF kDefaultLink = RGB(0, 0, 200);
constexpr COLORREF kDefaultHover = RGB(0, 0, 255);
constexpr COLORREF kDefaultVisited = RGB(5, 34, 143);

// The colour of a browser-settings value; false when the value is missing or
// longer than 32 bytes.
bool QueryColour(HKEY hKey, LPCSTR name, COLORREF& colour)
{
    char text[32] = {};
    DWORD size = sizeof text;
    if (::RegQueryValueExA(hKey, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return false;
    colour = ParseColourText(text, size);
    return true;
}

// A cursor of the program's own, 32 x 32 at any display scale, that its
// owner destroys.
HCURSOR LoadOwnCursor(UINT id)
{
    return static_cast<HCURSOR>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_CURSOR, 32, 32, 0));
}

}  // namespace

BEGIN_MESSAGE_MAP(CHyperLink, CPaintedStatic)
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSELEAVE()
    ON_WM_MOUSEHOVER()
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSystemChange)
    ON_MESSAGE(WM_SETTINGCHANGE, OnSystemChange)
END_MESSAGE_MAP()

CHyperLink::CHyperLink(Shell& shell, const char* coloursKey, const ContrastSetting& contrast)
    : m_shell(shell), m_coloursKey(coloursKey), m_contrast(contrast)
{
    ReadColours();
}

CHyperLink::~CHyperLink()
{
    if (m_hHandCursor)
        ::DestroyCursor(m_hHandCursor);
    if (m_hHandDownCursor)
        ::DestroyCursor(m_hHandDownCursor);
}

void CHyperLink::ReadColours()
{
    m_crLink = kDefaultLink;
    m_crHover = kDefaultHover;
    m_crVisited = kDefaultVisited;
    // Read access is all this needs, and all that a restricted account gets.
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, m_coloursKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    if (QueryColour(hKey, "Anchor Color", m_crLink))
        m_crHover = m_crLink;
    QueryColour(hKey, "Anchor Color Visited", m_crVisited);
    ::RegCloseKey(hKey);
}

void CHyperLink::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    if (GetWindowText().IsEmpty())
        SetWindowText(m_strLinkText);

    LOGFONTA font{};
    ::GetObjectA(GetFont(), sizeof font, &font);
    m_fontNormal.CreateFontIndirect(&font);
    font.lfUnderline = TRUE;
    m_fontUnderline.CreateFontIndirect(&font);

    m_hHandCursor = LoadOwnCursor(IDR_HAND_CURSOR);
    m_hHandDownCursor = LoadOwnCursor(IDR_HAND_DOWN_CURSOR);
    m_hArrowCursor = ::LoadCursorA(nullptr, IDC_ARROW);

    m_tip.Create(this, TTS_ALWAYSTIP);
    RECT client;
    GetClientRect(&client);
    m_tip.AddTool(this, "", client, kToolId);
    ColourTip();
    ::ShowWindow(m_tip, SW_HIDE);

    CPaintedStatic::PreSubclassWindow();
}

void CHyperLink::SetLinkText(const CString& text)
{
    m_strLinkText = text;
    if (m_hWnd)
        SetWindowText(m_strLinkText);
}

void CHyperLink::SetLinkUrl(const CString& url)
{
    m_strUrl = url;
}

void CHyperLink::SetTipText(LPCSTR text)
{
    m_tip.UpdateTipText(text, this, kToolId);
}

void CHyperLink::ColourTip() const
{
    // The tip takes the system's colours only once, when it is made.
    m_tip.SetTipBkColor(::GetSysColor(COLOR_INFOBK));
    m_tip.SetTipTextColor(::GetSysColor(COLOR_INFOTEXT));
}

LRESULT CHyperLink::OnSystemChange(WPARAM, LPARAM)
{
    ReadColours();
    if (m_tip.m_hWnd)
        ColourTip();
    RedrawWindow(RDW_INVALIDATE);
    return Default();
}

COLORREF CHyperLink::TextColour() const
{
    // A high-contrast theme has one colour for links, visited or not.
    if (m_contrast.HighContrast())
        return ::GetSysColor(COLOR_HOTLIGHT);
    return m_bVisited ? m_crVisited : m_bHover ? m_crHover : m_crLink;
}

BOOL CHyperLink::PreTranslateMessage(MSG* pMsg)
{
    // The tooltip learns of the mouse over its tool only through this relay.
    if (m_tip.m_hWnd)
        m_tip.RelayEvent(pMsg);
    return CPaintedStatic::PreTranslateMessage(pMsg);
}

void CHyperLink::OnMouseMove(UINT, POINT point)
{
    Default();
    if (!m_bHover) {
        // Asked again on every move until the hover arrives.
        TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, m_hWnd, 1};
        ::_TrackMouseEvent(&track);
    } else if (!::PtInRect(&m_rcLinkText, point)) {
        ::SetCursor(m_hArrowCursor);
    }
}

BOOL CHyperLink::OnSetCursor(CWnd*, UINT, UINT)
{
    // Beyond the text, the move that follows puts the arrow back.
    ::SetCursor(m_hHandCursor);
    return TRUE;
}

void CHyperLink::OnMouseHover(UINT, POINT)
{
    m_bHover = TRUE;
    RedrawWindow(RDW_INVALIDATE);
}

void CHyperLink::OnMouseLeave()
{
    m_bHover = FALSE;
    RedrawWindow(RDW_INVALIDATE);
}

void CHyperLink::OnLButtonDown(UINT, POINT point)
{
    ::SetCursor(::PtInRect(&m_rcLinkText, point) ? m_hHandDownCursor : m_hArrowCursor);
    Default();
}

void CHyperLink::OnLButtonUp(UINT, POINT point)
{
    if (::PtInRect(&m_rcLinkText, point)) {
        ::SetCursor(m_hHandCursor);
        if (m_shell.Open("open", m_strUrl, SW_SHOWNORMAL) > 32)
            m_bVisited = TRUE;
    } else {
        ::SetCursor(m_hArrowCursor);
    }
    Default();
}

// Drawn off-screen, then onto `target` in one transfer: the link does not
// flicker as it repaints on every hover and leave.
void CHyperLink::PaintContent(CDC& target)
{
    RECT client;
    GetClientRect(&client);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(target, client.right, client.bottom);
    CMemoryDC memory(target);
    const int saved = memory.SaveDC();
    memory.SelectObject(bitmap);
    memory.SetBkMode(TRANSPARENT);
    memory.SetTextColor(TextColour());
    memory.SelectObject(m_bHover ? m_fontUnderline : m_fontNormal);

    TEXTMETRICA metrics{};
    memory.GetTextMetrics(&metrics);
    const int length = static_cast<int>(m_strLinkText.str().size());
    const SIZE extent = memory.GetTextExtent(m_strLinkText, length);
    const PixelRect hit = LinkHitRect({client.left, client.top, client.right, client.bottom}, extent.cx,
                                      metrics.tmAveCharWidth);
    m_rcLinkText = {hit.left, hit.top, hit.right, hit.bottom};

    memory.FillRect(&client, CBrush(::GetSysColor(COLOR_BTNFACE)));
    memory.DrawText(m_strLinkText, length, &client, DT_SINGLELINE | DT_VCENTER);
    target.BitBlt(0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    memory.RestoreDC(saved);
}

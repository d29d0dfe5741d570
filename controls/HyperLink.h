#pragma once
#include <string>

#include "controls/Shell.h"
#include "framework/ContrastSetting.h"
#include "framework/Gdi.h"
#include "framework/PaintedStatic.h"
#include "framework/ToolTipCtrl.h"

// A static text control of a dialog made into a web link: painted in a link
// colour, underlined while the mouse rests on it, a hand cursor over its
// text, a tooltip, and its URL opened through the shell when the text is
// clicked. Attach it to the static by data exchange, then give it its text,
// URL and tooltip. Its colours are the browser's, read again whenever the
// system's colours or settings change; in a high-contrast theme, the
// theme's colour for links. The tip is in the system's tooltip colours.
class CHyperLink : public CPaintedStatic {
public:
    // Where the browser keeps the current user's link colours; tests read
    // theirs from a key of their own.
    static constexpr const char* kBrowserSettingsKey = "Software\\Microsoft\\Internet Explorer\\Settings";

    explicit CHyperLink(Shell& shell, const char* coloursKey = kBrowserSettingsKey,
                        const ContrastSetting& contrast = ContrastSetting::System());
    ~CHyperLink() override;

    void SetLinkText(const CString& text);
    void SetLinkUrl(const CString& url);
    void SetTipText(LPCSTR text);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    void PaintContent(CDC& target) override;
    void OnMouseMove(UINT nFlags, POINT point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    void OnMouseHover(UINT nFlags, POINT point);
    void OnMouseLeave();
    LRESULT OnSystemChange(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    static constexpr UINT_PTR kToolId = 1001;

    void ReadColours();
    void ColourTip() const;
    // The colour of the text as it stands now.
    COLORREF TextColour() const;

    Shell& m_shell;
    std::string m_coloursKey;
    const ContrastSetting& m_contrast;
    HCURSOR m_hHandCursor = nullptr;
    HCURSOR m_hHandDownCursor = nullptr;
    // The system's shared arrow: never destroyed here.
    HCURSOR m_hArrowCursor = nullptr;
    // The mouse rests on the control.
    BOOL m_bHover = FALSE;
    // The URL has been opened once; for as long as this object lives.
    BOOL m_bVisited = FALSE;
    // Where a click opens the link, in client coordinates; set by each paint.
    RECT m_rcLinkText{};
    CFont m_fontNormal;
    CFont m_fontUnderline;
    CToolTipCtrl m_tip;
    CString m_strLinkText;
    CString m_strUrl;
    COLORREF m_crHover;
    COLORREF m_crLink;
    COLORREF m_crVisited;
};

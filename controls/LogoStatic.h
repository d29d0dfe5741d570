#pragma once
#include "controls/Shell.h"
#include "framework/Gdi.h"
#include "framework/Static.h"

class CDC;

// The maker's name, embossed, in the bottom-right corner of a static control;
// a click on it opens the maker's home page. It draws only its letters, over
// whatever lies beneath.
class CLogoStatic : public CStatic {
public:
    explicit CLogoStatic(Shell& shell);

    CFont m_fontLogo;
    CString m_strLogoText = "Halvory";
    // The three shades, from the system colours of the moment it is made.
    COLORREF m_crLight;
    COLORREF m_crFace;
    COLORREF m_crDark;

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    void OnLButtonUp(UINT nFlags, POINT point);

    DECLARE_MESSAGE_MAP()

private:
    void Paint(const CDC& dc) const;

    Shell& m_shell;
};

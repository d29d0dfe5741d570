#pragma once
#include "controls/Shell.h"
#include "framework/ContrastSetting.h"
#include "framework/Gdi.h"
#include "framework/PaintedStatic.h"

// The maker's name, embossed, in the bottom-right corner of a static control;
// a click on it opens the maker's home page. It draws only its letters, over
// whatever lies beneath, in shades of the system's colours of the moment.
class CLogoStatic : public CPaintedStatic {
public:
    explicit CLogoStatic(Shell& shell, const ContrastSetting& contrast = ContrastSetting::System());

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void PaintContent(CDC& dc) override;
    void OnLButtonUp(UINT nFlags, POINT point);

    DECLARE_MESSAGE_MAP()

private:
    CFont m_fontLogo;
    CString m_strLogoText = "Halvory";
    Shell& m_shell;
    const ContrastSetting& m_contrast;
};

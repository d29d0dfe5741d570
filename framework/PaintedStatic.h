#pragma once
#include "framework/Static.h"

class CDC;

// A static control that draws its client area itself, with one function for
// the screen (WM_PAINT) and for a device context it is handed
// (WM_PRINTCLIENT): a bitmap that a test renders the control into shows what
// the screen shows.
class CPaintedStatic : public CStatic {
protected:
    virtual void PaintContent(CDC& dc) = 0;

    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);

    DECLARE_MESSAGE_MAP()
};

#pragma once
#include "framework/Wnd.h"

// Moves data between a dialog's controls and its members. The program only
// binds controls to member objects.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Attaches `rControl` to the dialog's control `nIDC` by subclassing it, the
// first time the dialog exchanges its data.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

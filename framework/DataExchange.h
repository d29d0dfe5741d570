#pragma once
#include "framework/Wnd.h"

// Ties a dialog's controls to its members. The program only binds controls
// to member objects, so there is no direction to the exchange.
class CDataExchange {
public:
    explicit CDataExchange(CWnd* pDlgWnd) : m_pDlgWnd(pDlgWnd) {}
    CWnd* m_pDlgWnd;
};

// Attaches `rControl` to the dialog's control `nIDC` by subclassing it, the
// first time the dialog exchanges its data.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

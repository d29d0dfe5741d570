#pragma once
#include "framework/Wnd.h"

// A tooltip window that this object creates and destroys. Each member is one
// message to the control.
class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle);
    // Adds tool `nIDTool` over `rect` of `pWnd`'s client area.
    BOOL AddTool(CWnd* pWnd, LPCSTR text, const RECT& rect, UINT_PTR nIDTool) const;
    void UpdateTipText(LPCSTR text, CWnd* pWnd, UINT_PTR nIDTool) const;
    // Shows the tooltip the mouse message `pMsg` calls for.
    void RelayEvent(MSG* pMsg) const { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg)); }
    void SetTipTextColor(COLORREF colour) const { SendMessage(TTM_SETTIPTEXTCOLOR, colour); }
    void SetTipBkColor(COLORREF colour) const { SendMessage(TTM_SETTIPBKCOLOR, colour); }
};

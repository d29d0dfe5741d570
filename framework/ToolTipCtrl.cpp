#include "framework/ToolTipCtrl.h"

#include "framework/WinApp.h"

CToolTipCtrl::~CToolTipCtrl()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    const HWND hWnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->m_hWnd, nullptr,
                                        AfxGetResourceHandle(), nullptr);
    // Attached like any window of ours, so that a tooltip destroyed with its
    // owner lets go of this object too.
    return SubclassWindow(hWnd);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR text, const RECT& rect, UINT_PTR nIDTool) const
{
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = pWnd->m_hWnd;
    tool.uId = nIDTool;
    tool.rect = rect;
    tool.lpszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)));
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* pWnd, UINT_PTR nIDTool) const
{
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = pWnd->m_hWnd;
    tool.uId = nIDTool;
    tool.lpszText = const_cast<LPSTR>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

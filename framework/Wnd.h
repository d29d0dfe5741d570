#pragma once
#include "framework/Afx.h"
#include "framework/CmdTarget.h"
#include "framework/MessageMap.h"
#include "framework/String.h"

// A window of ours. It is attached to its HWND by subclassing: from then on
// every message goes through WindowProc, which reflects child notifications,
// then consults the message map, then calls the window's previous procedure.
class CWnd : public CCmdTarget {
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    ~CWnd() override;

    operator HWND() const { return m_hWnd; }

    // The object attached to `hWnd` on this thread, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Called for each message on its way from the queue to a window of this
    // one's family, child first; true stops the message there.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    HMENU GetSystemMenu(BOOL bRevert) const { return ::GetSystemMenu(m_hWnd, bRevert); }
    void SetRedraw(BOOL bRedraw) const { SendMessage(WM_SETREDRAW, bRedraw); }
    BOOL RedrawWindow(UINT flags) const { return ::RedrawWindow(m_hWnd, nullptr, nullptr, flags); }
    BOOL ShowScrollBar(UINT nBar, BOOL bShow) const { return ::ShowScrollBar(m_hWnd, nBar, bShow); }
    CString GetWindowText() const;
    BOOL SetWindowText(LPCSTR text) const { return ::SetWindowTextA(m_hWnd, text); }
    void ModifyStyle(DWORD remove, DWORD add) const
    {
        ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>((GetStyle() & ~remove) | add));
    }
    int MessageBox(LPCSTR text, LPCSTR caption, UINT type = MB_OK) const
    {
        return ::MessageBoxA(m_hWnd, text, caption, type);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) const
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon, reinterpret_cast<LPARAM>(hIcon)));
    }
    static HWND GetFocus() { return ::GetFocus(); }

protected:
    // Window-dependent set-up of a control, right after it is attached.
    virtual void PreSubclassWindow() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // A notification this control sent to its parent, handed back to it;
    // true when the control handled it itself.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Default processing of the message being handled.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    void OnDestroy() { Default(); }

private:
    bool ReflectToChild(HWND hChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static LRESULT CALLBACK WindowProcThunk(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    const MSG* m_pCurrentMsg = nullptr;
};

// Turns a window's drawing off for as long as it lives; then on again, and
// the whole window is invalidated to be painted once.
class CRedrawSuspension {
public:
    explicit CRedrawSuspension(const CWnd& wnd) : m_wnd(wnd) { m_wnd.SetRedraw(FALSE); }
    ~CRedrawSuspension()
    {
        m_wnd.SetRedraw(TRUE);
        m_wnd.RedrawWindow(RDW_INVALIDATE);
    }
    CRedrawSuspension(const CRedrawSuspension&) = delete;
    CRedrawSuspension& operator=(const CRedrawSuspension&) = delete;

private:
    const CWnd& m_wnd;
};

// Offers `pMsg` to the PreTranslateMessage of every window of ours from its
// target up to its top-level window; true when one of them took it.
BOOL WalkPreTranslateTree(MSG* pMsg);

#include "framework/Wnd.h"

#include <unordered_map>
#include <utility>

namespace {

// A window of ours: its object, and the procedure that had the window before
// us. The object is null once it has let go of a window that someone else
// subclassed after us; the window then keeps passing through our procedure.
struct Subclass {
    CWnd* pWnd;
    WNDPROC pfnSuper;
};

// Windows belong to the thread that made them and all their messages arrive
// there, so each thread keeps its own map and nothing needs a lock.
std::unordered_map<HWND, Subclass>& HandleMap()
{
    thread_local std::unordered_map<HWND, Subclass> map;
    return map;
}

}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd)
        UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    const auto& map = HandleMap();
    const auto found = map.find(hWnd);
    return found == map.end() ? nullptr : found->second.pWnd;
}

// Subclassing replaces the window procedure in place. comctl32's
// SetWindowSubclass would be the platform's own way, but it finds its data
// through a window property on every message, which costs a round trip to
// the window server under Wine: filling the file list took 30 times longer.
BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd || HandleMap().count(hWnd))
        return FALSE;
    const auto pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcThunk)));
    if (!pfnSuper)
        return FALSE;
    HandleMap().emplace(hWnd, Subclass{this, pfnSuper});
    m_hWnd = hWnd;
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow()
{
    const HWND hWnd = std::exchange(m_hWnd, nullptr);
    auto& map = HandleMap();
    const auto found = map.find(hWnd);
    if (found == map.end())
        return hWnd;
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    if (current == WindowProcThunk) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.pfnSuper));
        map.erase(found);
    } else {
        found->second.pWnd = nullptr;
    }
    return hWnd;
}

CString CWnd::GetWindowText() const
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(m_hWnd)), '\0');
    const int copied = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()) + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return CString(std::move(text));
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_NOTIFY:
        if (ReflectToChild(reinterpret_cast<NMHDR*>(lParam)->hwndFrom, message, wParam, lParam, result))
            return result;
        break;
    case WM_DRAWITEM:
        if (ReflectToChild(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem, message, wParam, lParam, result))
            return result;
        break;
    case WM_MEASUREITEM:
        // A menu's items are measured by the menu's owner itself.
        if (const auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measure->CtlType != ODT_MENU &&
            ReflectToChild(::GetDlgItem(m_hWnd, static_cast<int>(measure->CtlID)), message, wParam, lParam, result))
            return result;
        break;
    default:
        break;
    }
    if (OnWndMsg(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::ReflectToChild(HWND hChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Only a direct child's notifications come back to it, so a message that
    // travels up through several of our windows is reflected once.
    CWnd* pChild = FromHandlePermanent(hChild);
    return pChild && ::GetParent(hChild) == m_hWnd && pChild->OnChildNotify(message, wParam, lParam, result);
}

bool CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(HandleMap().at(m_hWnd).pfnSuper, m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::WindowProcThunk(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& map = HandleMap();
    const auto found = map.find(hWnd);
    if (found == map.end())
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    const Subclass subclass = found->second;
    if (message == WM_NCDESTROY) {
        // The window's last message: hand it back as it was before us.
        map.erase(found);
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass.pfnSuper));
        if (subclass.pWnd)
            subclass.pWnd->m_hWnd = nullptr;
    }
    if (message == WM_NCDESTROY || !subclass.pWnd)
        return ::CallWindowProcA(subclass.pfnSuper, hWnd, message, wParam, lParam);
    CWnd* pWnd = subclass.pWnd;
    const MSG current{hWnd, message, wParam, lParam, 0, {}};
    const MSG* previous = std::exchange(pWnd->m_pCurrentMsg, &current);
    const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    pWnd->m_pCurrentMsg = previous;
    return result;
}

BOOL WalkPreTranslateTree(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd); pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

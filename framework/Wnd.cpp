#include "framework/Wnd.h"

#include <unordered_map>
#include <utility>

namespace {

// Windows belong to the thread that made them and all their messages arrive
// there, so each thread keeps its own map and nothing needs a lock.
std::unordered_map<HWND, CWnd*>& HandleMap()
{
    thread_local std::unordered_map<HWND, CWnd*> map;
    return map;
}

constexpr UINT_PTR kSubclassId = 1;

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
    return found == map.end() ? nullptr : found->second;
}

bool CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd || !HandleMap().emplace(hWnd, this).second)
        return false;
    m_hWnd = hWnd;
    return true;
}

void CWnd::Detach()
{
    HandleMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    if (!::SetWindowSubclass(hWnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        Detach();
        return FALSE;
    }
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow()
{
    const HWND hWnd = m_hWnd;
    ::RemoveWindowSubclass(hWnd, SubclassProc, kSubclassId);
    Detach();
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
    return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR refData)
{
    auto* pWnd = reinterpret_cast<CWnd*>(refData);
    if (message == WM_NCDESTROY) {
        const LRESULT result = ::DefSubclassProc(hWnd, message, wParam, lParam);
        pWnd->UnsubclassWindow();
        return result;
    }
    const MSG current{hWnd, message, wParam, lParam, 0, {}};
    const MSG* previous = std::exchange(pWnd->m_pCurrentMsg, &current);
    const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    pWnd->m_pCurrentMsg = previous;
    return result;
}

BOOL AfxWalkPreTranslateTree(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd); pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

#include "framework/GrowingLayout.h"

#include <algorithm>

namespace {

RECT ClientRectOf(HWND hControl, HWND hDialog)
{
    RECT rect;
    ::GetWindowRect(hControl, &rect);
    ::MapWindowPoints(nullptr, hDialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

void CGrowingLayout::Attach(HWND hDialog, int growingId)
{
    m_hDialog = hDialog;
    RECT client;
    ::GetClientRect(hDialog, &client);
    m_client = {client.right, client.bottom};
    RECT window;
    ::GetWindowRect(hDialog, &window);
    m_window = {window.right - window.left, window.bottom - window.top};
    const HWND hGrowing = ::GetDlgItem(hDialog, growingId);
    const RECT growing = ClientRectOf(hGrowing, hDialog);
    m_controls.clear();
    for (HWND hChild = ::GetWindow(hDialog, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const RECT rect = ClientRectOf(hChild, hDialog);
        m_controls.push_back({hChild, rect, hChild == hGrowing, hChild != hGrowing && rect.top >= growing.bottom});
    }
}

void CGrowingLayout::Resize() const
{
    if (!m_hDialog)
        return;
    RECT client;
    ::GetClientRect(m_hDialog, &client);
    // Never smaller than the template: a minimized dialog's client is empty.
    const int dx = std::max<int>(client.right - m_client.cx, 0);
    const int dy = std::max<int>(client.bottom - m_client.cy, 0);
    HDWP hPositions = ::BeginDeferWindowPos(static_cast<int>(m_controls.size()));
    for (const Placed& control : m_controls) {
        if (!control.grows && !control.movesDown)
            continue;
        const RECT& rect = control.rect;
        const int top = rect.top + (control.movesDown ? dy : 0);
        const int width = rect.right - rect.left + (control.grows ? dx : 0);
        const int height = rect.bottom - rect.top + (control.grows ? dy : 0);
        if (hPositions)
            hPositions = ::DeferWindowPos(hPositions, control.hWnd, nullptr, rect.left, top, width, height,
                                          SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (hPositions)
        ::EndDeferWindowPos(hPositions);
    // Controls that moved leave their old places to be painted over.
    ::InvalidateRect(m_hDialog, nullptr, TRUE);
}

void CGrowingLayout::LimitTracking(MINMAXINFO* pInfo) const
{
    if (!m_hDialog)
        return;
    pInfo->ptMinTrackSize = {m_window.cx, m_window.cy};
}

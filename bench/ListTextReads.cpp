#include "bench/ListTextReads.h"

#include <commctrl.h>

long ListTextReads::s_count = 0;

ListTextReads::ListTextReads()
{
    s_count = 0;
    m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, Watch, nullptr, ::GetCurrentThreadId());
}

ListTextReads::~ListTextReads()
{
    ::UnhookWindowsHookEx(m_hHook);
}

LRESULT CALLBACK ListTextReads::Watch(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        switch (sent.message) {
        case LVM_GETITEMTEXTA:
        case LVM_GETITEMTEXTW:
            ++s_count;
            break;
        case LVM_GETITEMA:
        case LVM_GETITEMW:
            // The mask sits at the same place in both kinds of item.
            if (reinterpret_cast<const LVITEMA*>(sent.lParam)->mask & LVIF_TEXT)
                ++s_count;
            break;
        case WM_NOTIFY: {
            const UINT notification = reinterpret_cast<const NMHDR*>(sent.lParam)->code;
            if (notification == LVN_GETDISPINFOA || notification == LVN_GETDISPINFOW)
                ++s_count;
            break;
        }
        default:
            break;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

#include "listview/CellTips.h"

void CCellTips::Create(CListCtrl& list, CutText cutText)
{
    m_pList = &list;
    m_cutText = std::move(cutText);
    m_tip.Create(&list, TTS_ALWAYSTIP | TTS_NOPREFIX);
    m_tip.AddTool(&list, "", RECT{}, kTool);
}

void CCellTips::Relay(MSG* pMsg)
{
    if (!m_tip.m_hWnd || pMsg->hwnd != m_pList->m_hWnd || pMsg->message < WM_MOUSEFIRST ||
        pMsg->message > WM_MOUSELAST)
        return;
    if (pMsg->message == WM_MOUSEMOVE) {
        LVHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam))};
        m_pList->SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iItem != m_row || hit.iSubItem != m_column) {
            m_row = hit.iItem;
            m_column = hit.iSubItem;
            m_text = m_row >= 0 ? m_cutText(m_row, m_column) : std::string();
            // The tool is the cell, so the tip shows beside it and goes
            // when the mouse leaves it.
            RECT cell{m_column == 0 ? LVIR_LABEL : LVIR_BOUNDS, m_column, 0, 0};
            if (m_row < 0 || !m_pList->SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(m_row),
                                                    reinterpret_cast<LPARAM>(&cell)))
                cell = RECT{};
            m_tip.SendMessage(TTM_POP);
            TOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = m_pList->m_hWnd;
            tool.uId = kTool;
            tool.rect = cell;
            m_tip.SendMessage(TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
            m_tip.UpdateTipText(m_text.c_str(), m_pList, kTool);
        }
    }
    m_tip.RelayEvent(pMsg);
}

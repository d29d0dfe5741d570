#pragma once
#include "framework/Wnd.h"

// A report-view list-view control. Each member is one message to the
// control; nothing is cached here. Its background follows the system's
// window colour (its dialog passes WM_SYSCOLORCHANGE on).
class CListCtrl : public CWnd {
public:
    int InsertColumn(int nCol, LPCSTR heading, int nFormat, int nWidth) const;
    BOOL GetItem(LVITEMA* pItem) const { return static_cast<BOOL>(SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(pItem))); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) const
    {
        return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), bPartialOK));
    }
    int GetHotItem() const { return static_cast<int>(SendMessage(LVM_GETHOTITEM)); }
    BOOL GetItemRect(int nItem, RECT* pRect, UINT nCode) const;
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const
    {
        return static_cast<BOOL>(SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn)));
    }
    int GetColumnWidth(int nCol) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol))); }
    BOOL SetColumnWidth(int nCol, int cx) const
    {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), MAKELPARAM(cx, 0)));
    }
    DWORD SetExtendedStyle(DWORD dwNewStyle) const
    {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
    }
    HWND GetHeaderCtrl() const { return GetDlgItem(0); }

protected:
    // Paints one row of an owner-drawn list.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    // Gives the height of an owner-drawn list's rows; the list asks when it
    // is made and whenever its position changes.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT OnSysColorChange(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};

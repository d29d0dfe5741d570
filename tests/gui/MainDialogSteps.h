#pragma once
// Steps and queries that the tests of the main dialog share.
#include "app/VorlaneDlg.h"
#include "gui/DialogDriver.h"
#include "res/resource.h"

inline HWND FileList(const CVorlaneDlg& dlg)
{
    return dlg.GetDlgItem(IDC_FILE_LIST);
}

// Whether the list shows the "working in background" arrow, as it does
// while the worker fills it.
inline bool Filling(const CVorlaneDlg& dlg)
{
    const HWND list = FileList(dlg);
    ::SendMessageA(list, WM_SETCURSOR, reinterpret_cast<WPARAM>(list), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor() == ::LoadCursorA(nullptr, IDC_APPSTARTING);
}

// The fill is over: the worker has ended and every row is in the list.
inline DialogStep FillDone(CVorlaneDlg& dlg)
{
    return [&dlg] { return !Filling(dlg); };
}

inline DialogStep Close(CVorlaneDlg& dlg)
{
    return Do([&dlg] { dlg.PostMessage(WM_COMMAND, IDCANCEL); });
}

inline int RowCount(HWND hList)
{
    return ListView_GetItemCount(hList);
}

inline void SetRowState(HWND hList, int row, UINT state, UINT mask)
{
    ListView_SetItemState(hList, row, state, mask);
}

#pragma once
// Steps and queries that the tests of the main dialog share.
#include "app/VorlaneDlg.h"
#include "gui/DialogDriver.h"
#include "res/resource.h"

// The fill is over: the worker has ended and every row is in the list.
inline DialogStep FillDone(CVorlaneDlg& dlg)
{
    return [&dlg] { return !dlg.IsFilling(); };
}

inline DialogStep Close(CVorlaneDlg& dlg)
{
    return Do([&dlg] { dlg.PostMessage(WM_COMMAND, IDCANCEL); });
}

inline HWND FileList(const CVorlaneDlg& dlg)
{
    return dlg.GetDlgItem(IDC_FILE_LIST);
}

inline int RowCount(HWND hList)
{
    return ListView_GetItemCount(hList);
}

inline void SetRowState(HWND hList, int row, UINT state, UINT mask)
{
    ListView_SetItemState(hList, row, state, mask);
}

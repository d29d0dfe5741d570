#pragma once
// Steps that the tests of the main dialog share.
#include "app/VorlaneDlg.h"
#include "gui/DialogDriver.h"

// The fill is over: the worker has ended and every row is in the list.
inline DialogStep FillDone(CVorlaneDlg& dlg)
{
    return [&dlg] { return dlg.m_pWorkerThread == nullptr; };
}

inline DialogStep Close(CVorlaneDlg& dlg)
{
    return Do([&dlg] { dlg.PostMessage(WM_COMMAND, IDCANCEL); });
}

#include "gui/InspectionSteps.h"

#include "gui/DialogDriver.h"
#include "res/resource.h"

std::string Fixture(const std::string& name)
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.rfind('\\') + 1) + name + ".dll";
}

std::string Text(CVorlaneDlg& dlg, int id)
{
    return WindowText(dlg.GetDlgItem(id));
}

void SetText(CVorlaneDlg& dlg, int id, const char* text)
{
    ::SetWindowTextA(dlg.GetDlgItem(id), text);
}

void Press(CVorlaneDlg& dlg, int id)
{
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.GetDlgItem(id)));
}

void ClickRow(HWND hList, int row)
{
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageA(hList, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    const LPARAM at = MAKELPARAM(bounds.left + 100, (bounds.top + bounds.bottom) / 2);
    ::PostMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(hList, WM_LBUTTONUP, 0, at);
}

void NotifyClick(CVorlaneDlg& dlg, int row)
{
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = dlg.GetDlgItem(IDC_FILE_LIST);
    click.hdr.idFrom = IDC_FILE_LIST;
    click.hdr.code = NM_CLICK;
    click.iItem = row;
    dlg.SendMessage(WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
}

UINT State(HWND hList, int row)
{
    return static_cast<UINT>(::SendMessageA(hList, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                            LVIS_SELECTED | LVIS_FOCUSED));
}

namespace {

thread_local HWND t_boxOwner;
thread_local std::vector<MessageBoxSeen>* t_boxes;

BOOL CALLBACK AnswerIfMessageBox(HWND hWnd, LPARAM)
{
    if (::GetWindow(hWnd, GW_OWNER) != t_boxOwner || !::IsWindowVisible(hWnd))
        return TRUE;
    MessageBoxSeen box{WindowText(::GetDlgItem(hWnd, 0xFFFF)), WindowText(hWnd)};
    const HICON exclamation = ::LoadIconA(nullptr, IDI_EXCLAMATION);
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        box.exclamation |= reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0)) == exclamation;
    t_boxes->push_back(box);
    ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void CALLBACK AnswerMessageBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), AnswerIfMessageBox, 0);
}

}  // namespace

// Presses the button `id` and answers each message box it shows with OK.
std::vector<MessageBoxSeen> AnsweringBoxes(CWnd& dlg, const std::function<void()>& action)
{
    std::vector<MessageBoxSeen> boxes;
    t_boxOwner = dlg.m_hWnd;
    t_boxes = &boxes;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, AnswerMessageBoxes);
    action();
    ::KillTimer(nullptr, timer);
    return boxes;
}

std::vector<MessageBoxSeen> PressAnsweringBoxes(CVorlaneDlg& dlg, int id)
{
    return AnsweringBoxes(dlg, [&] { Press(dlg, id); });
}


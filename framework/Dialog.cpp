#include "framework/Dialog.h"

#include <utility>

#include "framework/WinApp.h"

namespace {

// The dialog whose window is being created on this thread: its window is
// subclassed at the first message it receives.
thread_local CDialog* t_pDialogInCreation = nullptr;

BOOL CALLBACK TellControl(HWND hControl, LPARAM pChange)
{
    const MSG& change = *reinterpret_cast<const MSG*>(pChange);
    ::SendMessageA(hControl, change.message, change.wParam, change.lParam);
    return TRUE;
}

}  // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.m_hWnd)
        rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_WM_INITDIALOG()
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
    ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

HWND CDialog::OwnerWindow() const
{
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    // Without a parent of its own a dialog is owned by the main window.
    const CWinApp* pApp = AfxGetApp();
    const CWnd* pMain = pApp ? pApp->m_pMainWnd : nullptr;
    return pMain && pMain != this ? pMain->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal()
{
    const HINSTANCE hInstance = AfxGetResourceHandle();
    const HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(m_nIDTemplate), RT_DIALOG);
    const HGLOBAL hTemplate = hResource ? ::LoadResource(hInstance, hResource) : nullptr;
    if (!hTemplate)
        return -1;

    const HWND hOwner = OwnerWindow();
    const bool disableOwner = hOwner && ::IsWindowEnabled(hOwner);
    if (disableOwner)
        ::EnableWindow(hOwner, FALSE);

    m_bModalEnded = false;
    m_nModalResult = -1;
    t_pDialogInCreation = this;
    const HWND hWnd = ::CreateDialogIndirectParamA(
        hInstance, static_cast<LPCDLGTEMPLATEA>(::LockResource(hTemplate)), hOwner, DialogProc,
        reinterpret_cast<LPARAM>(this));
    t_pDialogInCreation = nullptr;

    if (hWnd) {
        // A template without WS_VISIBLE is shown once it is initialised.
        if (!::IsWindowVisible(hWnd))
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }

    if (disableOwner)
        ::EnableWindow(hOwner, TRUE);
    if (m_hWnd) {
        // Hide first, so that activation returns to the owner, not elsewhere.
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (hOwner)
            ::SetActiveWindow(hOwner);
        ::DestroyWindow(m_hWnd);
    }
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    while (!m_bModalEnded) {
        MSG msg;
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Leave WM_QUIT for the loop that encloses this one.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got == -1)
            return;
        if (!WalkPreTranslateTree(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bModalEnded = true;
    // Wake the loop in case the call came from outside a message handler.
    PostMessage(WM_NULL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnInitDialog()
{
    CDataExchange dx(this);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::OnSysColorChange(WPARAM wParam, LPARAM lParam)
{
    TellControls(WM_SYSCOLORCHANGE, wParam, lParam);
    return Default();
}

LRESULT CDialog::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    TellControls(WM_SETTINGCHANGE, wParam, lParam);
    return Default();
}

void CDialog::TellControls(UINT message, WPARAM wParam, LPARAM lParam) const
{
    // Every window below the dialog, a list's header included.
    MSG change{m_hWnd, message, wParam, lParam, 0, {}};
    ::EnumChildWindows(m_hWnd, TellControl, reinterpret_cast<LPARAM>(&change));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    // Once subclassed, the dialog's messages are handled before they get
    // here; this procedure only catches the window as it is being created.
    if (FromHandlePermanent(hWnd) || !t_pDialogInCreation)
        return FALSE;
    CDialog* pDialog = std::exchange(t_pDialogInCreation, nullptr);
    pDialog->SubclassWindow(hWnd);
    return message == WM_INITDIALOG ? pDialog->OnInitDialog() : FALSE;
}

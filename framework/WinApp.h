#pragma once
#include "framework/Wnd.h"

// The application object. The program defines exactly one, as a global; the
// framework's entry point runs its InitInstance.
class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Does the application's work; a dialog-based application runs its
    // dialog here and returns FALSE, which ends the process.
    virtual BOOL InitInstance() { return FALSE; }

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();

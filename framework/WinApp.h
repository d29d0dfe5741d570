#pragma once
#include "framework/Wnd.h"

class DllLoader;

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
    // The process's exit code, asked for once InitInstance has returned.
    virtual int ExitInstance() { return 0; }

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
// What the entry point does: makes the process safe to run from any folder,
// prepares the common controls, runs the application object's InitInstance
// and returns its ExitInstance. `loader` reaches the system's DLLs.
int AfxWinMain(DllLoader& loader);
HINSTANCE AfxGetResourceHandle();

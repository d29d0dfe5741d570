#include "framework/WinApp.h"

#include <mbctype.h>

#include "framework/DllLoader.h"

namespace {

CWinApp* g_pApp = nullptr;

}  // namespace

CWinApp::CWinApp()
{
    g_pApp = this;
    // Multibyte text functions follow the system's ANSI code page.
    _setmbcp(_MB_CP_ANSI);
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetResourceHandle()
{
    return ::GetModuleHandleA(nullptr);
}

int AfxWinMain(DllLoader& loader)
{
    // Before any window or DLL: a program started from a Downloads folder
    // must not pick up a DLL that lies beside it.
    RestrictDllSearch(loader);
    // Ends the process at the first sign of a corrupted heap; Windows XP has
    // no such setting and refuses it.
    ::HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return 0;
    pApp->InitInstance();
    return pApp->ExitInstance();
}

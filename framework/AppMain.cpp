// The program's entry point: prepares the common controls and runs the
// application object's InitInstance.
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (CWinApp* pApp = AfxGetApp())
        pApp->InitInstance();
    return 0;
}

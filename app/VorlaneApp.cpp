#include "app/VorlaneApp.h"

#include "app/VorlaneDlg.h"

CVorlaneApp theApp;

BOOL CVorlaneApp::InitInstance()
{
    CVorlaneDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

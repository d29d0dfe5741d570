#pragma once
#include "framework/WinApp.h"

// Runs the main dialog and ends when it closes; from the command line,
// saves the list without a window.
class CVorlaneApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override { return m_nExitCode; }

private:
    int m_nExitCode = 0;
};

#pragma once
#include "framework/WinApp.h"

// Runs the main dialog and ends when it closes.
class CVorlaneApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

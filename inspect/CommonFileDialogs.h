#pragma once
#include "framework/Afx.h"

#include <commdlg.h>

// The platform's common open and save dialogs.
class CommonFileDialogs {
public:
    virtual ~CommonFileDialogs() = default;
    virtual BOOL GetOpenFileName(OPENFILENAMEA& record) = 0;
    virtual BOOL GetSaveFileName(OPENFILENAMEA& record) = 0;

    static CommonFileDialogs& System();
};

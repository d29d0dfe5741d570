#pragma once
#include "framework/Afx.h"

#include <commdlg.h>

// The platform's common open and save dialogs, in UTF-16: a file's name may
// hold characters that no ANSI code page has.
class CommonFileDialogs {
public:
    virtual ~CommonFileDialogs() = default;
    virtual BOOL GetOpenFileName(OPENFILENAMEW& record) = 0;
    virtual BOOL GetSaveFileName(OPENFILENAMEW& record) = 0;

    static CommonFileDialogs& System();
};

#pragma once
#include "framework/Afx.h"

struct CFileStatus {
    DWORD m_attribute = 0;
    ULONGLONG m_size = 0;
};

class CFile {
public:
    // True when `lpszFileName` names an existing file or folder; its
    // attributes and size go into `rStatus`.
    static BOOL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);
};

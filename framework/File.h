#pragma once
#include <string>

#include "framework/String.h"

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

// The full path of `path`, as the system resolves a relative path, a
// drive's current folder, "." and "..", and forward slashes; short (8.3)
// names are made long as far as the path exists. The path as given when the
// system cannot resolve it.
std::wstring FullPath(const std::wstring& path);

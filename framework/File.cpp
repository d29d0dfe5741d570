#include "framework/File.h"

#include <cstring>
#include <string>

namespace {

// Reserved names such as CON or NUL stand for devices wherever they are
// written; the system resolves them to \\.\NAME.
bool NamesDevice(LPCSTR path)
{
    const DWORD size = ::GetFullPathNameA(path, 0, nullptr, nullptr);
    if (size == 0)
        return false;
    std::string full(size, '\0');
    const DWORD length = ::GetFullPathNameA(path, size, full.data(), nullptr);
    return length < size && full.compare(0, 4, "\\\\.\\") == 0;
}

}  // namespace

BOOL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus)
{
    // A pattern names no one file: "?" or "*" would find some other one. The
    // edit controls also put "?" for characters outside the code page. A
    // device is no file either, though the search finds one.
    if (!lpszFileName || !*lpszFileName || std::strpbrk(lpszFileName, "*?") || NamesDevice(lpszFileName))
        return FALSE;
    WIN32_FIND_DATAA entry;
    const HANDLE hFind = ::FindFirstFileA(lpszFileName, &entry);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    ::FindClose(hFind);
    rStatus.m_attribute = entry.dwFileAttributes;
    rStatus.m_size = static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32 | entry.nFileSizeLow;
    return TRUE;
}

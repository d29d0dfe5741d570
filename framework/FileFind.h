#pragma once
#include "framework/Afx.h"
#include "framework/String.h"

// Steps through the entries that match a search pattern. After FindFile the
// first entry is pending; each FindNextFile makes the pending entry current
// and says whether another one follows it. When none does, EndError says
// whether the search ended or failed.
class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() { Close(); }

    BOOL FindFile(LPCSTR pattern);
    BOOL FindNextFile();
    void Close();
    // Once FindNextFile has said that no entry follows: 0 when the search
    // came to its end, else the system's error code that cut it short.
    DWORD EndError() const { return m_endError; }

    CString GetFileName() const { return m_current.cFileName; }
    BOOL MatchesMask(DWORD mask) const { return (m_current.dwFileAttributes & mask) != 0; }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    DWORD m_endError = 0;
    WIN32_FIND_DATAA m_current{};
    WIN32_FIND_DATAA m_pending{};
};

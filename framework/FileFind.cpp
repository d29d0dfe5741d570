#include "framework/FileFind.h"

BOOL CFileFind::FindFile(LPCSTR pattern)
{
    Close();
    m_endError = 0;
    m_hFind = ::FindFirstFileA(pattern, &m_pending);
    return m_hFind != INVALID_HANDLE_VALUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    m_current = m_pending;
    if (::FindNextFileA(m_hFind, &m_pending))
        return TRUE;
    const DWORD error = ::GetLastError();
    m_endError = error == ERROR_NO_MORE_FILES ? 0 : error;
    return FALSE;
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
}

#include "framework/FileFind.h"

BOOL CFileFind::FindFile(LPCSTR pattern)
{
    Close();
    m_hFind = ::FindFirstFileA(pattern, &m_pending);
    return m_hFind != INVALID_HANDLE_VALUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    m_current = m_pending;
    return ::FindNextFileA(m_hFind, &m_pending);
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
}

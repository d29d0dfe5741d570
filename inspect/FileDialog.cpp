#include "inspect/FileDialog.h"

// The record in its full form, with the fields after lpTemplateName.
static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEW) == 88);

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd* pParentWnd, CommonFileDialogs& dialogs)
    : m_ofn{}, m_bOpenFileDialog(bOpenFileDialog), m_szFileName{}, m_szFileTitle{}, m_dialogs(dialogs)
{
    if (lpszFileName)
        ::lstrcpynW(m_szFileName, lpszFileName, MAX_PATH);
    m_ofn.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    m_ofn.lpstrFilter = lpszFilter;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrDefExt = lpszDefExt;
}

int CFileDialog::RunModal()
{
    m_ofn.lStructSize = sizeof m_ofn;
    const BOOL chosen = m_bOpenFileDialog ? m_dialogs.GetOpenFileName(m_ofn) : m_dialogs.GetSaveFileName(m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

#pragma once
#include <string>

#include "framework/Wnd.h"
#include "inspect/CommonFileDialogs.h"

// The common open or save dialog, run once: the chosen path is kept in the
// object, which owns every buffer the dialog's record points to.
class CFileDialog {
public:
    // `lpszFilter` is the platform's list of description and pattern texts,
    // each zero-terminated, closed by an empty text.
    CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags, LPCWSTR lpszFilter,
                CWnd* pParentWnd, CommonFileDialogs& dialogs);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file; IDCANCEL when they cancelled or the
    // dialog failed.
    virtual int RunModal();
    std::wstring GetPathName() const { return m_ofn.lpstrFile; }

private:
    OPENFILENAMEW m_ofn;
    BOOL m_bOpenFileDialog;
    wchar_t m_szFileName[MAX_PATH];
    // Filled by the platform; nothing reads it.
    wchar_t m_szFileTitle[MAX_PATH];
    CommonFileDialogs& m_dialogs;
};

// The open dialog: a file to look at.
class COpenFileDialog : public CFileDialog {
public:
    COpenFileDialog(DWORD dwFlags, LPCWSTR lpszFilter, CWnd* pParentWnd,
                    CommonFileDialogs& dialogs = CommonFileDialogs::System())
        : CFileDialog(TRUE, nullptr, nullptr, dwFlags, lpszFilter, pParentWnd, dialogs)
    {
    }
};

// The save dialog: where a file goes, `lpszFileName` offered, `lpszDefExt`
// added to a name typed without an extension.
class CSaveFileDialog : public CFileDialog {
public:
    CSaveFileDialog(LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags, LPCWSTR lpszFilter, CWnd* pParentWnd,
                    CommonFileDialogs& dialogs = CommonFileDialogs::System())
        : CFileDialog(FALSE, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd, dialogs)
    {
    }
};

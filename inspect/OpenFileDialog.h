#pragma once
#include "framework/Wnd.h"
#include "inspect/CommonFileDialogs.h"

// The common open (or save) dialog, run once: the chosen path is kept in
// the object, which owns every buffer the dialog's record points to.
class COpenFileDialog {
public:
    // `lpszFilter` is the platform's list of description and pattern texts,
    // each zero-terminated, closed by an empty text.
    COpenFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
                    CWnd* pParentWnd, CommonFileDialogs& dialogs = CommonFileDialogs::System());
    virtual ~COpenFileDialog() = default;
    COpenFileDialog(const COpenFileDialog&) = delete;
    COpenFileDialog& operator=(const COpenFileDialog&) = delete;

    // IDOK when the user chose a file; IDCANCEL when they cancelled or the
    // dialog failed.
    virtual int RunModal();
    CString GetPathName() const { return m_ofn.lpstrFile; }

private:
    OPENFILENAMEA m_ofn;
    BOOL m_bOpenFileDialog;
    char m_szFileName[MAX_PATH];
    // Filled by the platform; nothing reads it.
    char m_szFileTitle[MAX_PATH];
    CommonFileDialogs& m_dialogs;
};

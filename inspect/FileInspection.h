#pragma once
#include <optional>
#include <string>

#include "framework/CmdTarget.h"
#include "framework/DataExchange.h"
#include "framework/Edit.h"
#include "framework/ListCtrl.h"
#include "framework/Static.h"

class CommonFileDialogs;
class FileProtection;
class FileSystemRedirection;
class RowModel;
class VersionSource;

// What the inspection asks of the platform.
struct InspectionServices {
    FileProtection& protection;
    VersionSource& versions;
    CommonFileDialogs& fileDialogs;
    // Off while a file is looked for: the file the user sees is the one the
    // 64-bit system names.
    FileSystemRedirection& redirection;
};

// The lower half of the main dialog: the File Properties group, which
// describes one file at a time, the name search over the file list and the
// single-file protection check. It owns the behaviour of their controls and
// what the search remembers between presses; the dialog binds the controls
// through it and hands it the commands (a command target of the dialog).
class CFileInspection : public CCmdTarget {
public:
    // `owner` is the dialog, which owns the message box and the open dialog;
    // `list` is the file list, which shows `rows`.
    CFileInspection(CWnd& owner, const CListCtrl& list, const RowModel& rows, InspectionServices services);

    // Binds the path and search edits and the two File Properties lines.
    void DoDataExchange(CDataExchange* pDX);

    // Shows the row's file; -1 stands for the hot row, any other negative
    // row empties the group.
    void ShowFileDetails(int nItem);
    // Puts `path` in the path field and checks it.
    void CheckPath(const std::string& path);
    // The same for a path in UTF-16; or, when the ANSI code page cannot
    // name the file, a message saying so, and no check of a look-alike.
    void CheckPath(const std::wstring& path);
    // Enter in the search field searches, in the path field checks; true
    // when `focus` is one of them.
    bool OnEnter(HWND focus);
    // Until the user asks about a file, the details line is the dialog's to
    // say how the enumeration stands; after that it shows files only.
    void ShowStatus(const std::string& text);

    // Whether the file at `path`, as the 64-bit system names it, exists.
    bool FileExists(const std::string& path) const;

protected:
    // Search, F3: finds the next row whose file name holds the search text.
    void OnSearch();
    // Browse: lets the user pick the file to check.
    void OnBrowse();
    // Check: tells whether the file in the path field is protected.
    void OnCheck();
    // Ctrl+F: puts the focus in the search field, its text selected.
    void OnFind();

    DECLARE_MESSAGE_MAP()

private:
    // The ANSI path that names the file at `path`; none, with a message
    // saying why, when the code page cannot name it.
    std::optional<std::string> AnsiPathOf(const std::wstring& path) const;

    void ShowCheckResult(const std::string& path, bool bProtected);
    // Fills both lines for the file at `path`: `title` and the version
    // summary when the file exists, `titleIfMissing` alone when it does not.
    void ShowFile(const std::string& path, const std::string& title, const std::string& titleIfMissing);

    CWnd& m_owner;
    const CListCtrl& m_list;
    const RowModel& m_rows;
    InspectionServices m_services;
    CEdit m_editCheckPath;
    CStatic m_staticFileName;
    CEdit m_editSearch;
    CStatic m_staticFileDetails;
    std::string m_strLastSearch;
    int m_nSearchStart = 0;
    int m_nSearchHit = -1;
    bool m_bShowingFiles = false;
};

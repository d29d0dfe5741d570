#pragma once
#include <string>

#include "framework/Wnd.h"
#include "scan/Enumeration.h"
#include "scan/ListState.h"

class CFileInspection;
class CTableListCtrl;
class Clipboard;
class CommonFileDialogs;
class RowModel;
class SaveFileSystem;
class Shell;
class SystemInfo;
class ThreadStarter;
class TrustService;

// What the list's commands ask of the platform.
struct ListCommandServices {
    Clipboard& clipboard;
    SaveFileSystem& files;
    CommonFileDialogs& fileDialogs;
    Shell& shell;
    SystemInfo& system;
    TrustService& trust;
    ThreadStarter& threads;
};

// The file list's shortcut menu and its commands: copy the selected row's
// path or every row, save the list as CSV, show the file in Explorer or its
// properties, check it, verify the signatures of every file, or compare
// them with a baseline. A command
// target of the dialog, which hands it the menu's commands.
class CListCommands : public CCmdTarget {
public:
    // `owner` is the dialog: it owns the menu, the save dialog and any
    // message box, and gets the menu's commands.
    CListCommands(CWnd& owner, const CTableListCtrl& list, const RowModel& rows, CFileInspection& inspection,
                  ListCommandServices services);

    // Shows the menu at `point` on the screen, or under the selected row
    // when the keyboard asked for it (-1, -1).
    void ShowMenu(POINT point);

    // The commands on the whole list wait while the list fills. While the
    // walk waits at the row limit, the menu offers to list all protected
    // files (ID_LIST_ALL, which the dialog handles).
    void SetListState(ListState state) { m_state = state; }
    ListState State() const { return m_state; }
    // The listing has ended as `outcome` says. A comparison with a baseline
    // waits until it has reached its end, neither at the row limit nor by
    // the service's failure: a list cut short would show the files it lacks
    // as removed. The files of folders that could not be listed are not
    // compared.
    void SetListEnded(const ListingOutcome& outcome)
    {
        m_state = EndedListState(outcome);
        m_unlistedFolders = outcome.unlistedFolders;
    }

    // Copy path, and Ctrl+C in the list.
    void CopyPath();

protected:
    void CopyAllRows();
    void SaveList();
    void OpenContainingFolder();
    void ShowProperties();
    void CheckFile();
    // Opens the Verify Signatures dialog on every row.
    void VerifySignatures();
    // Asks for a baseline file, then opens the Compare with Baseline dialog
    // on every row.
    void CompareWithBaseline();

    DECLARE_MESSAGE_MAP()

private:
    // The selected row's path; empty without a selected row.
    std::string SelectedPath() const;
    // The list is what it will be, or waits at the row limit.
    bool ListComplete() const { return m_state != ListState::Filling; }
    bool ListReachedTheEnd() const { return m_state == ListState::ReachedTheEnd; }

    CWnd& m_owner;
    const CTableListCtrl& m_list;
    const RowModel& m_rows;
    CFileInspection& m_inspection;
    ListCommandServices m_services;
    ListState m_state = ListState::Filling;
    std::vector<UnlistedFolder> m_unlistedFolders;
};

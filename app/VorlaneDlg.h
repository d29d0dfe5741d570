#pragma once
#include <chrono>
#include <memory>

#include "app/ListCommands.h"
#include "app/PlatformServices.h"
#include "controls/LogoStatic.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/GrowingLayout.h"
#include "framework/Handle.h"
#include "inspect/FileInspection.h"
#include "listview/FileListRows.h"
#include "listview/TableListCtrl.h"
#include "rows/RowModel.h"
#include "scan/RowQueue.h"

// The main window: the file list, filled by a worker thread while the dialog
// is in use, and below it the controls that inspect its files.
class CVorlaneDlg : public CDialog {
public:
    explicit CVorlaneDlg(CWnd* pParent = nullptr);
    explicit CVorlaneDlg(PlatformServices& services, CWnd* pParent = nullptr);
    ~CVorlaneDlg() override;

    // Rows go into the model a chunk at a time for at most one slice, then
    // the dialog serves the user before it takes more: it answers within a
    // slice and a chunk however fast rows come.
    static constexpr std::size_t kRowsPerChunk = 250;
    static constexpr std::chrono::milliseconds kFillSlice{15};
    // How long closing waits for the worker to stop. A worker held up in a
    // service call for longer is left to end with the process.
    static constexpr DWORD kWorkerStopWaitMs = 1000;

    // Checks the file at `path`, when not empty, as soon as the dialog is
    // open, as if typed in the path field and Check pressed; or says that
    // it cannot, when the ANSI code page cannot hold the file's name.
    void CheckOnOpen(std::wstring path) { m_strCheckOnOpen = std::move(path); }
    // /all: the walk goes on past the row limit without asking. Else it
    // waits there, until the user asks to list all protected files.
    void ListAll(bool all) { m_bListAll = all; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnRowsReady(WPARAM, LPARAM);
    LRESULT OnCheckOnOpen(WPARAM, LPARAM);
    void OnClickFileList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnContextMenu(HWND hWnd, POINT point);
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* pInfo);
    void OnListAll();

    DECLARE_MESSAGE_MAP()

private:
    void CreateBoldFont();
    void StartWorker();
    // Moves waiting rows into the list for at most one slice.
    void FillSlice();
    // Says in the details line how far the enumeration has got.
    void ShowFillStatus();
    // The list as it stands once the walk has ended, or waits at the row
    // limit: fitted, its commands on, the status said.
    void ShowListEnded();
    // Asks the worker to stop and waits for it a bounded time.
    void StopWorker();

    PlatformServices& m_services;
    // The rows; the list, the lower half and the commands read them.
    RowModel m_model;
    FileListRows m_listRows;
    CTableListCtrl m_list;
    CLogoStatic m_logo;
    CFileInspection m_inspection;
    CListCommands m_commands;
    HICON m_hIcon;
    HACCEL m_hAccel;
    CFont m_fontBold;
    CGrowingLayout m_layout;
    // Set once the enumeration worker has ended; held while it runs, null
    // before and after.
    std::shared_ptr<CHandle> m_workerEnded;
    // Carries the rows from the worker, which may outlive the dialog.
    std::shared_ptr<RowQueue> m_queue;
    DWORD m_lastFillTick = 0;
    std::size_t m_lastSliceRows = 0;
    std::wstring m_strCheckOnOpen;
    bool m_bListAll = false;
};

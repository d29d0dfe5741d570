#pragma once
#include <chrono>
#include <memory>

#include "app/PlatformServices.h"
#include "controls/LogoStatic.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/Gdi.h"
#include "framework/Static.h"
#include "framework/WinThread.h"
#include "listview/FileListCtrl.h"
#include "res/resource.h"
#include "scan/EnumerationThreads.h"
#include "scan/RowQueue.h"

// The main window: the file list, filled by a worker thread while the dialog
// is in use, and the controls that inspect its files.
class CVorlaneDlg : public CDialog {
public:
    explicit CVorlaneDlg(CWnd* pParent = nullptr);
    explicit CVorlaneDlg(PlatformServices& services, CWnd* pParent = nullptr);
    ~CVorlaneDlg() override;

    // Rows go into the list a chunk at a time for at most one slice, then
    // the dialog serves the user before it takes more: it answers within a
    // slice and a chunk however fast rows come.
    static constexpr std::size_t kRowsPerChunk = 250;
    static constexpr std::chrono::milliseconds kFillSlice{15};
    // How long closing waits for the worker to stop. A worker held up in a
    // service call for longer is left to end with the process.
    static constexpr DWORD kWorkerStopWaitMs = 1000;

    CEdit m_editCheckPath;
    CStatic m_staticFileName;
    CEdit m_editSearch;
    CStatic m_staticFileDetails;
    CLogoStatic m_logo;
    CFileListCtrl m_list;
    HICON m_hIcon;
    CString m_strLastSearch;
    int m_nSearchStart = 0;
    int m_nSearchHit = -1;
    CFont m_fontBold;
    // The enumeration worker while it runs; null before and after.
    CWinThread* m_pWorkerThread = nullptr;

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
    void OnSearch();
    void OnClickFileList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBrowse();
    void OnCheck();

    // Shows the row's file in the File Properties group; -1 is the hot row.
    void ShowFileDetails(int nItem);
    void ShowCheckResult(CString path, BOOL bProtected);
    // The path to read the file at `path` by on this thread: under WOW64, a
    // file in System32 is read through Sysnative.
    std::string ReadablePath(const std::string& path) const;

    DECLARE_MESSAGE_MAP()

private:
    void CreateBoldFont();
    void StartWorker();
    // Moves waiting rows into the list for at most one slice.
    void FillSlice();
    // Asks the worker to stop and waits for it a bounded time.
    void StopWorker();
    void ReleaseWorker();

    PlatformServices& m_services;
    // Shared with the worker, which may outlive the dialog.
    std::shared_ptr<RowQueue> m_rows;
    DWORD m_lastFillTick = 0;
    std::size_t m_lastSliceRows = 0;
};

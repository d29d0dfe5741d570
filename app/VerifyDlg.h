#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/GrowingLayout.h"
#include "listview/TableListCtrl.h"
#include "scan/ListRow.h"
#include "verify/TrustService.h"

class Clipboard;
class CommonFileDialogs;
class SaveFileSystem;
class ThreadStarter;
class TrustService;
class VerificationJob;

// What the verification dialog asks of the platform.
struct VerifyServices {
    TrustService& trust;
    ThreadStarter& threads;
    Clipboard& clipboard;
    SaveFileSystem& files;
    CommonFileDialogs& fileDialogs;
};

// The Verify Signatures dialog: verifies the signature of every row's file
// on worker threads, shows how far it has got and what it found, and at the
// end lists the files that are anything but signed and trusted, and once
// stopped also the files it did not verify, to copy or save. Closing it, or
// the program, never waits for the workers: they are told to stop and
// finish on their own.
class CVerifyDlg : public CDialog {
public:
    // `rows` are the list's rows.
    CVerifyDlg(std::vector<ListRow> rows, VerifyServices services, CWnd* pParent = nullptr);
    ~CVerifyDlg() override;

    // The progress shown is brought up to date this often, at most.
    static constexpr UINT kProgressMs = 250;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnJobEnded(WPARAM, LPARAM);
    void OnStop();
    void OnCopy();
    void OnSave();
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* pInfo);

    DECLARE_MESSAGE_MAP()

private:
    void ShowProgress();
    void ShowResults();
    void StopJob();

    std::vector<ListRow> m_rows;
    // Once the job has ended: each row's result, empty for a file not
    // verified.
    std::vector<std::optional<FileVerification>> m_results;
    VerifyServices m_services;
    CTableListCtrl m_listResults;
    CGrowingLayout m_layout;
    // Shared with the workers, which may outlive the dialog.
    std::shared_ptr<VerificationJob> m_job;
};

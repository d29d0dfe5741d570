#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/GrowingLayout.h"
#include "listview/TableListCtrl.h"
#include "rows/TableRows.h"
#include "scan/ListRow.h"
#include "verify/TrustService.h"
#include "verify/VerificationJob.h"

class Clipboard;
class CommonFileDialogs;
class SaveFileSystem;
class ThreadStarter;
class TrustService;

// What the verification dialogs ask of the platform.
struct VerifyServices {
    TrustService& trust;
    ThreadStarter& threads;
    Clipboard& clipboard;
    SaveFileSystem& files;
    CommonFileDialogs& fileDialogs;
};

// A dialog that verifies the signature of every row's file on worker
// threads and shows how far it has got; at the end, what it found as a
// table, which its derived class fills, to copy or save in the order the
// list shows it. Closing it, or
// the program, never waits for the workers: they are told to stop and
// finish on their own. Its template has the controls IDC_VERIFY_*.
class CVerificationDlg : public CDialog {
public:
    ~CVerificationDlg() override;

    // The progress shown is brought up to date this often, at most.
    static constexpr UINT kProgressMs = 250;

protected:
    // `rows` are the list's rows; `table` is what the dialog's list shows, a
    // member of the derived class, read once the dialog has its window.
    CVerificationDlg(UINT nIDTemplate, std::vector<ListRow> rows, TableRows& table, VerifyServices services,
                     CWnd* pParent);

    // Once the job has ended, with Results() taken: fills the table, which
    // the list then shows, and says what was found.
    virtual void ShowResults(const VerificationProgress& progress) = 0;
    // What Save as... offers as the file's name, and saves there: 0, or the
    // system's error code.
    virtual const char* SaveFileName() const = 0;
    virtual unsigned Save(const std::wstring& path) = 0;

    const std::vector<ListRow>& Rows() const { return m_rows; }
    // Once the job has ended: each row's result, empty for a file not
    // verified.
    const std::vector<std::optional<FileVerification>>& Results() const { return m_results; }
    VerifyServices& Services() { return m_services; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnJobEnded(WPARAM, LPARAM);
    void OnCancelVerification();
    void OnCopy();
    void OnSave();
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* pInfo);

    DECLARE_MESSAGE_MAP()

private:
    void ShowProgress();
    void StopJob();

    std::vector<ListRow> m_rows;
    std::vector<std::optional<FileVerification>> m_results;
    VerifyServices m_services;
    TableRows& m_table;
    CTableListCtrl m_listResults;
    CGrowingLayout m_layout;
    // Shared with the workers, which may outlive the dialog.
    std::shared_ptr<VerificationJob> m_job;
};

#include "app/VerificationDlg.h"

#include "app/ExportPrompts.h"
#include "export/ListExport.h"
#include "platform/TextConversion.h"
#include "res/resource.h"
#include "verify/VerificationReport.h"

namespace {

// Posted by the job when its last worker has ended.
constexpr UINT WM_JOB_ENDED = WM_APP + 3;
constexpr UINT_PTR kProgressTimer = 1;

}  // namespace

BEGIN_MESSAGE_MAP(CVerificationDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_MESSAGE(WM_JOB_ENDED, OnJobEnded)
    ON_BN_CLICKED(IDC_VERIFY_CANCEL, OnCancelVerification)
    ON_BN_CLICKED(IDC_VERIFY_COPY, OnCopy)
    ON_BN_CLICKED(IDC_VERIFY_SAVE, OnSave)
END_MESSAGE_MAP()

CVerificationDlg::CVerificationDlg(UINT nIDTemplate, std::vector<ListRow> rows, TableRows& table,
                                   VerifyServices services, CWnd* pParent)
    : CDialog(nIDTemplate, pParent),
      m_rows(std::move(rows)),
      m_services(services),
      m_table(table),
      m_listResults(table)
{
}

CVerificationDlg::~CVerificationDlg()
{
    StopJob();
}

void CVerificationDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VERIFY_LIST, m_listResults);
}

BOOL CVerificationDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_listResults.InsertColumns();
    m_layout.Attach(m_hWnd, IDC_VERIFY_LIST);
    m_listResults.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    ::SendDlgItemMessageA(m_hWnd, IDC_VERIFY_PROGRESS, PBM_SETRANGE32, 0, static_cast<LPARAM>(m_rows.size()));
    for (const int id : {IDC_VERIFY_COPY, IDC_VERIFY_SAVE})
        ::EnableWindow(GetDlgItem(id), FALSE);

    // The wake-up names the window, not this object: it may come after the
    // dialog is gone, and then it just fails.
    const HWND hWnd = m_hWnd;
    std::vector<std::string> paths;
    paths.reserve(m_rows.size());
    for (const ListRow& row : m_rows)
        paths.push_back(row.path);
    m_job = VerificationJob::Start(std::move(paths), m_services.trust, m_services.threads,
                                   [hWnd] { ::PostMessageA(hWnd, WM_JOB_ENDED, 0, 0); });
    ShowProgress();
    ::SetTimer(m_hWnd, kProgressTimer, kProgressMs, nullptr);
    return TRUE;
}

void CVerificationDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kProgressTimer)
        ShowProgress();
    else
        Default();
}

void CVerificationDlg::ShowProgress()
{
    const VerificationProgress progress = m_job->Progress();
    ::SendDlgItemMessageA(m_hWnd, IDC_VERIFY_PROGRESS, PBM_SETPOS, progress.verified, 0);
    ::SetDlgItemTextA(m_hWnd, IDC_VERIFY_STATUS, VerificationStatus(progress).c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_VERIFY_COUNTS, VerificationCounts(progress).c_str());
}

LRESULT CVerificationDlg::OnJobEnded(WPARAM, LPARAM)
{
    ::KillTimer(m_hWnd, kProgressTimer);
    ShowProgress();
    m_results = m_job->TakeResults();
    ShowResults(m_job->Progress());
    m_listResults.ShowAllRows();
    ::EnableWindow(GetDlgItem(IDC_VERIFY_CANCEL), FALSE);
    for (const int id : {IDC_VERIFY_COPY, IDC_VERIFY_SAVE})
        ::EnableWindow(GetDlgItem(id), TRUE);
    return 0;
}

void CVerificationDlg::OnCancelVerification()
{
    m_job->RequestStop();
    ::EnableWindow(GetDlgItem(IDC_VERIFY_CANCEL), FALSE);
}

void CVerificationDlg::OnCopy()
{
    // The clipboard takes the program's ANSI text.
    const std::string copied = TabSeparatedLines(RecordsOf(m_table));
    CopyOrSayWhy(*this, m_services.clipboard, AnsiText(WideFromUtf8(copied).c_str()));
}

void CVerificationDlg::OnSave()
{
    SaveCsvAsked(*this, m_services.fileDialogs, SaveFileName(), "The results",
                 [this](const std::wstring& path) { return Save(path); });
}

void CVerificationDlg::StopJob()
{
    if (m_job)
        m_job->RequestStop();
    m_job.reset();
}

void CVerificationDlg::OnDestroy()
{
    ::KillTimer(m_hWnd, kProgressTimer);
    StopJob();
    CWnd::OnDestroy();
}

void CVerificationDlg::OnSize(UINT, int, int)
{
    m_layout.Resize();
    if (m_listResults.m_hWnd)
        m_listResults.FitColumns();
}

void CVerificationDlg::OnGetMinMaxInfo(MINMAXINFO* pInfo)
{
    m_layout.LimitTracking(pInfo);
}

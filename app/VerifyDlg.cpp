#include "app/VerifyDlg.h"

#include "app/ExportPrompts.h"
#include "export/ListFile.h"
#include "platform/TextConversion.h"
#include "res/resource.h"
#include "scan/ProtectedFileScanner.h"
#include "verify/VerificationReport.h"

BEGIN_MESSAGE_MAP(CVerifyDlg, CVerificationDlg)
    ON_BN_CLICKED(IDC_VERIFY_SAVE_BASELINE, OnSaveBaseline)
END_MESSAGE_MAP()

CVerifyDlg::CVerifyDlg(std::vector<ListRow> rows, VerifyServices services, bool wholeList, CWnd* pParent)
    : CVerificationDlg(IDD_VERIFY, std::move(rows), m_table, services, pParent), m_bWholeList(wholeList)
{
}

BOOL CVerifyDlg::OnInitDialog()
{
    CVerificationDlg::OnInitDialog();
    ::EnableWindow(GetDlgItem(IDC_VERIFY_SAVE_BASELINE), FALSE);
    return TRUE;
}

void CVerifyDlg::ShowResults(const VerificationProgress& progress)
{
    m_table.SetRows(ReportedFiles(VerifiedFiles(Rows(), Results())));
    // A baseline holds every file's result.
    ::EnableWindow(GetDlgItem(IDC_VERIFY_SAVE_BASELINE), !progress.Partial());
}

unsigned CVerifyDlg::Save(const std::wstring& path)
{
    return SaveTable<VerifiedFile>(Services().files, path, VerifiedFileColumns(), m_table.Rows(), Utf8Text);
}

void CVerifyDlg::OnSaveBaseline()
{
    if (!m_bWholeList) {
        const std::string message =
            "This list is not every protected file, and compared with a baseline saved from it, the files it "
            "lacks would show as added.\r\n\r\nFor a baseline, list all protected files first (List all "
            "protected files, in the list's menu while the list stops at " +
            std::to_string(CProtectedFileScanner::kMaxRows) + " files), then verify them.";
        MessageBox(message.c_str(), "Vorlane", MB_ICONINFORMATION);
        return;
    }
    SaveCsvAsked(*this, Services().fileDialogs, "baseline.csv", "The baseline", [this](const std::wstring& path) {
        return SaveTable<VerifiedFile>(Services().files, path, VerifiedFileColumns(), VerifiedFiles(Rows(), Results()),
                                       Utf8Text);
    });
}

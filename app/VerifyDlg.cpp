#include "app/VerifyDlg.h"

#include <map>

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
    : CVerificationDlg(IDD_VERIFY, std::move(rows), services, pParent), m_bWholeList(wholeList)
{
}

BOOL CVerifyDlg::OnInitDialog()
{
    CVerificationDlg::OnInitDialog();
    ::EnableWindow(GetDlgItem(IDC_VERIFY_SAVE_BASELINE), FALSE);
    return TRUE;
}

std::vector<ColumnLayout> CVerifyDlg::Columns() const
{
    return LayoutsOf(ReportedFileColumns());
}

void CVerifyDlg::ShowResults(const VerificationProgress& progress)
{
    m_reported = ReportedFiles(VerifiedFiles(Rows(), Results()));
    ResultList().SetTable(RecordsOf<VerifiedFile>(ReportedFileColumns(), m_reported));
    // A baseline holds every file's result.
    ::EnableWindow(GetDlgItem(IDC_VERIFY_SAVE_BASELINE), !progress.Partial());
}

unsigned CVerifyDlg::Save(const std::wstring& path)
{
    // The list's records lead with their rows' numbers, which are unique.
    std::map<std::string, const VerifiedFile*> byNumber;
    for (const VerifiedFile& file : m_reported)
        byNumber.emplace(FormatRowNumber(file.row->number), &file);
    std::vector<VerifiedFile> shown;
    for (const std::vector<std::string>& record : ResultList().Table())
        shown.push_back(*byNumber.at(record.front()));
    return SaveTable<VerifiedFile>(Services().files, path, VerifiedFileColumns(), shown, Utf8Text);
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

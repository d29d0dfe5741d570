#include "app/CompareDlg.h"

#include "compare/ComparisonReport.h"
#include "compare/CurrentFiles.h"
#include "export/ListFile.h"
#include "platform/PathKey.h"
#include "platform/TextConversion.h"
#include "res/resource.h"
#include "verify/VerificationReport.h"

CCompareDlg::CCompareDlg(std::vector<ListRow> rows, BaselineInUse baseline,
                         std::vector<UnlistedFolder> unlistedFolders, VerifyServices services, CWnd* pParent)
    : CVerificationDlg(IDD_COMPARE, std::move(rows), services, pParent),
      m_baseline(std::move(baseline)),
      m_unlistedFolders(std::move(unlistedFolders))
{
}

std::vector<ColumnLayout> CCompareDlg::Columns() const
{
    return LayoutsOf(DifferenceColumns());
}

void CCompareDlg::ShowResults(const VerificationProgress& progress)
{
    m_current = CurrentFiles(VerifiedFiles(Rows(), Results()), Utf8Text);
    std::vector<std::string> unlisted;
    for (const UnlistedFolder& folder : m_unlistedFolders)
        unlisted.push_back(Utf8Text(folder.path));
    const Comparison comparison = Compare(m_baseline.baseline, m_current, Utf8PathKey, unlisted);
    m_report = RecordsOf<Difference>(DifferenceColumns(), comparison.differences);
    // The list shows ANSI text, as the rest of the program does.
    CTableListCtrl::Records shown = m_report;
    for (Record& record : shown) {
        for (std::string& field : record)
            field = AnsiText(WideFromUtf8(field).c_str());
    }
    ResultList().SetTable(std::move(shown));
    ::SetDlgItemTextA(m_hWnd, IDC_VERIFY_STATUS,
                      ComparisonStatus(progress, m_baseline.baseline.files.size()).c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_VERIFY_COUNTS, ComparisonCounts(comparison).c_str());
}

unsigned CCompareDlg::Save(const std::wstring& path)
{
    return SaveCsv(Services().files, path, CsvHeaderOf(DifferenceColumns()), m_report);
}

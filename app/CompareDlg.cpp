#include "app/CompareDlg.h"

#include "compare/CurrentFiles.h"
#include "export/ListFile.h"
#include "platform/PathKey.h"
#include "platform/TextConversion.h"
#include "res/resource.h"
#include "verify/VerificationReport.h"

CCompareDlg::CCompareDlg(std::vector<ListRow> rows, BaselineInUse baseline,
                         std::vector<UnlistedFolder> unlistedFolders, VerifyServices services, CWnd* pParent)
    : CVerificationDlg(IDD_COMPARE, std::move(rows), m_table, services, pParent),
      m_baseline(std::move(baseline)),
      m_unlistedFolders(std::move(unlistedFolders))
{
}

void CCompareDlg::ShowResults(const VerificationProgress& progress)
{
    m_current = CurrentFiles(VerifiedFiles(Rows(), Results()), Utf8Text);
    std::vector<std::string> unlisted;
    for (const UnlistedFolder& folder : m_unlistedFolders)
        unlisted.push_back(Utf8Text(folder.path));
    Comparison comparison = Compare(m_baseline.baseline, m_current, Utf8PathKey, unlisted);
    ::SetDlgItemTextA(m_hWnd, IDC_VERIFY_STATUS,
                      ComparisonStatus(progress, m_baseline.baseline.files.size()).c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_VERIFY_COUNTS, ComparisonCounts(comparison).c_str());
    m_table.SetRows(std::move(comparison.differences));
}

unsigned CCompareDlg::Save(const std::wstring& path)
{
    return SaveTable<Difference>(Services().files, path, m_table.Schema(), m_table.Rows(), nullptr);
}

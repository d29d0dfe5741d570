#pragma once
#include "app/VerificationDlg.h"
#include "compare/BaselineFile.h"
#include "compare/Comparison.h"
#include "compare/ComparisonReport.h"
#include "rows/SchemaRows.h"
#include "scan/Enumeration.h"

// The Compare with Baseline dialog: verifies every row's file as the Verify
// Signatures dialog does, then lists how the files now differ from the
// baseline's, with the count of each kind of difference. A stopped
// comparison is partial: the baseline's files it did not reach read "Not
// compared (stopped)". Save as... writes the differences as /compare does,
// in the list's order. The baseline's file stays open while the dialog is:
// nothing saved meanwhile can take its place.
class CCompareDlg : public CVerificationDlg {
public:
    // `rows` are every protected file the walk could list, `baseline` what
    // they are compared with; the baseline's files in `unlistedFolders` are
    // not compared.
    CCompareDlg(std::vector<ListRow> rows, BaselineInUse baseline, std::vector<UnlistedFolder> unlistedFolders,
                VerifyServices services, CWnd* pParent = nullptr);

protected:
    void ShowResults(const VerificationProgress& progress) override;
    const char* SaveFileName() const override { return "comparison.csv"; }
    unsigned Save(const std::wstring& path) override;

private:
    BaselineInUse m_baseline;
    std::vector<UnlistedFolder> m_unlistedFolders;
    // What the differences point into, with the baseline.
    std::vector<CurrentFile> m_current;
    // The differences, already UTF-8.
    SchemaRows<Difference> m_table{DifferenceColumns(), nullptr};
};

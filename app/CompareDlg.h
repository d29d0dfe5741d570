#pragma once
#include "app/VerificationDlg.h"
#include "compare/BaselineReader.h"
#include "compare/Comparison.h"
#include "export/ListExport.h"

// The Compare with Baseline dialog: verifies every row's file as the Verify
// Signatures dialog does, then lists how the files now differ from the
// baseline's, with the count of each kind of difference. A stopped
// comparison is partial: the baseline's files it did not reach read "Not
// compared (stopped)". Save as... writes the differences as /compare does.
class CCompareDlg : public CVerificationDlg {
public:
    // `rows` are every protected file, `baseline` what they are compared with.
    CCompareDlg(std::vector<ListRow> rows, Baseline baseline, VerifyServices services, CWnd* pParent = nullptr);

protected:
    std::vector<ColumnLayout> Columns() const override;
    void ShowResults(const VerificationProgress& progress) override;
    const char* SaveFileName() const override { return "comparison.csv"; }
    unsigned Save(const std::wstring& path) override;

private:
    Baseline m_baseline;
    // What the differences point into, with the baseline.
    std::vector<CurrentFile> m_current;
    // The differences' records in UTF-8, in the order of their paths.
    std::vector<Record> m_report;
};

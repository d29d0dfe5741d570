#pragma once
#include "app/VerificationDlg.h"
#include "platform/TextConversion.h"
#include "rows/SchemaRows.h"
#include "verify/VerificationReport.h"

// The Verify Signatures dialog: at the end it lists the files that are
// anything but signed and trusted, and once stopped also the files it did
// not verify; Save as... writes them, in the list's order, with every
// column /verify writes. Once every file is verified, Save baseline...
// saves them all, as /verify does, for a comparison later.
class CVerifyDlg : public CVerificationDlg {
public:
    // `rows` are the list's rows; `wholeList` says that they are every
    // protected file, as a baseline must be.
    CVerifyDlg(std::vector<ListRow> rows, VerifyServices services, bool wholeList, CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void ShowResults(const VerificationProgress& progress) override;
    const char* SaveFileName() const override { return "signatures.csv"; }
    unsigned Save(const std::wstring& path) override;
    void OnSaveBaseline();

    DECLARE_MESSAGE_MAP()

private:
    bool m_bWholeList;
    // The files the list shows.
    SchemaRows<VerifiedFile> m_table{ReportedFileColumns(), Utf8Text};
};

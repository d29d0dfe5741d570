// The main dialog's File Properties group and the controls that fill it: a
// row click, the name search and the single-file check.
#include "app/VorlaneDlg.h"
#include "framework/File.h"
#include "inspect/NameSearch.h"
#include "inspect/OpenFileDialog.h"
#include "inspect/SystemCaseFolding.h"
#include "inspect/VersionSummary.h"
#include "scan/FileProtection.h"
#include "scan/PathText.h"

namespace {

// The File Path column of the list, row by row.
class ListPathRows final : public SearchableRows {
public:
    explicit ListPathRows(const CListCtrl& list) : m_list(list) {}

    int RowCount() override { return m_list.GetItemCount(); }
    void ReadPath(int row, std::string& path) override { path = m_list.GetItemText(row, 1).str(); }

private:
    const CListCtrl& m_list;
};

bool Exists(LPCSTR path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status) != FALSE;
}

}  // namespace

void CVorlaneDlg::OnClickFileList(NMHDR* pNMHDR, LRESULT* pResult)
{
    ShowFileDetails(reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem);
    *pResult = 0;
}

void CVorlaneDlg::ShowFileDetails(int nItem)
{
    const int row = nItem == -1 ? m_list.GetHotItem() : nItem;
    if (row < 0) {
        m_staticFileName.SetWindowText("");
        m_staticFileDetails.SetWindowText("");
        return;
    }
    const CString path = m_list.GetItemText(row, 1);
    const std::string name(FileNameOf(path.str()));
    if (!Exists(path)) {
        std::string sentence = "File ";
        sentence += name;
        sentence += " is not installed on the system";
        m_staticFileName.SetWindowText(sentence.c_str());
        m_staticFileDetails.SetWindowText("");
        return;
    }
    m_staticFileDetails.SetWindowText("");
    m_staticFileName.SetWindowText(name.c_str());
    if (const auto summary = FormatVersionSummary(m_services.versions, path.str()))
        m_staticFileDetails.SetWindowText(summary->c_str());
}

void CVorlaneDlg::OnSearch()
{
    ListPathRows rows(m_list);
    const auto match = SearchNext(m_editSearch.GetWindowText().str(),
                                  {m_strLastSearch.str(), m_nSearchStart, m_nSearchHit}, rows, SystemCaseFolding());
    if (!match)
        return;
    // Rows the user selected stay selected; only the last search's row is let go.
    if (match->previousHit != -1)
        m_list.SetItemState(match->previousHit, 0, LVIS_SELECTED);
    m_list.SetItemState(match->row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(match->row, FALSE);
    ShowFileDetails(match->row);
}

void CVorlaneDlg::OnBrowse()
{
    COpenFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "All files (*.*)\0*.*\0", this,
                           m_services.fileDialogs);
    if (dialog.RunModal() == IDOK)
        m_editCheckPath.SetWindowText(dialog.GetPathName());
}

void CVorlaneDlg::OnCheck()
{
    const CString path = m_editCheckPath.GetWindowText();
    if (path.IsEmpty())
        return;
    if (!Exists(path)) {
        MessageBox("Selected file does not exist.", "Vorlane", MB_ICONEXCLAMATION);
        return;
    }
    ShowCheckResult(path, m_services.protection.IsFileProtected(path.str()));
}

void CVorlaneDlg::ShowCheckResult(CString path, BOOL bProtected)
{
    m_staticFileName.SetWindowText("");
    m_staticFileDetails.SetWindowText("");
    std::string status(FileNameOf(path.str()));
    status += bProtected ? "   status: PROTECTED" : "   status: NOT PROTECTED";
    // The file may have gone since the check began.
    if (!Exists(path))
        return;
    m_staticFileDetails.SetWindowText("");
    m_staticFileName.SetWindowText(status.c_str());
    if (const auto summary = FormatVersionSummary(m_services.versions, path.str()))
        m_staticFileDetails.SetWindowText(summary->c_str());
}

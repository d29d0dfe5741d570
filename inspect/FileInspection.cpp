// The main dialog's File Properties group and the controls that fill it: a
// row click, the name search and the single-file check.
#include "app/VorlaneDlg.h"
#include "framework/File.h"
#include "inspect/NameSearch.h"
#include "inspect/OpenFileDialog.h"
#include "inspect/SystemCaseFolding.h"
#include "inspect/VersionSummary.h"
#include "inspect/SysnativePath.h"
#include "scan/FileProtection.h"
#include "scan/FileSystemRedirection.h"
#include "scan/PathText.h"
#include "scan/SystemInfo.h"
#include "scan/SystemLeadBytes.h"

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

bool Exists(const std::string& path)
{
    CFileStatus status;
    return CFile::GetStatus(path.c_str(), status) != FALSE;
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
    const std::string name(FileNameOf(path.str(), SystemLeadBytes()));
    const std::string readable = ReadablePath(path.str());
    if (!Exists(readable)) {
        std::string sentence = "File ";
        sentence += name;
        sentence += " is not installed on the system";
        m_staticFileName.SetWindowText(sentence.c_str());
        m_staticFileDetails.SetWindowText("");
        return;
    }
    m_staticFileDetails.SetWindowText("");
    m_staticFileName.SetWindowText(name.c_str());
    if (const auto summary = FormatVersionSummary(m_services.versions, readable))
        m_staticFileDetails.SetWindowText(summary->c_str());
}

std::string CVorlaneDlg::ReadablePath(const std::string& path) const
{
    if (!m_services.redirection.Active() || m_services.system.MajorVersion() < 6)
        return path;
    return SysnativePath(path, m_services.system.WindowsDirectory(), SystemCaseFolding());
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
    if (!Exists(ReadablePath(path.str()))) {
        MessageBox("Selected file does not exist.", "Vorlane", MB_ICONEXCLAMATION);
        return;
    }
    // The service is asked about the path as the user wrote it.
    ShowCheckResult(path, m_services.protection.IsFileProtected(path.str()));
}

void CVorlaneDlg::ShowCheckResult(CString path, BOOL bProtected)
{
    m_staticFileName.SetWindowText("");
    m_staticFileDetails.SetWindowText("");
    std::string status(FileNameOf(path.str(), SystemLeadBytes()));
    status += bProtected ? "   status: PROTECTED" : "   status: NOT PROTECTED";
    const std::string readable = ReadablePath(path.str());
    // The file may have gone since the check began.
    if (!Exists(readable))
        return;
    m_staticFileDetails.SetWindowText("");
    m_staticFileName.SetWindowText(status.c_str());
    if (const auto summary = FormatVersionSummary(m_services.versions, readable))
        m_staticFileDetails.SetWindowText(summary->c_str());
}

#include "inspect/FileInspection.h"

#include <utility>

#include "framework/File.h"
#include "inspect/NameSearch.h"
#include "inspect/FileDialog.h"
#include "platform/SystemCaseFolding.h"
#include "platform/TextConversion.h"
#include "inspect/VersionSummary.h"
#include "res/resource.h"
#include "rows/RowModel.h"
#include "scan/FileProtection.h"
#include "platform/FileSystemRedirection.h"
#include "platform/PathText.h"
#include "scan/ServiceErrorText.h"
#include "platform/SystemLeadBytes.h"

namespace {

bool Exists(const std::string& path)
{
    CFileStatus status;
    return CFile::GetStatus(path.c_str(), status) != FALSE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFileInspection, CCmdTarget)
    ON_BN_CLICKED(IDC_SEARCH, OnSearch)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_CHECK, OnCheck)
    ON_COMMAND(ID_FIND, OnFind)
    ON_COMMAND(ID_SEARCH_AGAIN, OnSearch)
END_MESSAGE_MAP()

CFileInspection::CFileInspection(CWnd& owner, const CListCtrl& list, const RowModel& rows,
                                 InspectionServices services)
    : m_owner(owner), m_list(list), m_rows(rows), m_services(std::move(services))
{
}

void CFileInspection::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_CHECK_PATH, m_editCheckPath);
    DDX_Control(pDX, IDC_FILE_NAME, m_staticFileName);
    DDX_Control(pDX, IDC_SEARCH_TEXT, m_editSearch);
    DDX_Control(pDX, IDC_FILE_DETAILS, m_staticFileDetails);
}

void CFileInspection::ShowFileDetails(int nItem)
{
    const int row = nItem == -1 ? m_list.GetHotItem() : nItem;
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.Count()) {
        ShowFile("", "", "");
        return;
    }
    const std::string path = m_rows.Path(static_cast<std::size_t>(row));
    const std::string name(FileNameOf(path, SystemLeadBytes()));
    ShowFile(path, name, "File " + name + " is not installed on the system");
}

void CFileInspection::OnSearch()
{
    ModelNames rows(m_rows);
    const auto match = SearchNext(m_editSearch.GetWindowText().str(), {m_strLastSearch, m_nSearchStart, m_nSearchHit},
                                  rows, SystemCaseFolding());
    if (!match)
        return;
    // Rows the user selected stay selected; only the last search's row is let go.
    if (match->previousHit != -1)
        m_list.SetItemState(match->previousHit, 0, LVIS_SELECTED);
    m_list.SetItemState(match->row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(match->row, FALSE);
    ShowFileDetails(match->row);
}

void CFileInspection::OnBrowse()
{
    COpenFileDialog dialog(OFN_HIDEREADONLY | OFN_NOCHANGEDIR, L"All files (*.*)\0*.*\0", &m_owner,
                           m_services.fileDialogs);
    if (dialog.RunModal() != IDOK)
        return;
    if (const std::optional<std::string> path = AnsiPathOf(dialog.GetPathName()))
        m_editCheckPath.SetWindowText(path->c_str());
}

std::optional<std::string> CFileInspection::AnsiPathOf(const std::wstring& path) const
{
    std::string ansi;
    if (ExactAnsi(path, ansi))
        return ansi;
    const std::wstring message = L"Vorlane cannot check " + path +
                                 L".\r\n\r\nIts name has characters that the language for non-Unicode programs, "
                                 L"which Vorlane is, does not have.";
    ::MessageBoxW(m_owner, message.c_str(), L"Vorlane", MB_ICONEXCLAMATION);
    return std::nullopt;
}

void CFileInspection::CheckPath(const std::wstring& path)
{
    if (const std::optional<std::string> ansi = AnsiPathOf(path))
        CheckPath(*ansi);
}

void CFileInspection::OnCheck()
{
    const std::string path = m_editCheckPath.GetWindowText().str();
    if (path.empty())
        return;
    if (!FileExists(path)) {
        m_owner.MessageBox("Selected file does not exist.", "Vorlane", MB_ICONEXCLAMATION);
        return;
    }
    if (const unsigned error = m_services.protection.ServiceError()) {
        const std::string message =
            "Vorlane could not check whether " + path + " is protected.\r\n\r\n" + ServiceErrorText(error);
        m_owner.MessageBox(message.c_str(), "Vorlane", MB_ICONEXCLAMATION);
        return;
    }
    // The service is asked about the path as the user wrote it.
    ShowCheckResult(path, m_services.protection.IsFileProtected(path));
}

void CFileInspection::CheckPath(const std::string& path)
{
    m_editCheckPath.SetWindowText(path.c_str());
    OnCheck();
}

bool CFileInspection::OnEnter(HWND focus)
{
    if (focus == m_editSearch.m_hWnd)
        OnSearch();
    else if (focus == m_editCheckPath.m_hWnd)
        OnCheck();
    else
        return false;
    return true;
}

void CFileInspection::OnFind()
{
    ::SetFocus(m_editSearch);
    m_editSearch.SendMessage(EM_SETSEL, 0, -1);
}

void CFileInspection::ShowStatus(const std::string& text)
{
    if (m_bShowingFiles)
        return;
    m_staticFileName.SetWindowText("");
    m_staticFileDetails.SetWindowText(text.c_str());
}

bool CFileInspection::FileExists(const std::string& path) const
{
    const RedirectionOff redirectionOff(m_services.redirection);
    return Exists(path);
}

void CFileInspection::ShowCheckResult(const std::string& path, bool bProtected)
{
    const std::string status = std::string(FileNameOf(path, SystemLeadBytes())) +
                               (bProtected ? "   status: PROTECTED" : "   status: NOT PROTECTED");
    // The file may have gone since the check began: then nothing is shown.
    ShowFile(path, status, "");
}

void CFileInspection::ShowFile(const std::string& path, const std::string& title, const std::string& titleIfMissing)
{
    m_bShowingFiles = true;
    std::string details;
    const bool exists = FileExists(path);
    if (exists) {
        if (const auto summary = FormatVersionSummary(m_services.versions, path))
            details = *summary;
    }
    m_staticFileName.SetWindowText(exists ? title.c_str() : titleIfMissing.c_str());
    m_staticFileDetails.SetWindowText(details.c_str());
}

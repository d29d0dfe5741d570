#include "app/ListCommands.h"

#include "compare/BaselineFile.h"
#include "app/CompareDlg.h"
#include "app/ExportPrompts.h"
#include "app/VerifyDlg.h"
#include "controls/Shell.h"
#include "export/ListExport.h"
#include "export/ListFile.h"
#include "framework/WinApp.h"
#include "inspect/FileDialog.h"
#include "inspect/FileInspection.h"
#include "listview/TableListCtrl.h"
#include "res/resource.h"
#include "rows/FileListColumns.h"
#include "rows/RowModel.h"
#include "platform/PathText.h"
#include "scan/SystemInfo.h"
#include "platform/SystemLeadBytes.h"
#include "platform/TextConversion.h"

namespace {

VerifyServices VerifyServicesOf(const ListCommandServices& services)
{
    return {services.trust, services.threads, services.clipboard, services.files, services.fileDialogs};
}

}  // namespace

BEGIN_MESSAGE_MAP(CListCommands, CCmdTarget)
    ON_COMMAND(ID_LIST_COPY_PATH, CopyPath)
    ON_COMMAND(ID_LIST_COPY_ALL, CopyAllRows)
    ON_COMMAND(ID_LIST_SAVE, SaveList)
    ON_COMMAND(ID_LIST_OPEN_FOLDER, OpenContainingFolder)
    ON_COMMAND(ID_LIST_PROPERTIES, ShowProperties)
    ON_COMMAND(ID_LIST_CHECK, CheckFile)
    ON_COMMAND(ID_LIST_VERIFY, VerifySignatures)
    ON_COMMAND(ID_LIST_COMPARE, CompareWithBaseline)
END_MESSAGE_MAP()

CListCommands::CListCommands(CWnd& owner, const CTableListCtrl& list, const RowModel& rows,
                             CFileInspection& inspection, ListCommandServices services)
    : m_owner(owner), m_list(list), m_rows(rows), m_inspection(inspection), m_services(services)
{
}

void CListCommands::ShowMenu(POINT point)
{
    const HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_LIST_MENU));
    if (!hMenu)
        return;
    const HMENU hPopup = ::GetSubMenu(hMenu, 0);
    const std::string path = SelectedPath();
    const bool hasRows = m_rows.Count() > 0;
    const auto enable = [hPopup](UINT id, bool enabled) {
        ::EnableMenuItem(hPopup, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    for (const UINT id : {ID_LIST_COPY_PATH, ID_LIST_PROPERTIES, ID_LIST_CHECK})
        enable(id, !path.empty());
    enable(ID_LIST_OPEN_FOLDER, !path.empty() && m_inspection.FileExists(path));
    // A list still filling would be taken for the whole one.
    enable(ID_LIST_COPY_ALL, hasRows && ListComplete());
    enable(ID_LIST_SAVE, hasRows && ListComplete());
    enable(ID_LIST_VERIFY, hasRows && ListComplete());
    enable(ID_LIST_COMPARE, hasRows && ListReachedTheEnd());
    if (m_state != ListState::WaitingAtLimit)
        ::DeleteMenu(hPopup, ID_LIST_ALL, MF_BYCOMMAND);

    if (point.x == -1 && point.y == -1) {
        // From the keyboard: under the row the commands act on, brought
        // into view first; at the list's corner without one.
        RECT place{LVIR_LABEL, 0, 0, 0};
        const int row = m_list.SelectedRow();
        if (row >= 0)
            m_list.EnsureVisible(row, FALSE);
        if (row < 0 || !m_list.GetItemRect(row, &place, LVIR_LABEL))
            place = RECT{};
        point = {place.left, place.bottom};
        ::ClientToScreen(m_list, &point);
    }
    ::TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, m_owner, nullptr);
    ::DestroyMenu(hMenu);
}

void CListCommands::CopyPath()
{
    const std::string path = SelectedPath();
    if (!path.empty())
        CopyOrSayWhy(m_owner, m_services.clipboard, path);
}

void CListCommands::CopyAllRows()
{
    if (ListComplete() && m_rows.Count() > 0)
        CopyOrSayWhy(m_owner, m_services.clipboard, TabSeparatedLines(RecordsOf<ListRow>(FileListColumns(), m_rows.Rows())));
}

void CListCommands::SaveList()
{
    if (!ListComplete() || m_rows.Count() == 0)
        return;
    SaveCsvAsked(m_owner, m_services.fileDialogs, "protected-files.csv", "The list",
                 [this](const std::wstring& path) {
                     return SaveTable<ListRow>(m_services.files, path, FileListColumns(), m_rows.Rows(), Utf8Text);
                 });
}

void CListCommands::OpenContainingFolder()
{
    const std::string path = SelectedPath();
    if (path.empty() || !m_inspection.FileExists(path))
        return;
    // Explorer by its full path: never a program of that name elsewhere.
    const std::string explorer = JoinPath(m_services.system.WindowsDirectory(), "explorer.exe", SystemLeadBytes());
    const std::string parameters = "/select,\"" + path + "\"";
    m_services.shell.Run(explorer.c_str(), parameters.c_str());
}

void CListCommands::ShowProperties()
{
    const std::string path = SelectedPath();
    if (!path.empty())
        m_services.shell.ShowProperties(path.c_str());
}

void CListCommands::CheckFile()
{
    const std::string path = SelectedPath();
    if (!path.empty())
        m_inspection.CheckPath(path);
}

void CListCommands::VerifySignatures()
{
    if (!ListComplete() || m_rows.Count() == 0)
        return;
    CVerifyDlg dialog(m_rows.Rows(), VerifyServicesOf(m_services), ListReachedTheEnd(), &m_owner);
    dialog.DoModal();
}

void CListCommands::CompareWithBaseline()
{
    if (!ListReachedTheEnd() || m_rows.Count() == 0)
        return;
    COpenFileDialog choose(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR, kBaselineFilter, &m_owner,
                           m_services.fileDialogs);
    if (choose.RunModal() != IDOK)
        return;
    BaselineInUse baseline;
    std::wstring failure;
    if (!LoadBaseline(choose.GetPathName(), baseline, failure)) {
        ::MessageBoxW(m_owner, failure.c_str(), L"Vorlane", MB_ICONEXCLAMATION);
        return;
    }
    CCompareDlg dialog(m_rows.Rows(), std::move(baseline), m_unlistedFolders, VerifyServicesOf(m_services),
                       &m_owner);
    dialog.DoModal();
}

std::string CListCommands::SelectedPath() const
{
    const int row = m_list.SelectedRow();
    return row < 0 || static_cast<std::size_t>(row) >= m_rows.Count() ? std::string()
                                                                     : m_rows.Path(static_cast<std::size_t>(row));
}

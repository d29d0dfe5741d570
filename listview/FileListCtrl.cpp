#include "listview/FileListCtrl.h"

#include <string>
#include <vector>

#include "framework/DC.h"
#include "framework/Dpi.h"
#include "framework/Gdi.h"
#include "framework/WaitCursor.h"
#include "listview/RowGeometry.h"
#include "rows/FileListColumns.h"
#include "rows/RowModel.h"
#include "platform/SystemLeadBytes.h"
#include "platform/TextConversion.h"

namespace {

// Air between a row's text and its edges, and how far the band reaches left
// of the row's label, at 96 DPI.
constexpr int kRowPaddingAt96 = 2;
constexpr int kBandInsetAt96 = 2;

PixelRect ToPixelRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

RECT ToRect(const PixelRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

UINT AlignmentOf(int columnFormat)
{
    switch (columnFormat & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

// A path too long for its column is cut in the middle, its file name kept
// in view; any other text at its end.
UINT EllipsisOf(int column)
{
    const TableSchema<ListRow> columns = FileListColumns();
    const bool path = column >= 0 && static_cast<std::size_t>(column) < columns.size() &&
                      columns[static_cast<std::size_t>(column)].layout.path;
    return path ? DT_PATH_ELLIPSIS : DT_END_ELLIPSIS;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFileListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMA, OnFindItem)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMW, OnFindItemW)
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_KEYUP, OnKeyUp)
END_MESSAGE_MAP()

CFileListCtrl::CFileListCtrl(RowModel& rows) : m_rows(rows) {}

void CFileListCtrl::InsertColumns()
{
    for (int index = 0; const TableColumn<ListRow>& column : FileListColumns())
        InsertColumn(index++, column.layout.heading, LVCFMT_LEFT, ScaleForDpi(column.layout.width));
}

int CFileListCtrl::FillingColumn()
{
    const TableSchema<ListRow> columns = FileListColumns();
    for (std::size_t index = 0; index < columns.size(); ++index) {
        if (columns[index].layout.fills)
            return static_cast<int>(index);
    }
    return 0;
}

int CFileListCtrl::GetColumnCount() const
{
    return static_cast<int>(::SendMessageA(GetHeaderCtrl(), HDM_GETITEMCOUNT, 0, 0));
}

void CFileListCtrl::FitColumnsToClient()
{
    const CRedrawSuspension noRedraw(*this);
    RECT client;
    GetClientRect(&client);
    const int clientWidth = client.right - client.left;
    int sumOfWidths = 0;
    for (int column = 0, count = GetColumnCount(); column < count; ++column)
        sumOfWidths += GetColumnWidth(column);
    if (sumOfWidths != clientWidth) {
        const int fills = FillingColumn();
        SetColumnWidth(fills, FittedPathColumnWidth(clientWidth, sumOfWidths, GetColumnWidth(fills)));
        ShowScrollBar(SB_HORZ, FALSE);
    }
}

void CFileListCtrl::ShowAppendedRows()
{
    // Only rows in view are painted: those above stay as they are.
    SendMessage(LVM_SETITEMCOUNT, m_rows.Count(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    const auto digits = FormatRowNumber(static_cast<std::uint32_t>(m_rows.Count())).size();
    if (digits > m_nNumberDigits) {
        m_nNumberDigits = digits;
        FitNumberColumn();
    }
}

void CFileListCtrl::FitNumberColumn()
{
    // 40 pixels hold "9999" but not "30001" in an 8-point font: the column
    // grows with the numbers, and the path column gives the room.
    const CClientDC dc(this);
    const HGDIOBJ previous = dc.SelectObject(GetFont());
    const std::string widest(m_nNumberDigits, '0');
    const int needed = NumberColumnWidth(GetColumnWidth(0), dc.GetTextExtent(widest.c_str(), static_cast<int>(widest.size())).cx,
                                         TextMargin(dc));
    dc.SelectObject(previous);
    if (needed != GetColumnWidth(0)) {
        SetColumnWidth(0, needed);
        FitColumnsToClient();
    }
}

int CFileListCtrl::SelectedRow() const
{
    const int focused = static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0 && SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(focused), LVIS_SELECTED))
        return focused;
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CFileListCtrl::SelectAll() const
{
    SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

void CFileListCtrl::SetWorking(bool working)
{
    m_bWorking = working;
    // Show the change at once when the mouse rests on the list.
    POINT mouse;
    if (::GetCursorPos(&mouse) && ::WindowFromPoint(mouse) == m_hWnd)
        SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

BOOL CFileListCtrl::OnSetCursor(CWnd*, UINT nHitTest, UINT)
{
    if (m_bWorking && nHitTest == HTCLIENT) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_APPSTARTING));
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

LRESULT CFileListCtrl::OnKeyUp(WPARAM key, LPARAM)
{
    // The Menu key asks for the shortcut menu as Shift+F10 does. Wine's
    // default handling does nothing with it, and Windows' would ask a
    // second time: the key stops here.
    if (key == VK_APPS) {
        SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(-1, -1));
        return 0;
    }
    return Default();
}

void CFileListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    {
        const CWaitCursor wait;
        SortRows(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem, m_bSortAscending);
    }
    m_bSortAscending = !m_bSortAscending;
    *pResult = 0;
}

void CFileListCtrl::SortRows(int column, BOOL ascending)
{
    const TableSchema<ListRow> columns = FileListColumns();
    if (column < 0 || static_cast<std::size_t>(column) >= columns.size())
        return;
    MoveMarks(m_rows.Sort(columns[static_cast<std::size_t>(column)].layout.sort, ascending != FALSE));
    RedrawWindow(RDW_INVALIDATE);
}

void CFileListCtrl::MoveMarks(const std::vector<int>& order) const
{
    std::vector<int> placeOf(order.size());
    for (std::size_t to = 0; to < order.size(); ++to)
        placeOf[static_cast<std::size_t>(order[to])] = static_cast<int>(to);
    const auto marked = [this](UINT which) {
        std::vector<int> rows;
        for (int row = -1; (row = static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(row), which))) >= 0;)
            rows.push_back(row);
        return rows;
    };
    // A selection of every row is the same in any order: it stays as it is.
    std::vector<int> selected = marked(LVNI_SELECTED);
    if (selected.size() == order.size())
        selected.clear();
    const std::vector<int> focused = marked(LVNI_FOCUSED);
    const int mark = static_cast<int>(SendMessage(LVM_GETSELECTIONMARK));
    // Only the marked rows lose their marks: Wine's list clears a mark from
    // every row one at a time, as slowly for one marked row as for all.
    for (const int row : selected)
        SetItemState(row, 0, LVIS_SELECTED);
    for (const int row : focused)
        SetItemState(row, 0, LVIS_FOCUSED);
    for (const int row : selected)
        SetItemState(placeOf[static_cast<std::size_t>(row)], LVIS_SELECTED, LVIS_SELECTED);
    for (const int row : focused)
        SetItemState(placeOf[static_cast<std::size_t>(row)], LVIS_FOCUSED, LVIS_FOCUSED);
    if (mark >= 0 && static_cast<std::size_t>(mark) < placeOf.size())
        SendMessage(LVM_SETSELECTIONMARK, 0, placeOf[static_cast<std::size_t>(mark)]);
}

std::string CFileListCtrl::CellText(int row, int column) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.Count())
        return {};
    const TableSchema<ListRow> columns = FileListColumns();
    if (column < 0 || static_cast<std::size_t>(column) >= columns.size())
        return {};
    return columns[static_cast<std::size_t>(column)].text(m_rows[static_cast<std::size_t>(row)]);
}

std::string CFileListCtrl::CutText(int row, int column) const
{
    std::string text = CellText(row, column);
    const CClientDC dc(this);
    const HGDIOBJ previous = dc.SelectObject(GetFont());
    const bool cut = dc.GetTextExtent(text.c_str(), static_cast<int>(text.size())).cx >
                     GetColumnWidth(column) - 2 * TextMargin(dc);
    dc.SelectObject(previous);
    return cut ? text : std::string();
}

BOOL CFileListCtrl::PreTranslateMessage(MSG* pMsg)
{
    m_tips.Relay(pMsg);
    return CListCtrl::PreTranslateMessage(pMsg);
}

void CFileListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        ::lstrcpynA(item.pszText, CellText(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
    *pResult = 0;
}

void CFileListCtrl::OnFindItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto& find = *reinterpret_cast<NMLVFINDITEMA*>(pNMHDR);
    *pResult = FindRow(find.lvfi.flags, find.lvfi.psz ? find.lvfi.psz : "", find.iStart);
}

void CFileListCtrl::OnFindItemW(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Wine's list asks in wide text whatever its parent's kind.
    const auto& find = *reinterpret_cast<NMLVFINDITEMW*>(pNMHDR);
    *pResult = FindRow(find.lvfi.flags, find.lvfi.psz ? AnsiText(find.lvfi.psz) : "", find.iStart);
}

LRESULT CFileListCtrl::FindRow(UINT flags, const std::string& text, int start) const
{
    // Typing in the list goes to the next row whose number starts with the
    // typed text, as it does in a list that holds its own texts.
    if (!(flags & (LVFI_STRING | LVFI_PARTIAL)))
        return -1;
    const auto found = FindNumberText(m_rows, text, start, (flags & LVFI_WRAP) != 0, (flags & LVFI_PARTIAL) != 0);
    return found ? static_cast<LRESULT>(*found) : -1;
}

void CFileListCtrl::PreSubclassWindow()
{
    // The list measured its rows when it was made, before it had its font
    // and before this object could answer. It asks again when told that its
    // size changed; the size it is told is its own.
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    WINDOWPOS position{};
    position.hwnd = m_hWnd;
    position.cx = window.right - window.left;
    position.cy = window.bottom - window.top;
    position.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    m_tips.Create(*this, [this](int row, int column) { return CutText(row, column); });
}

void CFileListCtrl::MeasureItem(LPMEASUREITEMSTRUCT pMeasureItem)
{
    const CClientDC dc(this);
    const HGDIOBJ previous = dc.SelectObject(GetFont());
    TEXTMETRICA metrics{};
    dc.GetTextMetrics(&metrics);
    dc.SelectObject(previous);
    pMeasureItem->itemHeight = static_cast<UINT>(RowHeight(metrics.tmHeight, ScaleForDpi(kRowPaddingAt96)));
}

int CFileListCtrl::TextMargin(const CDC& dc)
{
    return 2 * dc.GetTextExtent(" ", 1).cx;
}

void CFileListCtrl::DrawItem(LPDRAWITEMSTRUCT pDrawItem)
{
    const CDC dc(pDrawItem->hDC);
    const int savedDC = dc.SaveDC();
    const int row = static_cast<int>(pDrawItem->itemID);
    // The list's own font, whatever the context came with.
    dc.SelectObject(GetFont());

    LVITEMA item{};
    item.mask = LVIF_STATE;
    item.iItem = row;
    item.stateMask = 0xFFFF;
    GetItem(&item);
    const bool highlighted = IsRowHighlighted({
        .dropHighlighted = (item.state & LVIS_DROPHILITED) != 0,
        .selected = (item.state & LVIS_SELECTED) != 0,
        .listHasFocus = GetFocus() == m_hWnd,
        .showSelectionAlways = (GetStyle() & LVS_SHOWSELALWAYS) != 0,
    });

    RECT bounds;
    RECT label;
    GetItemRect(row, &bounds, LVIR_BOUNDS);
    GetItemRect(row, &label, LVIR_LABEL);
    const PixelRect rowBounds = ToPixelRect(bounds);
    const PixelRect textBounds =
        TextRowBounds(rowBounds, (SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_GRIDLINES) != 0);
    const int margin = TextMargin(dc);
    RECT client;
    GetClientRect(&client);

    // Read as the row is painted, text and band of one pair: a theme set
    // while the list is open shows at once, and high-contrast themes make
    // only the pairs readable.
    const COLORREF fill = ::GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    dc.SetTextColor(::GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc.SetBkColor(fill);
    const RECT band = ToRect(RowBand(rowBounds, ToPixelRect(label), client.right, ScaleForDpi(kBandInsetAt96)));
    dc.FillRect(&band, CBrush(fill));

    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    int x = bounds.left;
    for (int index = 0; GetColumn(index, &column); ++index) {
        RECT textRect = ToRect(ColumnTextRect(x, column.cx, margin, textBounds));
        dc.DrawText(CellText(row, index).c_str(), -1, &textRect,
                    AlignmentOf(column.fmt) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | EllipsisOf(index));
        x += column.cx;
    }
    dc.RestoreDC(savedDC);
}

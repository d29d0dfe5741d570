#include "listview/FileListCtrl.h"

#include <cstring>

#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/WaitCursor.h"
#include "listview/RowGeometry.h"
#include "listview/RowSort.h"
#include "scan/SystemLeadBytes.h"

namespace {

// The states that move with a row: focus, selection, cut and drop-target
// marks, the overlay and the state image.
constexpr UINT kMovingStates = 0xFF0F;

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

}  // namespace

BEGIN_MESSAGE_MAP(CFileListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CFileListCtrl::CFileListCtrl()
    : m_crBackground(::GetSysColor(COLOR_WINDOW)), m_crHighlight(::GetSysColor(COLOR_HIGHLIGHT))
{
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
        SetColumnWidth(1, FittedPathColumnWidth(clientWidth, sumOfWidths, GetColumnWidth(1)));
        ShowScrollBar(SB_HORZ, FALSE);
    }
}

void CFileListCtrl::AppendRows(const std::vector<ListRow>& rows)
{
    int next = GetItemCount();
    for (const ListRow& row : rows) {
        const int index = InsertItem(next, row.number.c_str());
        if (index >= 0) {
            SetItemText(index, 1, row.path.c_str());
            next = index + 1;
        }
    }
}

std::vector<ListRow> CFileListCtrl::Rows() const
{
    std::vector<ListRow> rows(static_cast<size_t>(GetItemCount()));
    for (size_t row = 0; row < rows.size(); ++row) {
        rows[row].number = GetItemText(static_cast<int>(row), 0).str();
        rows[row].path = GetItemText(static_cast<int>(row), 1).str();
    }
    return rows;
}

int CFileListCtrl::SelectedRow() const
{
    const int focused = static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0 && SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(focused), LVIS_SELECTED))
        return focused;
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
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
    // Messages are what a sort costs: every row is read once, the order is
    // found on the copy, and each row that moves is written once, straight
    // to its place.
    const RowsCopy rows = CopyRows();
    MoveRows(SortedRowOrder(rows.texts[static_cast<size_t>(column)], column, ascending != FALSE, SystemLeadBytes()),
             rows);
}

CFileListCtrl::RowsCopy CFileListCtrl::CopyRows() const
{
    const int count = GetItemCount();
    RowsCopy rows;
    rows.texts.resize(static_cast<size_t>(GetColumnCount()));
    rows.items.resize(static_cast<size_t>(count));
    for (auto& column : rows.texts)
        column.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        // The first column's text comes with the attributes when it fits, as
        // a row number does.
        char first[32] = "";
        LVITEMA& item = rows.items[static_cast<size_t>(row)];
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = row;
        item.stateMask = kMovingStates;
        item.pszText = first;
        item.cchTextMax = sizeof first;
        GetItem(&item);
        for (int column = 0; column < static_cast<int>(rows.texts.size()); ++column) {
            auto& texts = rows.texts[static_cast<size_t>(column)];
            if (column == 0 && std::strlen(item.pszText) + 1 < sizeof first)
                texts.emplace_back(item.pszText);
            else
                texts.push_back(GetItemText(row, column).str());
        }
        item.pszText = nullptr;
    }
    return rows;
}

void CFileListCtrl::MoveRows(const std::vector<int>& order, const RowsCopy& rows) const
{
    size_t to = 0;
    while (to < order.size() && order[to] == static_cast<int>(to))
        ++to;
    if (to == order.size())
        return;
    const CRedrawSuspension noRedraw(*this);
    for (; to < order.size(); ++to) {
        if (order[to] == static_cast<int>(to))
            continue;
        const auto from = static_cast<size_t>(order[to]);
        // The first column's text goes in the same message as the attributes.
        LVITEMA item = rows.items[from];
        item.iItem = static_cast<int>(to);
        if (rows.texts.empty())
            item.mask &= ~LVIF_TEXT;
        else
            item.pszText = const_cast<LPSTR>(rows.texts.front()[from].c_str());
        SetItem(&item);
        for (size_t column = 1; column < rows.texts.size(); ++column)
            SetItemText(static_cast<int>(to), static_cast<int>(column), rows.texts[column][from].c_str());
    }
}

void CFileListCtrl::DrawItem(LPDRAWITEMSTRUCT pDrawItem)
{
    const CDC dc(pDrawItem->hDC);
    const int savedDC = dc.SaveDC();
    const int row = static_cast<int>(pDrawItem->itemID);

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
    const int margin = 2 * dc.GetTextExtent(" ", 1).cx;
    RECT client;
    GetClientRect(&client);

    const COLORREF fill = highlighted ? m_crHighlight : m_crBackground;
    dc.SetTextColor(::GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    dc.SetBkColor(fill);
    const RECT band = ToRect(RowBand(rowBounds, ToPixelRect(label), client.right));
    dc.FillRect(&band, CBrush(fill));

    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    int x = bounds.left;
    for (int index = 0; GetColumn(index, &column); ++index) {
        RECT textRect = ToRect(ColumnTextRect(x, column.cx, margin, rowBounds));
        dc.DrawText(GetItemText(row, index), -1, &textRect,
                    AlignmentOf(column.fmt) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        x += column.cx;
    }
    dc.RestoreDC(savedDC);
}

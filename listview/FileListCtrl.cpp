#include "listview/FileListCtrl.h"

#include "framework/DC.h"
#include "framework/Gdi.h"
#include "listview/RowGeometry.h"

namespace {

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

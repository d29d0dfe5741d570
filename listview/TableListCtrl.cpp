#include "listview/TableListCtrl.h"

#include <algorithm>

#include "framework/DC.h"
#include "framework/Dpi.h"
#include "rows/TableOrder.h"

BEGIN_MESSAGE_MAP(CTableListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

void CTableListCtrl::SetColumns(std::vector<ColumnLayout> columns)
{
    m_columns = std::move(columns);
    for (int index = 0; const ColumnLayout& column : m_columns)
        InsertColumn(index++, column.heading, LVCFMT_LEFT, ScaleForDpi(column.width));
    FitColumns();
}

void CTableListCtrl::FitColumns() const
{
    // The room a vertical scroll bar takes is kept, whether or not one shows.
    RECT client;
    GetClientRect(&client);
    int room = client.right - ((GetStyle() & WS_VSCROLL) ? 0 : ::GetSystemMetrics(SM_CXVSCROLL));
    int fills = -1;
    for (int index = 0; index < static_cast<int>(m_columns.size()); ++index) {
        if (m_columns[static_cast<std::size_t>(index)].fills)
            fills = index;
        else
            room -= GetColumnWidth(index);
    }
    if (fills >= 0)
        SetColumnWidth(fills, std::max<int>(room, ScaleForDpi(m_columns[static_cast<std::size_t>(fills)].width)));
}

void CTableListCtrl::SetTable(Records records)
{
    m_records = std::move(records);
    SendMessage(LVM_SETITEMCOUNT, m_records.size(), 0);
    RedrawWindow(RDW_INVALIDATE);
}

void CTableListCtrl::PreSubclassWindow()
{
    m_tips.Create(*this, [this](int row, int column) { return CutText(row, column); });
}

BOOL CTableListCtrl::PreTranslateMessage(MSG* pMsg)
{
    m_tips.Relay(pMsg);
    return CListCtrl::PreTranslateMessage(pMsg);
}

int CTableListCtrl::TextMargin()
{
    return ScaleForDpi(6);
}

int CTableListCtrl::TextWidth(const std::string& text) const
{
    const CClientDC dc(this);
    const HGDIOBJ previous = dc.SelectObject(GetFont());
    const int width = dc.GetTextExtent(text.c_str(), static_cast<int>(text.size())).cx;
    dc.SelectObject(previous);
    return width;
}

std::string CTableListCtrl::ShownText(std::size_t row, std::size_t column) const
{
    if (row >= m_records.size() || column >= m_records[row].size())
        return {};
    const std::string& text = m_records[row][column];
    if (column >= m_columns.size() || !m_columns[column].path)
        return text;
    RECT room{0, 0, GetColumnWidth(static_cast<int>(column)) - 2 * TextMargin(), 0};
    if (TextWidth(text) <= room.right)
        return text;
    // DT_MODIFYSTRING writes the cut text, up to four characters longer.
    std::string shown = text + std::string(4, '\0');
    const CClientDC dc(this);
    const HGDIOBJ previous = dc.SelectObject(GetFont());
    ::DrawTextA(dc, shown.data(), -1, &room, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
    dc.SelectObject(previous);
    shown.resize(std::char_traits<char>::length(shown.c_str()));
    return shown;
}

std::string CTableListCtrl::CutText(int row, int column) const
{
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= m_records.size() ||
        static_cast<std::size_t>(column) >= m_records[static_cast<std::size_t>(row)].size())
        return {};
    const std::string& text = m_records[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    return TextWidth(text) > GetColumnWidth(column) - 2 * TextMargin() ? text : std::string();
}

void CTableListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::string shown =
            item.iItem >= 0 ? ShownText(static_cast<std::size_t>(item.iItem), static_cast<std::size_t>(item.iSubItem))
                            : std::string();
        ::lstrcpynA(item.pszText, shown.c_str(), item.cchTextMax);
    }
    *pResult = 0;
}

void CTableListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto column = static_cast<std::size_t>(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    if (column >= m_columns.size())
        return;
    Records sorted;
    sorted.reserve(m_records.size());
    for (const std::size_t from : SortedTableOrder(m_records, column, m_columns[column].sort, m_bSortAscending != FALSE))
        sorted.push_back(std::move(m_records[from]));
    m_bSortAscending = !m_bSortAscending;
    // The marks belong to places, not to records: they would point at others.
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetTable(std::move(sorted));
    *pResult = 0;
}

#include "listview/TableListCtrl.h"

#include <algorithm>

#include "framework/Dpi.h"
#include "rows/TableOrder.h"

BEGIN_MESSAGE_MAP(CTableListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

void CTableListCtrl::SetColumns(std::vector<ColumnLayout> columns)
{
    m_columns = std::move(columns);
    RECT client;
    GetClientRect(&client);
    int others = ::GetSystemMetrics(SM_CXVSCROLL);
    for (const ColumnLayout& column : m_columns)
        others += column.fills ? 0 : ScaleForDpi(column.width);
    for (int index = 0; const ColumnLayout& column : m_columns) {
        const int width = ScaleForDpi(column.width);
        InsertColumn(index++, column.heading, LVCFMT_LEFT,
                     column.fills ? std::max<int>(client.right - others, width) : width);
    }
}

void CTableListCtrl::SetTable(Records records)
{
    m_records = std::move(records);
    SendMessage(LVM_SETITEMCOUNT, m_records.size(), 0);
    RedrawWindow(RDW_INVALIDATE);
}

void CTableListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item;
    const auto row = static_cast<std::size_t>(item.iItem);
    const auto column = static_cast<std::size_t>(item.iSubItem);
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const bool known = item.iItem >= 0 && row < m_records.size() && column < m_records[row].size();
        ::lstrcpynA(item.pszText, known ? m_records[row][column].c_str() : "", item.cchTextMax);
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

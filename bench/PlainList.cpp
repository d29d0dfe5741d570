#include "bench/PlainList.h"

#include <commctrl.h>

#include "scan/ListRow.h"

namespace {

// The dialog's list is 383 by 209 dialog units in an 8-point font.
constexpr int kWidth = 575;
constexpr int kHeight = 340;

}  // namespace

PlainList::PlainList()
    : m_hFrame(::CreateWindowExA(0, "STATIC", "Plain list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, kWidth + 20,
                                 kHeight + 40, nullptr, nullptr, nullptr, nullptr)),
      m_hList(::CreateWindowExA(0, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE, 0,
                                0, kWidth, kHeight, m_hFrame, nullptr, nullptr, nullptr))
{
    ::SendMessageA(m_hList, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ListView_SetExtendedListViewStyle(m_hList, LVS_EX_GRIDLINES);
    const char* const headings[] = {" N", " File Path"};
    const int widths[] = {48, kWidth - 48 - ::GetSystemMetrics(SM_CXVSCROLL) - 4};
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNA format{};
        format.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
        format.pszText = const_cast<LPSTR>(headings[column]);
        format.cx = widths[column];
        ListView_InsertColumn(m_hList, column, &format);
    }
    ::UpdateWindow(m_hFrame);
}

PlainList::~PlainList()
{
    ::DestroyWindow(m_hFrame);
}

void PlainList::Append(const std::vector<std::string>& paths)
{
    ::SendMessageA(m_hList, WM_SETREDRAW, FALSE, 0);
    for (const std::string& path : paths) {
        const int row = ListView_GetItemCount(m_hList);
        std::string number = FormatRowNumber(static_cast<std::uint32_t>(row + 1));
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = number.data();
        ListView_InsertItem(m_hList, &item);
        ListView_SetItemText(m_hList, row, 1, const_cast<LPSTR>(path.c_str()));
    }
    ::SendMessageA(m_hList, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(m_hList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

std::string PlainList::Text(int row, int column) const
{
    char text[MAX_PATH];
    ListView_GetItemText(m_hList, row, column, text, sizeof text);
    return text;
}

std::vector<Record> PlainList::Records() const
{
    std::vector<Record> records(static_cast<std::size_t>(ListView_GetItemCount(m_hList)));
    for (std::size_t row = 0; row < records.size(); ++row)
        records[row] = {Text(static_cast<int>(row), 0), Text(static_cast<int>(row), 1)};
    return records;
}

#include "listview/TableListCtrl.h"

#include <string>
#include <vector>

#include "framework/DC.h"
#include "framework/Dpi.h"
#include "framework/Gdi.h"
#include "framework/WaitCursor.h"
#include "listview/RowGeometry.h"
#include "platform/TextConversion.h"
#include "rows/RowSort.h"
#include "rows/TableRows.h"

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

// The list's font in a context while this lives.
class ListFont {
public:
    ListFont(const CDC& dc, const CWnd& list) : m_dc(dc), m_previous(dc.SelectObject(list.GetFont())) {}
    ~ListFont() { m_dc.SelectObject(m_previous); }
    ListFont(const ListFont&) = delete;
    ListFont& operator=(const ListFont&) = delete;

private:
    const CDC& m_dc;
    HGDIOBJ m_previous;
};

}  // namespace

BEGIN_MESSAGE_MAP(CTableListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOW, OnGetDispInfoW)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMA, OnFindItem)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMW, OnFindItemW)
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_KEYUP, OnKeyUp)
END_MESSAGE_MAP()

void CTableListCtrl::InsertColumns()
{
    for (std::size_t column = 0; column < m_rows.ColumnCount(); ++column) {
        const ColumnLayout& layout = m_rows.Layout(column);
        InsertColumn(static_cast<int>(column), layout.heading, LVCFMT_LEFT, ScaleForDpi(layout.width));
    }
    FitColumns();
}

void CTableListCtrl::FitColumns()
{
    const CRedrawSuspension noRedraw(*this);
    RECT client;
    GetClientRect(&client);
    int others = 0;
    int fills = -1;
    for (std::size_t column = 0; column < m_rows.ColumnCount(); ++column) {
        if (m_rows.Layout(column).fills)
            fills = static_cast<int>(column);
        else
            others += GetColumnWidth(static_cast<int>(column));
    }
    if (fills < 0)
        return;
    const int width = FittedColumnWidth(client.right - client.left, others,
                                        ScaleForDpi(m_rows.Layout(static_cast<std::size_t>(fills)).width));
    if (width != GetColumnWidth(fills))
        SetColumnWidth(fills, width);
    if (others + width <= client.right - client.left)
        ShowScrollBar(SB_HORZ, FALSE);
}

void CTableListCtrl::ShowAppendedRows()
{
    // Only rows in view are painted: those above stay as they are.
    SendMessage(LVM_SETITEMCOUNT, m_rows.Count(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    FitNumberColumns();
}

void CTableListCtrl::ShowAllRows()
{
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessage(LVM_SETITEMCOUNT, m_rows.Count(), 0);
    FitNumberColumns();
    // The rows may have brought a vertical scroll bar.
    FitColumns();
    RedrawWindow(RDW_INVALIDATE);
}

void CTableListCtrl::FitNumberColumns()
{
    const auto digits = FormatRowNumber(static_cast<std::uint32_t>(m_rows.Count())).size();
    if (digits <= m_nNumberDigits)
        return;
    m_nNumberDigits = digits;
    // 40 pixels hold "9999" but not "30001" in an 8-point font: the column
    // grows with the numbers, and the one that fills gives the room.
    const CClientDC dc(this);
    const ListFont font(dc, *this);
    const std::wstring widest(digits, L'0');
    const int textWidth = dc.GetTextExtent(widest.c_str(), static_cast<int>(widest.size())).cx;
    bool widened = false;
    for (std::size_t column = 0; column < m_rows.ColumnCount(); ++column) {
        if (m_rows.Layout(column).sort != ColumnSort::ByNumber)
            continue;
        const int index = static_cast<int>(column);
        const int needed = NumberColumnWidth(GetColumnWidth(index), textWidth, TextMargin(dc));
        if (needed != GetColumnWidth(index)) {
            SetColumnWidth(index, needed);
            widened = true;
        }
    }
    if (widened)
        FitColumns();
}

int CTableListCtrl::SelectedRow() const
{
    const int focused = static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0 && SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(focused), LVIS_SELECTED))
        return focused;
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CTableListCtrl::SelectAll() const
{
    SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

void CTableListCtrl::SetWorking(bool working)
{
    m_bWorking = working;
    // Show the change at once when the mouse rests on the list.
    POINT mouse;
    if (::GetCursorPos(&mouse) && ::WindowFromPoint(mouse) == m_hWnd)
        SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

BOOL CTableListCtrl::OnSetCursor(CWnd*, UINT nHitTest, UINT)
{
    if (m_bWorking && nHitTest == HTCLIENT) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_APPSTARTING));
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

LRESULT CTableListCtrl::OnKeyUp(WPARAM key, LPARAM)
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

void CTableListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    {
        const CWaitCursor wait;
        SortRows(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem, m_bSortAscending);
    }
    m_bSortAscending = !m_bSortAscending;
    *pResult = 0;
}

void CTableListCtrl::SortRows(int column, bool ascending)
{
    if (column < 0 || static_cast<std::size_t>(column) >= m_rows.ColumnCount())
        return;
    MoveMarks(m_rows.Sort(static_cast<std::size_t>(column), ascending));
    RedrawWindow(RDW_INVALIDATE);
}

void CTableListCtrl::MoveMarks(const std::vector<int>& order) const
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

std::wstring CTableListCtrl::CellText(int row, int column) const
{
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= m_rows.Count() ||
        static_cast<std::size_t>(column) >= m_rows.ColumnCount())
        return {};
    return WideFromUtf8(m_rows.Text(static_cast<std::size_t>(row), static_cast<std::size_t>(column)));
}

std::wstring CTableListCtrl::GivenText(int row, int column) const
{
    std::wstring text = CellText(row, column);
    if (row != m_paintingRow || !m_rows.Layout(static_cast<std::size_t>(column)).path)
        return text;
    const CClientDC dc(this);
    const ListFont font(dc, *this);
    RECT room{0, 0, GetColumnWidth(column) - 2 * TextMargin(dc), 0};
    if (dc.GetTextExtent(text.c_str(), static_cast<int>(text.size())).cx <= room.right)
        return text;
    // DT_MODIFYSTRING writes the cut text, up to four characters longer.
    text.append(4, L'\0');
    dc.DrawText(text.data(), -1, &room, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
    text.resize(std::char_traits<wchar_t>::length(text.c_str()));
    return text;
}

std::string CTableListCtrl::CutText(int row, int column) const
{
    const std::wstring text = CellText(row, column);
    const CClientDC dc(this);
    const ListFont font(dc, *this);
    const bool cut = dc.GetTextExtent(text.c_str(), static_cast<int>(text.size())).cx >
                     GetColumnWidth(column) - 2 * TextMargin(dc);
    return cut ? AnsiText(text.c_str()) : std::string();
}

BOOL CTableListCtrl::PreTranslateMessage(MSG* pMsg)
{
    m_tips.Relay(pMsg);
    return CListCtrl::PreTranslateMessage(pMsg);
}

void CTableListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The control asks for a row's texts between the row's two stages.
    const NMCUSTOMDRAW& draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR)->nmcd;
    switch (draw.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = OwnerDrawn() ? CDRF_DODEFAULT : CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        m_paintingRow = static_cast<int>(draw.dwItemSpec);
        *pResult = CDRF_NOTIFYPOSTPAINT;
        break;
    case CDDS_ITEMPOSTPAINT:
        m_paintingRow = -1;
        *pResult = CDRF_DODEFAULT;
        break;
    default:
        *pResult = CDRF_DODEFAULT;
        break;
    }
}

void CTableListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        ::lstrcpynA(item.pszText, AnsiText(GivenText(item.iItem, item.iSubItem).c_str()).c_str(), item.cchTextMax);
    *pResult = 0;
}

void CTableListCtrl::OnGetDispInfoW(NMHDR* pNMHDR, LRESULT* pResult)
{
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        ::lstrcpynW(item.pszText, GivenText(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
    *pResult = 0;
}

void CTableListCtrl::OnFindItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto& find = *reinterpret_cast<NMLVFINDITEMA*>(pNMHDR);
    *pResult = FindRow(find.lvfi.flags, find.lvfi.psz ? Utf8Text(find.lvfi.psz) : "", find.iStart);
}

void CTableListCtrl::OnFindItemW(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto& find = *reinterpret_cast<NMLVFINDITEMW*>(pNMHDR);
    *pResult = FindRow(find.lvfi.flags, find.lvfi.psz ? Utf8FromWide(find.lvfi.psz) : "", find.iStart);
}

LRESULT CTableListCtrl::FindRow(UINT flags, const std::string& text, int start) const
{
    // Typing in the list goes to the next row whose first column starts
    // with the typed text, as it does in a list that holds its own texts.
    if (!(flags & (LVFI_STRING | LVFI_PARTIAL)))
        return -1;
    const auto found = m_rows.FindRow(text, start, (flags & LVFI_WRAP) != 0, (flags & LVFI_PARTIAL) != 0);
    return found ? static_cast<LRESULT>(*found) : -1;
}

void CTableListCtrl::PreSubclassWindow()
{
    // Every text goes to the control in UTF-16, whatever its parent's kind:
    // nothing is lost to the ANSI code page.
    SendMessage(CCM_SETUNICODEFORMAT, TRUE);
    // An owner-drawn list measured its rows when it was made, before it had
    // its font and before this object could answer. It asks again when told
    // that its size changed; the size it is told is its own.
    if (OwnerDrawn()) {
        RECT window;
        ::GetWindowRect(m_hWnd, &window);
        WINDOWPOS position{};
        position.hwnd = m_hWnd;
        position.cx = window.right - window.left;
        position.cy = window.bottom - window.top;
        position.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
        SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    }
    m_tips.Create(*this, [this](int row, int column) { return CutText(row, column); });
}

void CTableListCtrl::MeasureItem(LPMEASUREITEMSTRUCT pMeasureItem)
{
    const CClientDC dc(this);
    const ListFont font(dc, *this);
    TEXTMETRICA metrics{};
    dc.GetTextMetrics(&metrics);
    pMeasureItem->itemHeight = static_cast<UINT>(RowHeight(metrics.tmHeight, ScaleForDpi(kRowPaddingAt96)));
}

int CTableListCtrl::TextMargin(const CDC& dc)
{
    return 2 * dc.GetTextExtent(L" ", 1).cx;
}

void CTableListCtrl::DrawItem(LPDRAWITEMSTRUCT pDrawItem)
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
        const UINT ellipsis = m_rows.Layout(static_cast<std::size_t>(index)).path ? DT_PATH_ELLIPSIS : DT_END_ELLIPSIS;
        std::wstring text = CellText(row, index);
        dc.DrawText(text.data(), -1, &textRect, AlignmentOf(column.fmt) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | ellipsis);
        x += column.cx;
    }
    dc.RestoreDC(savedDC);
}

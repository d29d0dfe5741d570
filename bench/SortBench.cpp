// Measures the column sort of the main dialog's list: header clicks on the
// real dialog (every row read once, each row that moves written once with
// the drawing suspended) against the sort's steps run literally on the control
// (a message for every key read, every exchange rewriting two rows while the
// list draws itself), and a list built to defeat the sort's pivot choice.
// Prints figures only.
//
//   sort_bench [rows] [literal-rows]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/VorlaneDlg.h"
#include "bench/BenchSupport.h"
#include "res/resource.h"
#include "rows/RowSort.h"
#include "scan/PathText.h"
#include "scan/SystemLeadBytes.h"

namespace {

// Paths like a Windows folder's: a few folders, names of mixed case, some
// names found in more than one folder.
std::vector<ListRow> PlausibleRows(int count)
{
    static const char* const folders[] = {"C:\\WINDOWS\\", "C:\\WINDOWS\\system32\\", "C:\\WINDOWS\\system32\\drivers\\",
                                          "C:\\WINDOWS\\system32\\dllcache\\", "C:\\WINDOWS\\inf\\",
                                          "C:\\Program Files\\Common Files\\System\\"};
    static const char* const extensions[] = {".dll", ".exe", ".sys", ".inf", ".ocx", ".cpl"};
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
    std::mt19937 random(30001);
    const auto pick = [&](size_t size) { return static_cast<size_t>(random()) % size; };
    std::vector<ListRow> rows;
    std::vector<std::string> names;
    for (int n = 1; n <= count; ++n) {
        std::string name;
        if (!names.empty() && pick(10) == 0) {
            name = names[pick(names.size())];
        } else {
            for (size_t length = 3 + pick(10); length > 0; --length)
                name += letters[pick(sizeof letters - 1)];
            name += extensions[pick(std::size(extensions))];
            names.push_back(name);
        }
        rows.push_back({static_cast<std::uint32_t>(n), folders[pick(std::size(folders))] + name});
    }
    return rows;
}

// Numbers placed so that the middle row of every range the sort takes is
// the range's largest: each pass then splits off a single row.
std::vector<ListRow> PivotDefeatingRows(int count)
{
    std::vector<int> rowAt(static_cast<size_t>(count));
    std::vector<unsigned> numbers(static_cast<size_t>(count), 1);
    for (int row = 0; row < count; ++row)
        rowAt[static_cast<size_t>(row)] = row;
    for (int hi = count - 1; hi > 0; --hi) {
        numbers[static_cast<size_t>(rowAt[static_cast<size_t>(hi / 2)])] = static_cast<unsigned>(hi + 1);
        std::swap(rowAt[static_cast<size_t>(hi / 2)], rowAt[static_cast<size_t>(hi)]);
    }
    std::vector<ListRow> rows;
    for (const unsigned number : numbers)
        rows.push_back({number, "C:\\WINDOWS\\system32\\file" + std::to_string(number) + ".dll"});
    return rows;
}

// The real dialog with `rows` in its list; runs `measure` once it shows.
class SortDialog : public CVorlaneDlg {
public:
    SortDialog(PlatformServices& services, std::vector<ListRow> rows, std::function<void(SortDialog&)> measure)
        : CVorlaneDlg(services), m_rows(std::move(rows)), m_measure(std::move(measure))
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CVorlaneDlg::OnInitDialog();
        const HWND hList = GetDlgItem(IDC_FILE_LIST);
        ::SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
        for (ListRow& row : m_rows) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = ListView_GetItemCount(hList);
            std::string number = FormatRowNumber(row.number);
            item.pszText = number.data();
            ListView_SetItemText(hList, ListView_InsertItem(hList, &item), 1, row.path.data());
        }
        ::SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(hList, nullptr, nullptr, RDW_INVALIDATE);
        PostMessage(kMeasure);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kMeasure)
            return CVorlaneDlg::WindowProc(message, wParam, lParam);
        ::UpdateWindow(m_hWnd);
        m_measure(*this);
        EndDialog(IDCANCEL);
        return 0;
    }

private:
    static constexpr UINT kMeasure = WM_APP + 100;
    std::vector<ListRow> m_rows;
    std::function<void(SortDialog&)> m_measure;
};

// Seconds for a click on the column's header, as the list reports it to the
// dialog, until the list has painted its new order.
double TimeHeaderClick(CVorlaneDlg& dlg, int column)
{
    const HWND hList = dlg.GetDlgItem(IDC_FILE_LIST);
    NMLISTVIEW click{};
    click.hdr.hwndFrom = hList;
    click.hdr.idFrom = IDC_FILE_LIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    const double start = Now();
    dlg.SendMessage(WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
    ::UpdateWindow(hList);
    return Now() - start;
}

std::string ItemText(HWND hList, int row, int column)
{
    char text[MAX_PATH];
    ListView_GetItemText(hList, row, column, text, sizeof text);
    return text;
}

// The list as the sort's steps read it literally: every key read from the
// control, every exchange rewriting two rows with the list drawing itself.
template <class Key, Key (*MakeKey)(const std::string&)>
class ControlRows {
public:
    ControlRows(HWND hList, int column) : m_hList(hList), m_column(column) {}

    Key KeyOf(int row) const { return MakeKey(ItemText(m_hList, row, m_column)); }
    bool SameText(int i, int j) const { return ItemText(m_hList, i, m_column) == ItemText(m_hList, j, m_column); }
    void Exchange(int i, int j) const
    {
        const int columns = Header_GetItemCount(ListView_GetHeader(m_hList));
        std::vector<std::string> saved;
        for (int column = 0; column < columns; ++column)
            saved.push_back(ItemText(m_hList, i, column));
        LVITEMA itemI{};
        itemI.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        itemI.iItem = i;
        itemI.stateMask = 0xFF0F;
        LVITEMA itemJ = itemI;
        itemJ.iItem = j;
        ListView_GetItem(m_hList, &itemI);
        ListView_GetItem(m_hList, &itemJ);
        for (int column = 0; column < columns; ++column) {
            std::string text = ItemText(m_hList, j, column);
            ListView_SetItemText(m_hList, i, column, text.data());
        }
        itemJ.iItem = i;
        ListView_SetItem(m_hList, &itemJ);
        for (int column = 0; column < columns; ++column)
            ListView_SetItemText(m_hList, j, column, saved[static_cast<size_t>(column)].data());
        itemI.iItem = j;
        ListView_SetItem(m_hList, &itemI);
    }

private:
    HWND m_hList;
    int m_column;
};

std::string FileNameKeyOf(const std::string& text)
{
    return std::string(FileNameOf(text, SystemLeadBytes()));
}

template <class Rows>
double TimeLiteralSort(CVorlaneDlg& dlg, int column, bool ascending)
{
    const HWND hList = dlg.GetDlgItem(IDC_FILE_LIST);
    Rows rows(hList, column);
    const double start = Now();
    SortRowRange(rows, 0, ListView_GetItemCount(hList) - 1, ascending);
    ::UpdateWindow(hList);
    return Now() - start;
}

struct Figures {
    double byPath = 0;
    double byNumber = 0;
};

// A click on the path column (ascending), then one on the number column
// (descending: every row moves), then one back to the enumeration order and
// one more, so that the next round starts ascending again; the best of
// `rounds` rounds.
Figures MeasureClicks(PlatformServices& services, const std::vector<ListRow>& rows, int rounds)
{
    Figures best{1e9, 1e9};
    SortDialog(services, rows, [&](SortDialog& dlg) {
        for (int round = 0; round < rounds; ++round) {
            best.byPath = std::min(best.byPath, TimeHeaderClick(dlg, 1));
            best.byNumber = std::min(best.byNumber, TimeHeaderClick(dlg, 0));
            TimeHeaderClick(dlg, 0);
            TimeHeaderClick(dlg, 0);
        }
    }).DoModal();
    return best;
}

// The same two sorts, their steps run literally on the control.
Figures MeasureLiteral(PlatformServices& services, const std::vector<ListRow>& rows)
{
    Figures figures;
    SortDialog(services, rows, [&](SortDialog& dlg) {
        figures.byPath = TimeLiteralSort<ControlRows<std::string, FileNameKeyOf>>(dlg, 1, true);
        figures.byNumber = TimeLiteralSort<ControlRows<std::int32_t, NumberKeyOf>>(dlg, 0, false);
    }).DoModal();
    return figures;
}

double NLogN(int n)
{
    return n * std::log2(static_cast<double>(n));
}

}  // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30001;
    const int literalRows = argc > 2 ? std::atoi(argv[2]) : 2000;
    InitBenchControls();
    BenchServices platform;
    InstantProtection none(0);
    PlatformServices services = platform.With(none);

    // Not measured: lets Wine finish starting its own services first.
    MeasureClicks(services, PlausibleRows(2000), 1);

    const Figures fast = MeasureClicks(services, PlausibleRows(rows), 5);
    std::printf("header click on %d rows, until repainted (best of 5): by path %.1f ms, by number %.1f ms "
                "(every row moves)\n",
                rows, fast.byPath * 1000, fast.byNumber * 1000);

    const std::vector<ListRow> few = PlausibleRows(literalRows);
    const Figures literal = MeasureLiteral(services, few);
    const Figures fastFew = MeasureClicks(services, few, 5);
    const double scale = NLogN(rows) / NLogN(literalRows);
    std::printf("literal steps on the control, %d rows: by path %.1f ms, by number %.1f ms "
                "(header click: %.1f ms, %.1f ms)\n",
                literalRows, literal.byPath * 1000, literal.byNumber * 1000, fastFew.byPath * 1000,
                fastFew.byNumber * 1000);
    std::printf("literal steps scaled by n log n to %d rows: by path %.1f s, by number %.1f s: "
                "%.0fx and %.0fx the header click's time\n",
                rows, literal.byPath * scale, literal.byNumber * scale, literal.byPath * scale / fast.byPath,
                literal.byNumber * scale / fast.byNumber);

    double defeated = 0;
    SortDialog(services, PivotDefeatingRows(rows), [&](SortDialog& dlg) { defeated = TimeHeaderClick(dlg, 0); })
        .DoModal();
    std::printf("header click on %d rows that defeat the pivot choice, by number: %.1f ms\n", rows, defeated * 1000);
    return 0;
}

// Measures the column sort: header clicks on the real dialog, which sorts
// its row model, against the previous implementation's steps on a plain
// list control that holds the same rows' texts (every row's texts copied
// out, the order found on the copy, every moved row written back), and a
// click on rows built to defeat the sort's pivot choice. Each until the
// list has repainted. Prints figures only.
//
//   sort_bench [rows]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/PlainList.h"
#include "rows/FileListColumns.h"
#include "rows/RowSort.h"
#include "platform/SystemLeadBytes.h"

namespace {

constexpr int kRounds = 5;
constexpr int kSelectedRow = 100;

// Paths like a Windows folder's: a few folders, names of mixed case, some
// names found in more than one folder.
std::vector<std::string> PlausiblePaths(int count)
{
    static const char* const folders[] = {"C:\\WINDOWS\\", "C:\\WINDOWS\\system32\\", "C:\\WINDOWS\\system32\\drivers\\",
                                          "C:\\WINDOWS\\system32\\dllcache\\", "C:\\WINDOWS\\inf\\",
                                          "C:\\Program Files\\Common Files\\System\\"};
    static const char* const extensions[] = {".dll", ".exe", ".sys", ".inf", ".ocx", ".cpl"};
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
    std::mt19937 random(30001);
    const auto pick = [&](size_t size) { return static_cast<size_t>(random()) % size; };
    std::vector<std::string> paths;
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
        paths.push_back(folders[pick(std::size(folders))] + name);
    }
    return paths;
}

// File names placed so that the middle row of every range the sort takes
// has the range's last name: each pass then splits off a single row.
std::vector<std::string> PivotDefeatingPaths(int count)
{
    std::vector<int> rowAt(static_cast<size_t>(count));
    std::vector<int> ranks(static_cast<size_t>(count), 1);
    for (int row = 0; row < count; ++row)
        rowAt[static_cast<size_t>(row)] = row;
    for (int hi = count - 1; hi > 0; --hi) {
        ranks[static_cast<size_t>(rowAt[static_cast<size_t>(hi / 2)])] = hi + 1;
        std::swap(rowAt[static_cast<size_t>(hi / 2)], rowAt[static_cast<size_t>(hi)]);
    }
    std::vector<std::string> paths;
    for (const int rank : ranks) {
        char name[32];
        std::snprintf(name, sizeof name, "file%06d.dll", rank);
        paths.push_back(std::string("C:\\WINDOWS\\system32\\") + name);
    }
    return paths;
}

// Lists `paths` at once, in their order, none protected on request.
class ListedProtection final : public FileProtection {
public:
    explicit ListedProtection(std::vector<std::string> paths) : m_paths(std::move(paths)) {}
    bool NextProtectedFile(std::uint32_t& cursor, std::string& path) override
    {
        if (cursor >= m_paths.size())
            return false;
        path = m_paths[cursor++];
        return true;
    }
    bool IsFileProtected(const std::string&) override { return false; }

private:
    std::vector<std::string> m_paths;
};

// Seconds for a click on the column's header, as the list reports it to the
// dialog, until the list has painted its new order.
double TimeHeaderClick(FilledDialog& dlg, int column)
{
    NMLISTVIEW click{};
    click.hdr.hwndFrom = dlg.List();
    click.hdr.idFrom = IDC_FILE_LIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    const double start = Now();
    dlg.SendMessage(WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
    ::UpdateWindow(dlg.List());
    return Now() - start;
}

// The previous implementation's sort, on a list that holds its texts: every
// row's texts and marks read out, the order found on the copy, each row that
// moves written back with drawing suspended; then timed until repainted.
double TimeOldSort(const PlainList& list, int column, bool ascending)
{
    const double start = Now();
    const HWND hList = list.Handle();
    const int count = ListView_GetItemCount(hList);
    std::vector<LVITEMA> items(static_cast<size_t>(count));
    std::vector<std::string> texts[2];
    for (int row = 0; row < count; ++row) {
        char number[32] = "";
        LVITEMA& item = items[static_cast<size_t>(row)];
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = row;
        item.stateMask = 0xFF0F;
        item.pszText = number;
        item.cchTextMax = sizeof number;
        ListView_GetItem(hList, &item);
        texts[0].emplace_back(number);
        texts[1].push_back(list.Text(row, 1));
    }
    const std::vector<int> order = SortedRowOrder(texts[column], FileListColumns()[static_cast<std::size_t>(column)].layout.sort, ascending,
                                                    SystemLeadBytes());
    ::SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
    for (int to = 0; to < count; ++to) {
        const auto from = static_cast<size_t>(order[static_cast<size_t>(to)]);
        if (from == static_cast<size_t>(to))
            continue;
        LVITEMA item = items[from];
        item.iItem = to;
        item.pszText = texts[0][from].data();
        ListView_SetItem(hList, &item);
        ListView_SetItemText(hList, to, 1, texts[1][from].data());
    }
    ::SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(hList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return Now() - start;
}

struct Times {
    std::vector<double> byPath;
    std::vector<double> byNumber;
    std::vector<double> everyRowByNumber;
};

// Marks `row` selected and focused, as a click on it does; every row
// selected for -1, as Ctrl+A does.
void Select(HWND hList, int row)
{
    const UINT marks = row < 0 ? LVIS_SELECTED : LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(hList, row, marks, marks);
}

// With one row selected, rounds of four clicks, the header click's
// direction changing with each: by path ascending, by number descending
// (every row moves), back to the enumeration order, and descending again, so
// that the next round starts ascending. Then with every row selected, clicks
// by number, every row moving. `sort` sorts by a column in a direction and
// gives the seconds.
template <class Sort>
Times TimeRounds(HWND hList, const Sort& sort)
{
    Times times;
    Select(hList, kSelectedRow);
    for (int round = 0; round < kRounds; ++round) {
        times.byPath.push_back(sort(1, true));
        times.byNumber.push_back(sort(0, false));
        sort(0, true);
        sort(0, false);
    }
    Select(hList, -1);
    for (int round = 0; round < 2; ++round) {
        times.everyRowByNumber.push_back(sort(0, true));
        times.everyRowByNumber.push_back(sort(0, false));
    }
    return times;
}

void ShowFilled(BenchServices& platform, const std::vector<std::string>& paths, const FilledDialog::Step& measure)
{
    ListedProtection protection(paths);
    PlatformServices services = platform.With(protection);
    FilledDialog(services, measure).DoModal();
}

}  // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30001;
    InitBenchControls();
    BenchServices platform;
    const std::vector<std::string> paths = PlausiblePaths(rows);

    // Not measured: lets Wine finish starting its own services first.
    ShowFilled(platform, PlausiblePaths(2000), [](FilledDialog& dlg) { TimeHeaderClick(dlg, 1); });

    Times model;
    ShowFilled(platform, paths, [&](FilledDialog& dlg) {
        model = TimeRounds(dlg.List(), [&](int column, bool) { return TimeHeaderClick(dlg, column); });
    });
    Times old;
    {
        PlainList list;
        list.Append(paths);
        old = TimeRounds(list.Handle(),
                         [&](int column, bool ascending) { return TimeOldSort(list, column, ascending); });
    }
    std::printf("header click on %d rows until repainted, one row selected, median and range of %d:\n", rows,
                kRounds);
    std::printf("  the dialog sorting its model: by path %s, by number %s (every row moves)\n",
                Milliseconds(model.byPath).c_str(), Milliseconds(model.byNumber).c_str());
    std::printf("  old steps on a plain list:    by path %s, by number %s: %.0fx and %.0fx the time\n",
                Milliseconds(old.byPath).c_str(), Milliseconds(old.byNumber).c_str(),
                Median(old.byPath) / Median(model.byPath), Median(old.byNumber) / Median(model.byNumber));
    std::printf("  every row selected, by number: the dialog %s, old %s\n",
                Milliseconds(model.everyRowByNumber).c_str(), Milliseconds(old.everyRowByNumber).c_str());

    double defeated = 0;
    ShowFilled(platform, PivotDefeatingPaths(rows), [&](FilledDialog& dlg) { defeated = TimeHeaderClick(dlg, 1); });
    std::printf("header click on %d rows whose names defeat the pivot choice, by path: %.1f ms\n", rows,
                defeated * 1000);
    return 0;
}

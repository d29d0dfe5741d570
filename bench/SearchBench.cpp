// Measures a Search press over the whole list: one that finds nothing and
// one that finds the last row, on the dialog, which searches its row model,
// against the same search reading each path from a plain list control, as
// the old design did. Prints figures only.
//
//   search_bench [rows]
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "platform/PathText.h"
#include "platform/SystemLeadBytes.h"
#include "bench/PlainList.h"
#include "inspect/NameSearch.h"
#include "platform/SystemCaseFolding.h"

namespace {

constexpr int kRounds = 7;

struct Times {
    std::vector<double> noMatch;
    std::vector<double> lastRow;
};

// Rounds of a press without a match and one that finds the last row.
// `press` searches for a text and gives the seconds it took.
Times TimePresses(int rows, const std::function<double(const std::string&)>& press)
{
    const std::string last = BenchPath(static_cast<unsigned>(rows));
    const std::string lastName = last.substr(last.rfind('\\') + 1);
    Times times;
    for (int round = 0; round < kRounds; ++round) {
        times.noMatch.push_back(press("no such name"));
        times.lastRow.push_back(press(lastName));
    }
    return times;
}

double PressSearch(FilledDialog& dlg, const std::string& text)
{
    ::SetWindowTextA(dlg.GetDlgItem(IDC_SEARCH_TEXT), text.c_str());
    const double start = Now();
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEARCH, BN_CLICKED),
                    reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDC_SEARCH)));
    return Now() - start;
}

// The File Path column of a list that holds its texts, row by row, its
// file names found as the old search found them.
class ListPathRows final : public SearchableRows {
public:
    explicit ListPathRows(const PlainList& list) : m_list(list) {}
    int RowCount() override { return ListView_GetItemCount(m_list.Handle()); }
    void ReadName(int row, std::string& name) override
    {
        const std::string path = m_list.Text(row, 1);
        name = FileNameOf(path, SystemLeadBytes());
    }

private:
    const PlainList& m_list;
};

}  // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30001;
    InitBenchControls();
    BenchServices services;
    InstantProtection protection(static_cast<unsigned>(rows));
    PlatformServices platform = services.With(protection);

    Times model;
    bool lastRowFound = false;
    FilledDialog(platform, [&](FilledDialog& dlg) {
        model = TimePresses(rows, [&](const std::string& text) { return PressSearch(dlg, text); });
        lastRowFound = ListView_GetItemState(dlg.List(), rows - 1, LVIS_SELECTED) != 0;
    }).DoModal();

    PlainList list;
    std::vector<std::string> paths;
    for (unsigned n = 1; n <= static_cast<unsigned>(rows); ++n)
        paths.push_back(BenchPath(n));
    list.Append(paths);
    ListPathRows listRows(list);
    std::string lastSearch;
    int start = 0;
    int hit = -1;
    const Times old = TimePresses(rows, [&](const std::string& text) {
        const double begin = Now();
        SearchNext(text, {lastSearch, start, hit}, listRows, SystemCaseFolding());
        return Now() - begin;
    });

    std::printf("search press on %d rows, median and range of %d:\n", rows, kRounds);
    std::printf("  the dialog searching its model: without a match %s, finding the last row %s%s\n",
                Milliseconds(model.noMatch).c_str(), Milliseconds(model.lastRow).c_str(),
                lastRowFound ? "" : " (NOT FOUND)");
    std::printf("  old, paths read from a plain list: without a match %s, finding the last row %s\n",
                Milliseconds(old.noMatch).c_str(), Milliseconds(old.lastRow).c_str());
    return 0;
}

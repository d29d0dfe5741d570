// Measures a Search press over the whole list: one that finds nothing and
// one that finds the last row, against a bare loop that only reads the same
// rows' paths. Prints figures only.
//
//   search_bench [rows]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/VorlaneDlg.h"
#include "bench/BenchSupport.h"
#include "res/resource.h"

namespace {

constexpr int kRounds = 7;

struct SearchFigures {
    double bareRead = 1e9;
    double noMatch = 1e9;
    double lastRow = 1e9;
    bool lastRowFound = false;
};

// The dialog filled with the bench's rows; measured once the fill is over.
class SearchBenchDialog : public CVorlaneDlg {
public:
    using CVorlaneDlg::CVorlaneDlg;
    SearchFigures figures;

    void MeasureWhenFilled()
    {
        if (IsFilling())
            return;
        const HWND hList = GetDlgItem(IDC_FILE_LIST);
        const int rows = ListView_GetItemCount(hList);
        const std::string last = BenchPath(static_cast<unsigned>(rows));
        const std::string lastName = last.substr(last.rfind('\\') + 1);
        for (int round = 0; round < kRounds; ++round) {
            figures.bareRead = std::min(figures.bareRead, BareRead(hList, rows));
            figures.noMatch = std::min(figures.noMatch, Press("no such name"));
            figures.lastRow = std::min(figures.lastRow, Press(lastName.c_str()));
        }
        figures.lastRowFound = ListView_GetItemState(hList, rows - 1, LVIS_SELECTED) != 0;
        PostMessage(WM_COMMAND, IDCANCEL);
    }

private:
    static double BareRead(HWND hList, int rows)
    {
        const double start = Now();
        char text[MAX_PATH];
        for (int row = 0; row < rows; ++row) {
            LVITEMA item{};
            item.iSubItem = 1;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(hList, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        }
        return Now() - start;
    }

    double Press(const char* text)
    {
        ::SetWindowTextA(GetDlgItem(IDC_SEARCH_TEXT), text);
        const double start = Now();
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEARCH, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(IDC_SEARCH)));
        return Now() - start;
    }
};

SearchBenchDialog* g_dialog = nullptr;

void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_dialog->m_hWnd)
        g_dialog->MeasureWhenFilled();
}

}  // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30001;
    InitBenchControls();
    BenchServices services;
    InstantProtection protection(static_cast<unsigned>(rows));
    PlatformServices platform = services.With(protection);

    SearchBenchDialog dialog(platform);
    g_dialog = &dialog;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, Watch);
    dialog.DoModal();
    ::KillTimer(nullptr, timer);

    const SearchFigures& f = dialog.figures;
    std::printf("reading the paths of %d rows: %.1f ms (best of %d)\n", rows, f.bareRead * 1000, kRounds);
    std::printf("search press without a match: %.1f ms, %.2fx the bare read\n", f.noMatch * 1000,
                f.noMatch / f.bareRead);
    std::printf("search press that finds the last row: %.1f ms, %.2fx the bare read%s\n", f.lastRow * 1000,
                f.lastRow / f.bareRead, f.lastRowFound ? "" : " (NOT FOUND)");
    return 0;
}

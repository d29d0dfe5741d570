#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "app/VorlaneDlg.h"
#include "gui/DialogDriver.h"
#include "gui/InspectionSteps.h"
#include "gui/MainDialogSteps.h"
#include "gui/TestServices.h"
#include "support/SortedRows.h"
#include "scan/ListRow.h"

namespace {

using Row = std::array<std::string, 2>;

// A mouse click in the middle of the column's header item, as the user makes it.
void ClickHeader(HWND hList, int column)
{
    const HWND hHeader = ListView_GetHeader(hList);
    RECT item{};
    ::SendMessageA(hHeader, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(hHeader, WM_LBUTTONUP, 0, point);
}

std::vector<Row> RowsOf(HWND hList)
{
    std::vector<Row> rows;
    for (int row = 0; row < RowCount(hList); ++row)
        rows.push_back({ItemText(hList, row, 0), ItemText(hList, row, 1)});
    return rows;
}

// A row's number, path and selection and focus marks, in one text.
std::string Describe(HWND hList, int row)
{
    const UINT state = ListView_GetItemState(hList, row, LVIS_SELECTED | LVIS_FOCUSED);
    return ItemText(hList, row, 0) + " " + ItemText(hList, row, 1) + " " + std::to_string(state);
}

// Notes the cursor at every change of a row that the list reports.
class CursorWatchingDlg : public CVorlaneDlg {
public:
    using CVorlaneDlg::CVorlaneDlg;
    std::vector<HCURSOR> cursorsWhileRowsChanged;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_ITEMCHANGED)
            cursorsWhileRowsChanged.push_back(::GetCursor());
        return CVorlaneDlg::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(ColumnSort, HeaderClicksSortByEitherColumnInAlternatingDirections)
{
    for (const int files : {120, 1, 0}) {
        TestServices test;
        test.ListFiles(files);
        // Names that differ in case only, repeat in other folders, or are empty.
        static const char* const odd[] = {"C:\\WINDOWS\\system32\\Zeta.dll", "C:\\WINDOWS\\alpha.dll", "C:\\WINDOWS\\Fonts\\",
                                           "C:\\WINDOWS\\system32\\alpha.dll", "C:\\WINDOWS\\alpha.dll", "beta.dll"};
        if (files > 50)
            test.protection.listed.insert(test.protection.listed.begin() + 50, std::begin(odd), std::end(odd));
        CVorlaneDlg dlg(test.services);
        RunModal(dlg, {
            FillDone(dlg),
            Do([&] {
                const HWND list = FileList(dlg);
                const std::vector<Row> enumerated = RowsOf(list);
                ASSERT_EQ(enumerated.size(), test.protection.listed.size());
                ClickHeader(list, 1);
                EXPECT_EQ(RowsOf(list), SortedByOrder(enumerated, 1, true)) << files;
                // The direction goes on alternating across columns, also
                // after a list too short to change: by number, descending.
                ClickHeader(list, 0);
                EXPECT_EQ(RowsOf(list), std::vector<Row>(enumerated.rbegin(), enumerated.rend())) << files;
                ClickHeader(list, 0);
                EXPECT_EQ(RowsOf(list), enumerated) << files;
                ClickHeader(list, 1);
                EXPECT_EQ(RowsOf(list), SortedByOrder(enumerated, 1, false)) << files;
            }),
            Close(dlg),
        });
    }
}

TEST(ColumnSort, RowsTakeTheirSelectionAndFocusAlongUnderTheWaitCursorAndTheSearchPositionStays)
{
    TestServices test;
    test.ListFiles(30);
    CursorWatchingDlg dlg(test.services);
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    std::vector<HCURSOR> cursorsWhileSorting;
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const HWND list = FileList(dlg);
            // Two presses: file1.dll in row 1, then file10.dll in row 10.
            SetText(dlg, IDC_SEARCH_TEXT, "file1");
            Press(dlg, IDC_SEARCH);
            Press(dlg, IDC_SEARCH);
            SetRowState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
            SetRowState(list, 5, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            std::vector<std::string> before;
            for (int row = 0; row < 30; ++row)
                before.push_back(Describe(list, row));
            ::SetCursor(arrow);
            dlg.cursorsWhileRowsChanged.clear();

            // The first click leaves the rows in their order; the second, descending, takes row r to 29 - r.
            ClickHeader(list, 0);
            ClickHeader(list, 0);
            for (int row = 0; row < 30; ++row)
                EXPECT_EQ(Describe(list, row), before[static_cast<size_t>(29 - row)]) << "row " << row;
            EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 24);
            EXPECT_EQ(ListView_GetSelectedCount(list), 3u);
            EXPECT_EQ(::GetCursor(), arrow);
            cursorsWhileSorting = dlg.cursorsWhileRowsChanged;
            // The search goes on from row 11, where file18.dll stands now.
            Press(dlg, IDC_SEARCH);
            EXPECT_EQ(State(list, 11), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "File file18.dll is not installed on the system");
        }),
        Close(dlg),
    });
    ASSERT_FALSE(cursorsWhileSorting.empty());
    for (const HCURSOR cursor : cursorsWhileSorting)
        EXPECT_EQ(cursor, ::LoadCursorA(nullptr, IDC_WAIT));
}

TEST(ColumnSort, ASelectionOfEveryRowStaysWholeWhileTheFocusTravels)
{
    TestServices test;
    test.ListFiles(30);
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const HWND list = FileList(dlg);
            SetRowState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
            SetRowState(list, 5, LVIS_FOCUSED, LVIS_FOCUSED);
            // Ascending leaves the order; descending takes row r to 29 - r.
            ClickHeader(list, 0);
            ClickHeader(list, 0);
            EXPECT_EQ(ListView_GetSelectedCount(list), 30u);
            EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 24);
            EXPECT_EQ(ListView_GetNextItem(list, 24, LVNI_FOCUSED), -1);
        }),
        Close(dlg),
    });
}

TEST(ColumnSort, ASortDuringTheFillOrdersTheRowsPresentAndLaterRowsFollowThem)
{
    GatedProtection gated(300);
    TestServices test;
    PlatformServices services = test.With(gated);
    CVorlaneDlg dlg(services);
    std::vector<Row> present;
    RunModal(dlg, {
        Do([&] { gated.Release(30); }),
        [&] { return RowCount(FileList(dlg)) == 30; },
        Do([&] {
            present = RowsOf(FileList(dlg));
            ClickHeader(FileList(dlg), 1);
            gated.Release(270);
        }),
        FillDone(dlg),
        Do([&] {
            const std::vector<Row> rows = RowsOf(FileList(dlg));
            ASSERT_EQ(rows.size(), 300u);
            EXPECT_EQ(std::vector<Row>(rows.begin(), rows.begin() + static_cast<long>(present.size())),
                      SortedByOrder(present, 1, true));
            for (size_t row = present.size(); row < rows.size(); ++row) {
                EXPECT_EQ(rows[row][0], FormatRowNumber(static_cast<unsigned>(row + 1)));
                EXPECT_EQ(rows[row][1], GatedProtection::PathOf(static_cast<std::uint32_t>(row)));
            }
        }),
        Close(dlg),
    });
}

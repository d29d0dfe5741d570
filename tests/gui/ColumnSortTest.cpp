#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "app/VorlaneDlg.h"
#include "gui/DialogDriver.h"
#include "gui/MainDialogSteps.h"
#include "gui/TestServices.h"
#include "support/SortedRows.h"
#include "scan/ListRow.h"

namespace {

using Row = std::array<std::string, 2>;

// A mouse click in the middle of the column's header item, as the user makes it.
void ClickHeader(const CListCtrl& list, int column)
{
    const HWND hHeader = list.GetHeaderCtrl();
    RECT item{};
    ::SendMessageA(hHeader, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(hHeader, WM_LBUTTONUP, 0, point);
}

std::vector<Row> RowsOf(const CListCtrl& list)
{
    std::vector<Row> rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        rows.push_back({ItemText(list, row, 0), ItemText(list, row, 1)});
    return rows;
}

// A row's path, state bits, image and value, in one text.
std::string Describe(const CListCtrl& list, int row)
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    item.iItem = row;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT | LVIS_OVERLAYMASK;
    list.GetItem(&item);
    char values[40];
    std::snprintf(values, sizeof values, " %x %d %d", item.state, item.iImage, static_cast<int>(item.lParam));
    return ItemText(list, row, 1) + values;
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
                const CFileListCtrl& list = dlg.m_list;
                const std::vector<Row> enumerated = RowsOf(list);
                ASSERT_EQ(enumerated.size(), test.protection.listed.size());
                ClickHeader(list, 1);
                EXPECT_EQ(RowsOf(list), SortedByOrder(enumerated, 1, true)) << files;
                // Even a list too short to change flips the direction.
                EXPECT_FALSE(list.m_bSortAscending) << files;
                // The direction goes on alternating across columns: by number, descending.
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

TEST(ColumnSort, RowsTakeTheirStateImageAndValueAlongUnderTheWaitCursorAndTheSearchPositionStays)
{
    TestServices test;
    test.ListFiles(30);
    CursorWatchingDlg dlg(test.services);
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const CFileListCtrl& list = dlg.m_list;
            list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
            list.SetItemState(5, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            list.SetItemState(9, LVIS_CUT | INDEXTOOVERLAYMASK(2), LVIS_CUT | LVIS_OVERLAYMASK);
            LVITEMA valued{};
            valued.mask = LVIF_PARAM | LVIF_IMAGE;
            valued.iItem = 7;
            valued.iImage = 3;
            valued.lParam = 0x1234;
            list.SetItem(&valued);
            std::vector<std::string> before;
            for (int row = 0; row < 30; ++row)
                before.push_back(Describe(list, row));
            dlg.m_strLastSearch = "file1";
            dlg.m_nSearchStart = 5;
            dlg.m_nSearchHit = 4;
            ::SetCursor(arrow);
            dlg.cursorsWhileRowsChanged.clear();

            // The first click leaves the rows in their order; the second, descending, takes row r to 29 - r.
            ClickHeader(list, 0);
            ClickHeader(list, 0);
            for (int row = 0; row < 30; ++row)
                EXPECT_EQ(Describe(list, row), before[static_cast<size_t>(29 - row)]) << "row " << row;
            EXPECT_EQ(list.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 24);
            EXPECT_EQ(list.SendMessage(LVM_GETSELECTEDCOUNT), 2);
            EXPECT_EQ(dlg.m_strLastSearch.str(), "file1");
            EXPECT_EQ(dlg.m_nSearchStart, 5);
            EXPECT_EQ(dlg.m_nSearchHit, 4);
            EXPECT_EQ(::GetCursor(), arrow);
        }),
        Close(dlg),
    });
    ASSERT_FALSE(dlg.cursorsWhileRowsChanged.empty());
    for (const HCURSOR cursor : dlg.cursorsWhileRowsChanged)
        EXPECT_EQ(cursor, ::LoadCursorA(nullptr, IDC_WAIT));
}

TEST(ColumnSort, ASortDuringTheFillOrdersTheRowsPresentAndLaterRowsFollowThem)
{
    TricklingProtection trickling(300);
    TestServices test;
    PlatformServices services = test.With(trickling);
    CVorlaneDlg dlg(services);
    std::vector<Row> present;
    RunModal(dlg, {
        [&] { return dlg.m_list.GetItemCount() >= 30; },
        Do([&] {
            present = RowsOf(dlg.m_list);
            ClickHeader(dlg.m_list, 1);
        }),
        FillDone(dlg),
        Do([&] {
            const std::vector<Row> rows = RowsOf(dlg.m_list);
            ASSERT_EQ(rows.size(), 300u);
            ASSERT_LT(present.size(), 300u);
            EXPECT_EQ(std::vector<Row>(rows.begin(), rows.begin() + static_cast<long>(present.size())),
                      SortedByOrder(present, 1, true));
            for (size_t row = present.size(); row < rows.size(); ++row) {
                EXPECT_EQ(rows[row][0], FormatRowNumber(static_cast<unsigned>(row + 1)));
                EXPECT_EQ(rows[row][1], TricklingProtection::PathOf(static_cast<std::uint32_t>(row)));
            }
        }),
        Close(dlg),
    });
}

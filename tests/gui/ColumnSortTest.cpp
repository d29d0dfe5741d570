#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/VorlaneDlg.h"
#include "gui/DialogDriver.h"
#include "gui/MainDialogSteps.h"
#include "gui/TestServices.h"
#include "listview/RowSort.h"
#include "support/SortedRows.h"
#include "scan/ListRow.h"

namespace {

using Row = std::array<std::string, 2>;

// A mouse click in the middle of the column's header item, as the user makes it.
void ClickHeader(HWND hList, int column)
{
    const HWND hHeader = ::GetDlgItem(hList, 0);
    RECT item{};
    ::SendMessageA(hHeader, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(hHeader, WM_LBUTTONUP, 0, point);
}

std::vector<Row> RowsOf(HWND hList)
{
    std::vector<Row> rows;
    const int count = static_cast<int>(::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
        rows.push_back({ItemText(hList, row, 0), ItemText(hList, row, 1)});
    return rows;
}

int IndexOfPath(const std::vector<Row>& rows, const std::string& path)
{
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const Row& row) { return row[1] == path; });
    return static_cast<int>(found - rows.begin());
}

LVITEMA ItemOf(HWND hList, int row)
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    item.iItem = row;
    item.stateMask = 0xFFFF;
    ::SendMessageA(hList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

void SetItemOf(HWND hList, int row, UINT mask, UINT state, int image, LPARAM param)
{
    LVITEMA item{};
    item.mask = mask;
    item.iItem = row;
    item.state = state;
    item.stateMask = state;
    item.iImage = image;
    item.lParam = param;
    ::SendMessageA(hList, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

TEST(ColumnSort, HeaderClicksSortByEitherColumnInAlternatingDirections)
{
    TestServices test;
    test.ListFiles(120);
    for (const char* path : {"C:\\WINDOWS\\system32\\Zeta.dll", "C:\\WINDOWS\\alpha.dll", "C:\\WINDOWS\\Fonts\\",
                             "C:\\WINDOWS\\system32\\alpha.dll", "C:\\WINDOWS\\alpha.dll", "beta.dll"})
        test.protection.listed.insert(test.protection.listed.begin() + 50, path);
    CVorlaneDlg dlg(test.services);
    std::vector<Row> enumerated;

    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const HWND hList = dlg.m_list;
            enumerated = RowsOf(hList);
            ASSERT_EQ(enumerated.size(), 126u);
            EXPECT_TRUE(dlg.m_list.m_bSortAscending);

            ClickHeader(hList, 1);
            const std::vector<Row> byName = RowsOf(hList);
            EXPECT_EQ(byName, SortedByOrder(enumerated, 1, true));
            EXPECT_EQ(byName.front()[1], "C:\\WINDOWS\\Fonts\\");
            EXPECT_LT(IndexOfPath(byName, "C:\\WINDOWS\\system32\\Zeta.dll"),
                      IndexOfPath(byName, "C:\\WINDOWS\\system32\\alpha.dll"));
            EXPECT_FALSE(dlg.m_list.m_bSortAscending);

            // The direction goes on alternating across columns: by number, descending.
            ClickHeader(hList, 0);
            std::vector<Row> reversed(enumerated.rbegin(), enumerated.rend());
            EXPECT_EQ(RowsOf(hList), reversed);

            ClickHeader(hList, 0);
            EXPECT_EQ(RowsOf(hList), enumerated);
            EXPECT_EQ(ItemText(hList, 99, 0), "100");

            ClickHeader(hList, 1);
            EXPECT_EQ(RowsOf(hList), SortedByOrder(enumerated, 1, false));
            EXPECT_TRUE(dlg.m_list.m_bSortAscending);
        }),
        Close(dlg),
    });
}

TEST(ColumnSort, EmptyListsAndSingleRowsStayButTheDirectionFlips)
{
    for (const int count : {0, 1}) {
        TestServices test;
        test.ListFiles(count);
        CVorlaneDlg dlg(test.services);
        RunModal(dlg, {
            FillDone(dlg),
            Do([&] {
                const std::vector<Row> before = RowsOf(dlg.m_list);
                ClickHeader(dlg.m_list, 1);
                EXPECT_FALSE(dlg.m_list.m_bSortAscending);
                ClickHeader(dlg.m_list, 0);
                EXPECT_TRUE(dlg.m_list.m_bSortAscending);
                EXPECT_EQ(RowsOf(dlg.m_list), before);
            }),
            Close(dlg),
        });
    }
}

TEST(ColumnSort, RowsTakeTheirStateImageAndValueAlongAndTheSearchPositionStays)
{
    TestServices test;
    test.ListFiles(30);
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const HWND hList = dlg.m_list;
            SetItemOf(hList, 2, LVIF_STATE, LVIS_SELECTED, 0, 0);
            SetItemOf(hList, 5, LVIF_STATE, LVIS_SELECTED | LVIS_FOCUSED, 0, 0);
            SetItemOf(hList, 7, LVIF_PARAM | LVIF_IMAGE, 0, 3, 0x1234);
            SetItemOf(hList, 9, LVIF_STATE, LVIS_CUT | INDEXTOOVERLAYMASK(2), 0, 0);
            dlg.m_strLastSearch = "file1";
            dlg.m_nSearchStart = 5;
            dlg.m_nSearchHit = 4;

            // The first click leaves the rows in their order; the second, descending, takes row r to 29 - r.
            ClickHeader(hList, 0);
            ClickHeader(hList, 0);
            for (int row = 0; row < 30; ++row) {
                const LVITEMA item = ItemOf(hList, row);
                const int from = 29 - row;
                EXPECT_EQ(ItemText(hList, row, 1), test.protection.listed[static_cast<size_t>(from)]);
                EXPECT_EQ((item.state & LVIS_SELECTED) != 0, from == 2 || from == 5) << "row " << row;
                EXPECT_EQ((item.state & LVIS_FOCUSED) != 0, from == 5) << "row " << row;
                EXPECT_EQ(item.lParam, from == 7 ? 0x1234 : 0) << "row " << row;
                EXPECT_EQ(item.iImage, from == 7 ? 3 : 0) << "row " << row;
                EXPECT_EQ(item.state & (LVIS_CUT | LVIS_OVERLAYMASK), from == 9 ? LVIS_CUT | INDEXTOOVERLAYMASK(2) : 0u)
                    << "row " << row;
            }
            EXPECT_EQ(::SendMessageA(hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 24);
            EXPECT_EQ(::SendMessageA(hList, LVM_GETSELECTEDCOUNT, 0, 0), 2);
            EXPECT_EQ(dlg.m_strLastSearch.str(), "file1");
            EXPECT_EQ(dlg.m_nSearchStart, 5);
            EXPECT_EQ(dlg.m_nSearchHit, 4);
        }),
        Close(dlg),
    });
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

namespace {

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

TEST(ColumnSort, TheWaitCursorShowsWhileTheRowsMove)
{
    TestServices test;
    test.ListFiles(12);
    CursorWatchingDlg dlg(test.services);
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            // file11.dll goes before file2.dll, and its selection with it.
            SetItemOf(dlg.m_list, 11, LVIF_STATE, LVIS_SELECTED, 0, 0);
            ::SetCursor(arrow);
            dlg.cursorsWhileRowsChanged.clear();
            ClickHeader(dlg.m_list, 1);
            EXPECT_EQ(::GetCursor(), arrow);
        }),
        Close(dlg),
    });
    ASSERT_FALSE(dlg.cursorsWhileRowsChanged.empty());
    for (const HCURSOR cursor : dlg.cursorsWhileRowsChanged)
        EXPECT_EQ(cursor, ::LoadCursorA(nullptr, IDC_WAIT));
}

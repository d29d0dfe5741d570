#pragma once
#include <string>
#include <vector>

#include "framework/ListCtrl.h"
#include "listview/CellTips.h"
#include "rows/TableSchema.h"

// A report list that shows a table held here, not in the control
// (LVS_OWNERDATA): the control asks for each text as it draws. A click on a
// column's header sorts the table by that column, as the column's layout
// says, the direction changing with every click.
class CTableListCtrl : public CListCtrl {
public:
    using Records = std::vector<std::vector<std::string>>;

    // Inserts the columns, scaled for the display; the one that fills takes
    // what the others leave.
    void SetColumns(std::vector<ColumnLayout> columns);
    // Gives the column that fills what the others leave of the list's
    // width now, never less than its own width.
    void FitColumns() const;
    void SetTable(Records records);
    // The records in the order the list shows them.
    const Records& Table() const { return m_records; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The text the tip over the cell under the mouse shows; empty for none.
    const std::string& TipText() const { return m_tips.Text(); }

protected:
    void PreSubclassWindow() override;
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    // The room the list leaves on each side of a cell's text.
    static int TextMargin();
    // The cell's text as the list shows it: a path too long for its column
    // cut in the middle, its file name kept.
    std::string ShownText(std::size_t row, std::size_t column) const;
    // The cell's whole text when the list shows it cut, else nothing.
    std::string CutText(int row, int column) const;
    int TextWidth(const std::string& text) const;

    CCellTips m_tips;
    std::vector<ColumnLayout> m_columns;
    Records m_records;
    BOOL m_bSortAscending = TRUE;
};

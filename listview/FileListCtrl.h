#pragma once

#include <string>
#include <vector>

#include "framework/ListCtrl.h"
#include "listview/CellTips.h"

class CDC;
class RowModel;

// The owner-drawn file list, a view of the row model (the template makes it
// LVS_OWNERDATA): it paints each row from the model as one band, normal or
// highlighted, gives the control the model's texts when it asks, makes the
// path column take the width the others leave, and sorts the model by a
// column when the column's header is clicked. The control itself keeps only
// the row count and which rows are selected and focused.
class CFileListCtrl : public CListCtrl {
public:
    explicit CFileListCtrl(RowModel& rows);

    // The columns of the file list's table.
    void InsertColumns();
    // Makes the column that fills take the width the others leave.
    void FitColumnsToClient();
    int GetColumnCount() const;
    // Shows the rows appended to the model since the last call.
    void ShowAppendedRows();
    // Puts the rows in the order of the column sort by `column`, one of the
    // header's. Selected and focused rows keep their marks at their new
    // places; the list does not scroll.
    void SortRows(int column, BOOL ascending);
    // The row a command on "the selected row" means: the focused row when it
    // is selected, else the first selected one; -1 for none.
    int SelectedRow() const;
    // Selects every row, as Ctrl+A does.
    void SelectAll() const;
    // Shows the "working in background" arrow over the list while `working`.
    void SetWorking(bool working);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The path the tip over the cell shows, when the cell shows it cut.
    const std::string& TipText() const { return m_tips.Text(); }

protected:
    void PreSubclassWindow() override;
    void MeasureItem(LPMEASUREITEMSTRUCT pMeasureItem) override;
    void DrawItem(LPDRAWITEMSTRUCT pDrawItem) override;
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFindItem(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFindItemW(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    LRESULT OnKeyUp(WPARAM key, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    // Two blank widths of the context's font: the room on each side of a
    // column's text.
    static int TextMargin(const CDC& dc);
    // The index of the column that fills the list's width.
    static int FillingColumn();
    // Widens the number column when its widest number would not fit.
    void FitNumberColumn();
    // The text of the row's cell in `column`.
    std::string CellText(int row, int column) const;
    // The same when the column is too narrow for it, else nothing.
    std::string CutText(int row, int column) const;
    // The row a search of the list for `text` finds, from `start` on; -1 for none.
    LRESULT FindRow(UINT flags, const std::string& text, int start) const;
    // Moves the selected and focused marks and the selection mark from each
    // row's old index to its new one; entry k of `order` is the old index
    // of the row now at k.
    void MoveMarks(const std::vector<int>& order) const;

    RowModel& m_rows;
    CCellTips m_tips;
    // Direction of the next sort by a header click; it changes with every click.
    BOOL m_bSortAscending = TRUE;
    bool m_bWorking = false;
    // Digits of the largest number the number column was fitted to.
    std::size_t m_nNumberDigits = 2;
};

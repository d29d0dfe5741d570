#pragma once
#include <string>
#include <vector>

#include "framework/ListCtrl.h"
#include "listview/CellTips.h"

class CDC;
class TableRows;

// Every list of the program: a report list that shows a table held in
// TableRows, not in the control (the template makes it LVS_OWNERDATA). The
// control keeps only the row count and which rows are selected and focused.
// It asks for each text as it needs it and is given the cell's whole text,
// whoever asks, so that a screen reader reads every path whole.
//
// Made LVS_OWNERDRAWFIXED, it paints each row itself, as one band, normal
// or highlighted; else the control paints, and is given a path cut to fit
// its column while it paints that path's row. Either way a path too long
// for its column is cut in the middle, its file name kept in view, with the
// whole path in a tip over the cell. A click on a column's header sorts
// the rows by that column, the direction changing with every click; the
// selected and focused rows keep their marks.
class CTableListCtrl : public CListCtrl {
public:
    // `rows` outlive the list; it reads them from the moment it has a window.
    explicit CTableListCtrl(TableRows& rows) : m_rows(rows) {}

    // The table's columns, scaled for the display.
    void InsertColumns();
    // Gives the column that fills what the others leave of the list's
    // width now, never less than its own width.
    void FitColumns();
    // Shows the rows appended to the table since the last call.
    void ShowAppendedRows();
    // Shows the table's rows anew, none selected.
    void ShowAllRows();
    // Puts the rows in the order of the sort by `column`, one of the
    // header's. Selected and focused rows keep their marks at their new
    // places; the list does not scroll.
    void SortRows(int column, bool ascending);
    // The row a command on "the selected row" means: the focused row when it
    // is selected, else the first selected one; -1 for none.
    int SelectedRow() const;
    // Selects every row, as Ctrl+A does.
    void SelectAll() const;
    // Shows the "working in background" arrow over the list while `working`.
    void SetWorking(bool working);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    void MeasureItem(LPMEASUREITEMSTRUCT pMeasureItem) override;
    void DrawItem(LPDRAWITEMSTRUCT pDrawItem) override;
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGetDispInfoW(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFindItem(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFindItemW(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    LRESULT OnKeyUp(WPARAM key, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    // Two blank widths of the list's font: the room on each side of a
    // column's text.
    static int TextMargin(const CDC& dc);
    bool OwnerDrawn() const { return (GetStyle() & LVS_OWNERDRAWFIXED) != 0; }
    // The cell's whole text; empty for a cell the table lacks.
    std::wstring CellText(int row, int column) const;
    // The text the control is given for the cell: while it paints the
    // cell's row, a path cut to fit the column.
    std::wstring GivenText(int row, int column) const;
    // The cell's whole text, for its tip, when the list shows it cut; else
    // nothing.
    std::string CutText(int row, int column) const;
    // Widens a column sorted by number when the count's digits would not fit.
    void FitNumberColumns();
    // The row a search of the list for `text` finds, from `start` on; -1 for none.
    LRESULT FindRow(UINT flags, const std::string& text, int start) const;
    // Moves the selected and focused marks and the selection mark from each
    // row's old index to its new one; entry k of `order` is the old index
    // of the row now at k.
    void MoveMarks(const std::vector<int>& order) const;

    TableRows& m_rows;
    CCellTips m_tips;
    // Direction of the next sort by a header click; it changes with every click.
    bool m_bSortAscending = true;
    bool m_bWorking = false;
    // The row the control paints now, in the plain form; -1 between rows.
    int m_paintingRow = -1;
    // Digits of the count the number columns were fitted to.
    std::size_t m_nNumberDigits = 2;
};

#pragma once
#include <string>
#include <vector>

#include "framework/ListCtrl.h"
#include "scan/ListRow.h"

// The owner-drawn file list: paints each row as one band, normal or
// highlighted, makes the path column take the width the others leave, and
// sorts its rows by a column when the column's header is clicked.
class CFileListCtrl : public CListCtrl {
public:
    CFileListCtrl();

    void FitColumnsToClient();
    int GetColumnCount() const;
    // Appends whole rows after the last one. Each row costs a repaint while
    // the list draws itself: callers suspend its drawing around a batch.
    void AppendRows(const std::vector<ListRow>& rows);
    // Puts the rows in the order of the column sort by `column`, one of the
    // header's. Rows move whole: the texts of every column, image,
    // application value and state.
    void SortRows(int column, BOOL ascending);
    // Every row, in the order the list shows them.
    std::vector<ListRow> Rows() const;
    // The row a command on "the selected row" means: the focused row when it
    // is selected, else the first selected one; -1 for none.
    int SelectedRow() const;
    // Shows the "working in background" arrow over the list while `working`.
    void SetWorking(bool working);

protected:
    void DrawItem(LPDRAWITEMSTRUCT pDrawItem) override;
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    // The rows' texts, column by column, and their attributes.
    struct RowsCopy {
        std::vector<std::vector<std::string>> texts;
        std::vector<LVITEMA> items;
    };
    RowsCopy CopyRows() const;
    // Puts the copied rows at the indexes `order` gives them: row order[k]
    // goes to k. Only the rows that move are written.
    void MoveRows(const std::vector<int>& order, const RowsCopy& rows) const;

    // Direction of the next sort by a header click; it changes with every click.
    BOOL m_bSortAscending = TRUE;
    // Band colours, sampled once when the list is made.
    COLORREF m_crBackground;
    COLORREF m_crHighlight;
    bool m_bWorking = false;
};

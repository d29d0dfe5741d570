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

protected:
    void DrawItem(LPDRAWITEMSTRUCT pDrawItem) override;
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

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
};

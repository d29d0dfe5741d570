#pragma once
#include <vector>

#include "framework/ListCtrl.h"
#include "scan/ListRow.h"

// The owner-drawn file list: paints each row as one band, normal or
// highlighted, and makes the path column take the width the others leave.
class CFileListCtrl : public CListCtrl {
public:
    CFileListCtrl();

    void FitColumnsToClient();
    int GetColumnCount() const;
    // Appends whole rows after the last one. Each row costs a repaint while
    // the list draws itself: callers suspend its drawing around a batch.
    void AppendRows(const std::vector<ListRow>& rows);

    // Band colours, sampled once when the list is made.
    COLORREF m_crBackground;
    COLORREF m_crHighlight;

protected:
    void DrawItem(LPDRAWITEMSTRUCT pDrawItem) override;
};

#pragma once
#include <string>
#include <vector>

#include "framework/ListCtrl.h"
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
    void SetTable(Records records);
    // The records in the order the list shows them.
    const Records& Table() const { return m_records; }

protected:
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    std::vector<ColumnLayout> m_columns;
    Records m_records;
    BOOL m_bSortAscending = TRUE;
};

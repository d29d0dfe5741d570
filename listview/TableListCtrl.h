#pragma once
#include <string>
#include <vector>

#include "framework/ListCtrl.h"

// A report list that shows a table held here, not in the control
// (LVS_OWNERDATA): the control asks for each text as it draws. A click on a
// column's header sorts the table by that column, the first by number and
// the others by text, the direction changing with every click.
class CTableListCtrl : public CListCtrl {
public:
    using Records = std::vector<std::vector<std::string>>;

    void SetTable(Records records);
    // The records in the order the list shows them.
    const Records& Table() const { return m_records; }

protected:
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    Records m_records;
    bool m_bSortAscending = true;
};

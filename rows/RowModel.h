#pragma once
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "rows/TableSchema.h"
#include "scan/ListRow.h"
#include "scan/RowSink.h"

class LeadBytes;

// The file list's rows in the order the list shows them: the one place a
// row is kept. The fill appends rows, the column sort reorders them, and
// the list's painting, the search, the details panel and the exports read
// them. As a row sink it takes the rows of a walk run on its own thread.
class RowModel final : public RowSink {
public:
    // As a row sink, the rows of a walk that goes on past the row limit
    // when `pastLimit`, else stops there.
    explicit RowModel(bool pastLimit = false) : m_bPastLimit(pastLimit) {}

    std::size_t Count() const { return m_rows.size(); }
    const ListRow& operator[](std::size_t row) const { return m_rows[row]; }
    const std::vector<ListRow>& Rows() const { return m_rows; }

    void Append(std::vector<ListRow>&& rows);
    // Puts the rows in the order of the column sort `sort`, file names found
    // in the code page with the lead bytes `lead`. Entry k of the result is
    // where the row now at k stood before.
    std::vector<int> Sort(ColumnSort sort, bool ascending, const LeadBytes& lead);

    void AddRow(ListRow row) override { m_rows.push_back(std::move(row)); }
    bool StopRequested() const override { return false; }
    bool GoOnPastLimit() override { return m_bPastLimit; }

private:
    std::vector<ListRow> m_rows;
    bool m_bPastLimit;
};

// The first row from `start` on, then from the top when `wrap`, whose
// number as column 0 shows it begins with `text` (is `text`, unless
// `partial`): typing in the list goes there.
std::optional<std::size_t> FindNumberText(const RowModel& rows, std::string_view text, int start, bool wrap,
                                          bool partial);

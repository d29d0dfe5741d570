#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
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
//
// A current Windows has some 200,000 protected files, most of them a few to
// a folder of a long name: a row keeps its number and its file name, and
// the rows of one folder share that folder's text.
class RowModel final : public RowSink {
public:
    // Paths are split in the code page with the lead bytes `lead`. As a row
    // sink, the model takes the rows of a walk that goes on past the row
    // limit when `pastLimit`, else stops there.
    explicit RowModel(const LeadBytes& lead, bool pastLimit = false);

    std::size_t Count() const { return m_rows.size(); }
    // The row, its path put together.
    ListRow operator[](std::size_t row) const { return {Number(row), Path(row)}; }
    std::uint32_t Number(std::size_t row) const { return m_rows[row].number; }
    std::string Path(std::size_t row) const;
    std::string_view Name(std::size_t row) const;
    // Every row, in order.
    std::vector<ListRow> Rows() const;

    void Append(std::vector<ListRow>&& rows);
    // Puts the rows in the order of the column sort `sort`. Entry k of the
    // result is where the row now at k stood before.
    std::vector<int> Sort(ColumnSort sort, bool ascending);

    void AddRow(ListRow row) override;
    bool StopRequested() const override { return false; }
    bool GoOnPastLimit() override { return m_bPastLimit; }

private:
    struct StoredRow {
        std::uint32_t number;
        // Into m_folders, and m_names.
        std::uint32_t folder;
        std::uint32_t nameStart;
        std::uint32_t nameLength;
    };

    const LeadBytes& m_lead;
    bool m_bPastLimit;
    std::vector<StoredRow> m_rows;
    // Each folder's text with its last backslash, once for the rows found
    // in it one after the other.
    std::vector<std::string> m_folders;
    std::string m_names;
};

// The first row from `start` on, then from the top when `wrap`, whose
// number as column 0 shows it begins with `text` (is `text`, unless
// `partial`): typing in the list goes there.
std::optional<std::size_t> FindNumberText(const RowModel& rows, std::string_view text, int start, bool wrap,
                                          bool partial);

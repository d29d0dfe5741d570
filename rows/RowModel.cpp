#include "rows/RowModel.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "rows/RowSort.h"

void RowModel::Append(std::vector<ListRow>&& rows)
{
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
}

std::vector<int> RowModel::Sort(ColumnSort sort, bool ascending, const LeadBytes& lead)
{
    std::vector<int> order = SortedRowOrder(m_rows, sort, ascending, lead);
    std::vector<ListRow> sorted;
    sorted.reserve(m_rows.size());
    for (const int from : order)
        sorted.push_back(std::move(m_rows[static_cast<std::size_t>(from)]));
    m_rows = std::move(sorted);
    return order;
}

std::optional<std::size_t> FindNumberText(const RowModel& rows, std::string_view text, int start, bool wrap,
                                          bool partial)
{
    const auto matches = [&](std::size_t row) {
        const std::string number = FormatRowNumber(rows[row].number);
        return partial ? number.starts_with(text) : number == text;
    };
    const std::size_t first = std::min<std::size_t>(start < 0 ? 0 : static_cast<std::size_t>(start), rows.Count());
    for (std::size_t row = first; row < rows.Count(); ++row) {
        if (matches(row))
            return row;
    }
    for (std::size_t row = 0; wrap && row < first; ++row) {
        if (matches(row))
            return row;
    }
    return std::nullopt;
}

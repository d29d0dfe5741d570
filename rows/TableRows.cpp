#include "rows/TableRows.h"

#include <algorithm>

#include "platform/AsciiCase.h"

std::optional<std::size_t> TableRows::FindRow(std::string_view text, int start, bool wrap, bool partial) const
{
    const auto matches = [&](std::size_t row) {
        const std::string first = Text(row, 0);
        return partial ? first.size() >= text.size() && SameIgnoringAsciiCase(first.substr(0, text.size()), text)
                       : SameIgnoringAsciiCase(first, text);
    };
    return FirstMatchingRow(Count(), start, wrap, matches);
}

std::optional<std::size_t> FirstMatchingRow(std::size_t count, int start, bool wrap,
                                            const std::function<bool(std::size_t row)>& matches)
{
    const std::size_t from = std::min<std::size_t>(start < 0 ? 0 : static_cast<std::size_t>(start), count);
    for (std::size_t row = from; row < count; ++row) {
        if (matches(row))
            return row;
    }
    for (std::size_t row = 0; wrap && row < from; ++row) {
        if (matches(row))
            return row;
    }
    return std::nullopt;
}

std::vector<std::vector<std::string>> RecordsOf(const TableRows& rows)
{
    std::vector<std::vector<std::string>> records(rows.Count());
    for (std::size_t row = 0; row < records.size(); ++row) {
        for (std::size_t column = 0; column < rows.ColumnCount(); ++column)
            records[row].push_back(rows.Text(row, column));
    }
    return records;
}

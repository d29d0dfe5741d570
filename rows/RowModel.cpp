#include "rows/RowModel.h"

#include <algorithm>
#include <limits>
#include <string>

#include "platform/PathText.h"
#include "rows/RowSort.h"
#include "rows/TableRows.h"

RowModel::RowModel(const LeadBytes& lead, bool pastLimit) : m_lead(lead), m_bPastLimit(pastLimit) {}

std::string RowModel::Path(std::size_t row) const
{
    const StoredRow& stored = m_rows[row];
    std::string path;
    const std::string& folder = m_folders[stored.folder];
    path.reserve(folder.size() + stored.nameLength);
    path.append(folder).append(m_names, stored.nameStart, stored.nameLength);
    return path;
}

std::string_view RowModel::Name(std::size_t row) const
{
    const StoredRow& stored = m_rows[row];
    return std::string_view(m_names).substr(stored.nameStart, stored.nameLength);
}

std::vector<ListRow> RowModel::Rows() const
{
    std::vector<ListRow> rows;
    rows.reserve(m_rows.size());
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        rows.push_back((*this)[row]);
    return rows;
}

void RowModel::AddRow(ListRow row)
{
    const std::size_t nameStart = FileNameStart(row.path, m_lead);
    const std::string_view folder = std::string_view(row.path).substr(0, nameStart);
    // A walk finds a folder's files one after the other.
    if (m_folders.empty() || m_folders.back() != folder)
        m_folders.emplace_back(folder);
    m_rows.push_back({row.number, static_cast<std::uint32_t>(m_folders.size() - 1),
                      static_cast<std::uint32_t>(m_names.size()),
                      static_cast<std::uint32_t>(row.path.size() - nameStart)});
    m_names.append(row.path, nameStart);
}

void RowModel::Append(std::vector<ListRow>&& rows)
{
    for (ListRow& row : rows)
        AddRow(std::move(row));
}

std::vector<int> RowModel::Sort(ColumnSort sort, bool ascending)
{
    std::vector<int> order;
    if (sort == ColumnSort::ByNumber) {
        // The number's text is the number written out: one text, one number.
        std::vector<std::int32_t> keys;
        keys.reserve(m_rows.size());
        for (const StoredRow& row : m_rows)
            keys.push_back(static_cast<std::int32_t>(
                std::min<std::uint32_t>(row.number, std::numeric_limits<std::int32_t>::max())));
        order = SortedOrder(std::move(keys), [this](int a, int b) {
            return m_rows[static_cast<std::size_t>(a)].number == m_rows[static_cast<std::size_t>(b)].number;
        }, ascending);
    } else if (sort == ColumnSort::ByFileName) {
        std::vector<std::string_view> keys;
        keys.reserve(m_rows.size());
        for (std::size_t row = 0; row < m_rows.size(); ++row)
            keys.push_back(Name(row));
        // Rows with equal names hold identical paths when their folders'
        // texts are the same.
        order = SortedOrder(std::move(keys), [this](int a, int b) {
            return m_folders[m_rows[static_cast<std::size_t>(a)].folder] ==
                   m_folders[m_rows[static_cast<std::size_t>(b)].folder];
        }, ascending);
    } else {
        std::vector<std::string> paths;
        paths.reserve(m_rows.size());
        for (std::size_t row = 0; row < m_rows.size(); ++row)
            paths.push_back(Path(row));
        order = SortedRowOrder(paths, sort, ascending, m_lead);
    }
    std::vector<StoredRow> sorted;
    sorted.reserve(m_rows.size());
    for (const int from : order)
        sorted.push_back(m_rows[static_cast<std::size_t>(from)]);
    m_rows = std::move(sorted);
    return order;
}

std::optional<std::size_t> FindNumberText(const RowModel& rows, std::string_view text, int start, bool wrap,
                                          bool partial)
{
    const auto matches = [&](std::size_t row) {
        const std::string number = FormatRowNumber(rows.Number(row));
        return partial ? number.starts_with(text) : number == text;
    };
    return FirstMatchingRow(rows.Count(), start, wrap, matches);
}

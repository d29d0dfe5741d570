#include "listview/FileListRows.h"

#include "platform/TextConversion.h"
#include "rows/FileListColumns.h"

std::size_t FileListRows::ColumnCount() const
{
    return FileListColumns().size();
}

const ColumnLayout& FileListRows::Layout(std::size_t column) const
{
    return FileListColumns()[column].layout;
}

std::string FileListRows::Text(std::size_t row, std::size_t column) const
{
    return Utf8Text(FileListColumns()[column].text(m_rows[row]));
}

std::vector<int> FileListRows::Sort(std::size_t column, bool ascending)
{
    return m_rows.Sort(Layout(column).sort, ascending);
}

std::optional<std::size_t> FileListRows::FindRow(std::string_view text, int start, bool wrap, bool partial) const
{
    return FindNumberText(m_rows, text, start, wrap, partial);
}

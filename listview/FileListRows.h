#pragma once
#include "rows/RowModel.h"
#include "rows/TableRows.h"

// The row model as the file list shows it: the file list's columns, their
// texts in UTF-8, sorted and searched by the model itself, which is fast
// at every protected file of a current Windows.
class FileListRows final : public TableRows {
public:
    explicit FileListRows(RowModel& rows) : m_rows(rows) {}

    std::size_t Count() const override { return m_rows.Count(); }
    std::size_t ColumnCount() const override;
    const ColumnLayout& Layout(std::size_t column) const override;
    std::string Text(std::size_t row, std::size_t column) const override;
    std::vector<int> Sort(std::size_t column, bool ascending) override;
    std::optional<std::size_t> FindRow(std::string_view text, int start, bool wrap, bool partial) const override;

private:
    RowModel& m_rows;
};

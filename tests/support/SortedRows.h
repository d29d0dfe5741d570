#pragma once
// Rows put in the order the column sort finds for them.
#include <string>
#include <vector>

#include "platform/LeadBytes.h"
#include "rows/FileListColumns.h"
#include "rows/RowSort.h"

// How the file list sorts by its column `column`.
inline ColumnSort FileListSort(int column)
{
    return FileListColumns()[static_cast<std::size_t>(column)].layout.sort;
}

// `rows` (each an indexable row of texts) in the column sort's order by `column`.
template <class Row>
std::vector<Row> SortedByOrder(const std::vector<Row>& rows, int column, bool ascending)
{
    std::vector<std::string> texts;
    for (const Row& row : rows)
        texts.push_back(row[static_cast<size_t>(column)]);
    std::vector<Row> sorted;
    for (const int from : SortedRowOrder(texts, FileListSort(column), ascending, LeadBytes{}))
        sorted.push_back(rows[static_cast<size_t>(from)]);
    return sorted;
}

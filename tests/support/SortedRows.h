#pragma once
// Rows put in the order the column sort finds for them.
#include <string>
#include <vector>

#include "rows/RowSort.h"
#include "platform/LeadBytes.h"

// `rows` (each an indexable row of texts) in the column sort's order by `column`.
template <class Row>
std::vector<Row> SortedByOrder(const std::vector<Row>& rows, int column, bool ascending)
{
    std::vector<std::string> texts;
    for (const Row& row : rows)
        texts.push_back(row[static_cast<size_t>(column)]);
    std::vector<Row> sorted;
    for (const int from : SortedRowOrder(texts, column, ascending, LeadBytes{}))
        sorted.push_back(rows[static_cast<size_t>(from)]);
    return sorted;
}

#pragma once
// The order of a small table sorted by one of its columns, as a header
// click on it asks: by number or by text, as the column's sort says.
#include <cstddef>
#include <string>
#include <vector>

#include "rows/TableSchema.h"

// Entry k is the index of the record that goes to place k. Records with
// equal keys keep their order. A column sorted by file name sorts here by
// its whole text.
std::vector<std::size_t> SortedTableOrder(const std::vector<std::vector<std::string>>& records, std::size_t column,
                                          ColumnSort sort, bool ascending);

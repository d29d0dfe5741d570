#pragma once
// The order of a small table sorted by one of its columns, as a header
// click on it asks: the first column by number, any other by its text.
#include <cstddef>
#include <string>
#include <vector>

// Entry k is the index of the record that goes to place k. Records with
// equal keys keep their order.
std::vector<std::size_t> SortedTableOrder(const std::vector<std::vector<std::string>>& records, std::size_t column,
                                          bool ascending);

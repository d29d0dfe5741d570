#pragma once
// Tables as JSON Lines, as fleet tools collect them: one object a row, then
// one that sums the whole up, each on its own line.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "export/ListExport.h"
#include "rows/TableSchema.h"

// A table's column in JSON: its name (TableColumn::jsonName) and whether
// its texts are numbers.
struct JsonColumn {
    std::string name;
    bool number;
};

template <class Row>
std::vector<JsonColumn> JsonColumnsOf(TableSchema<Row> schema)
{
    std::vector<JsonColumn> columns;
    for (const TableColumn<Row>& column : schema)
        columns.push_back({column.jsonName, column.layout.sort == ColumnSort::ByNumber});
    return columns;
}

// What the last line says, so that a collector that keeps only the last
// line still knows the outcome.
struct JsonSummary {
    // "save", "verify", "compare".
    std::string command;
    // The files listed.
    std::size_t files = 0;
    // The count of each kind, by its name, in this order.
    std::vector<std::pair<std::string, std::size_t>> counts = {};
    // Every folder was listed, and the walk went to its end.
    bool whole = true;
    int exitCode = 0;
    std::string vorlaneVersion = {};
    std::string windowsVersion = {};
};

// The records, UTF-8, as one JSON object a line in their order, then the
// summary's: UTF-8 without a byte order mark, LF after each line. Every
// column is in every object, an empty text as "", a number column's text
// as the number it holds. Bytes that are no UTF-8 are written as U+FFFD.
std::string JsonLinesDocument(const std::vector<JsonColumn>& columns, const std::vector<Record>& records,
                              const JsonSummary& summary);

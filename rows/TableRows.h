#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rows/TableSchema.h"

// The rows a table list shows, in the order it shows them, and the columns
// it shows them in: what the list asks as it paints, as a screen reader
// reads it, and as a header click sorts it.
class TableRows {
public:
    virtual ~TableRows() = default;

    virtual std::size_t Count() const = 0;
    virtual std::size_t ColumnCount() const = 0;
    virtual const ColumnLayout& Layout(std::size_t column) const = 0;
    // The cell's whole text, in UTF-8.
    virtual std::string Text(std::size_t row, std::size_t column) const = 0;
    // Puts the rows in the order of the sort by `column` that its layout
    // says. Entry k of the result is where the row now at k stood before.
    virtual std::vector<int> Sort(std::size_t column, bool ascending) = 0;
    // The first row from `start` on, then from the top when `wrap`, whose
    // first column begins with `text` (is `text`, unless `partial`), letter
    // case aside: typing in the list goes there.
    virtual std::optional<std::size_t> FindRow(std::string_view text, int start, bool wrap, bool partial) const;
};

// The first of `count` rows from `start` on, then from the top when `wrap`,
// for which `matches` holds: where typing in a list goes.
std::optional<std::size_t> FirstMatchingRow(std::size_t count, int start, bool wrap,
                                            const std::function<bool(std::size_t row)>& matches);

// Every row's texts, column by column, in the order the rows are shown.
std::vector<std::vector<std::string>> RecordsOf(const TableRows& rows);

#pragma once
#include <cstdint>
#include <string>

// One row of the file list: its 1-based number, shown in column 0 as
// FormatRowNumber gives it, and the full path of column 1. Rows travel
// whole, so no reader ever sees a number without its path.
struct ListRow {
    std::uint32_t number = 0;
    std::string path;
};

// Column 0 text of the row numbered n: at least two digits ("01", "10", "100").
std::string FormatRowNumber(std::uint32_t n);

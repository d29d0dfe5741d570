#pragma once
#include <string>

// One row of the file list: its 1-based number as shown in column 0 and the
// full path of column 1. Rows travel whole, so no reader ever sees a number
// without its path.
struct ListRow {
    std::string number;
    std::string path;
};

// Column 0 text of the row numbered n: at least two digits ("01", "10", "100").
std::string FormatRowNumber(unsigned n);

#pragma once
// The file list as text that other programs read: the clipboard's
// tab-separated lines and a CSV document.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/ListRow.h"

// Every row as "N<TAB>path", each line ending in CR LF, in the given order.
std::string TabSeparatedRows(const std::vector<ListRow>& rows);

// `field` as one CSV field: in double quotes, its own quotes doubled, when
// it holds a comma, a quote or a line break; as it is otherwise.
std::string CsvField(std::string_view field);

// A path as UTF-8.
using Utf8Path = std::function<std::string(const std::string& path)>;

// A CSV document as spreadsheets read it: a UTF-8 byte order mark, the
// header "N,Path", then one record per row in the given order, every line
// ending in CR LF. `utf8` gives each path in UTF-8.
std::string CsvDocument(const std::vector<ListRow>& rows, const Utf8Path& utf8);

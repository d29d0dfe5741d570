#pragma once
// Tables as text that other programs read: the clipboard's tab-separated
// lines and a CSV document. A table is a list of records, each a list of
// fields.
#include <string>
#include <string_view>
#include <vector>


using Record = std::vector<std::string>;

// `field` as a spreadsheet shows it as text: one that begins with what
// starts a formula (=, +, -, @, a tab or a carriage return), after any
// number of apostrophes, gets one apostrophe more in front, which the
// spreadsheet does not show. Any text a signer's certificate may hold
// thus stays text, and every field reads back as it was written.
std::string InertField(std::string_view field);

// Every record as its fields, inert, joined by tabs, each line ending in
// CR LF, in the given order.
std::string TabSeparatedLines(const std::vector<Record>& records);

// `field` as one CSV field: inert, and in double quotes, its own quotes
// doubled, when it holds a comma, a quote or a line break.
std::string CsvField(std::string_view field);

// A CSV document as spreadsheets read it: a UTF-8 byte order mark, the
// header, then one line per record in the given order, every line ending
// in CR LF. The header and the records are UTF-8.
std::string CsvDocument(const Record& header, const std::vector<Record>& records);

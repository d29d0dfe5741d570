#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/ListExport.h"
#include "rows/TableSchema.h"

class SaveFileSystem;

// Saves `bytes` to `path`, never half written. 0 when saved, else the
// system's error code.
unsigned SaveDocument(SaveFileSystem& files, const std::wstring& path, std::string_view bytes);

// Saves the table of `header` and `records`, in UTF-8, to `path` as a CSV
// document, never half written. 0 when saved, else the system's error code.
unsigned SaveCsv(SaveFileSystem& files, const std::wstring& path, const Record& header,
                 const std::vector<Record>& records);

// The rows as the CSV document of the table `schema`, their texts made
// UTF-8 by `utf8` (see RecordsOf).
template <class Row>
unsigned SaveTable(SaveFileSystem& files, const std::wstring& path, TableSchema<Row> schema, std::span<const Row> rows,
                   ToUtf8 utf8)
{
    return SaveCsv(files, path, CsvHeaderOf(schema), RecordsOf(schema, rows, utf8));
}

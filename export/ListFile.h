#pragma once
#include <span>
#include <string>
#include <vector>

#include "export/ListExport.h"
#include "rows/TableSchema.h"

class SaveFileSystem;

// Saves the table of `header` and `records`, ANSI as the program holds its
// texts, to `path` as a CSV document in UTF-8, never half written. 0 when
// saved, else the system's error code.
unsigned SaveCsv(SaveFileSystem& files, const std::wstring& path, const Record& header,
                 const std::vector<Record>& records);

// The same for records already in UTF-8.
unsigned SaveUtf8Csv(SaveFileSystem& files, const std::wstring& path, const Record& header,
                     const std::vector<Record>& records);

// The rows as the CSV document of the table `schema`.
template <class Row>
unsigned SaveTable(SaveFileSystem& files, const std::wstring& path, TableSchema<Row> schema, std::span<const Row> rows)
{
    return SaveCsv(files, path, CsvHeaderOf(schema), RecordsOf(schema, rows));
}

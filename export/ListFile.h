#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/JsonLines.h"
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

// What a table is written as: CSV, or JSON Lines for /json.
enum class OutputFormat { Csv, JsonLines };

// The rows as a document of the table `schema`, their texts made UTF-8 by
// `utf8` (see RecordsOf): CSV, or JSON Lines ending in `summary`'s line.
template <class Row>
std::string TableDocument(TableSchema<Row> schema, std::span<const Row> rows, ToUtf8 utf8,
                          OutputFormat format = OutputFormat::Csv, const JsonSummary& summary = {})
{
    const std::vector<Record> records = RecordsOf(schema, rows, utf8);
    return format == OutputFormat::JsonLines ? JsonLinesDocument(JsonColumnsOf(schema), records, summary)
                                             : CsvDocument(CsvHeaderOf(schema), records);
}

// Saves the rows as the CSV document of the table `schema` (see
// TableDocument), never half written. 0, or the system's error code.
template <class Row>
unsigned SaveTable(SaveFileSystem& files, const std::wstring& path, TableSchema<Row> schema, std::span<const Row> rows,
                   ToUtf8 utf8)
{
    return SaveDocument(files, path, TableDocument(schema, rows, utf8));
}

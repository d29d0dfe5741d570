#pragma once
// A table's columns, each defined once: its heading and width in a list,
// its name in a CSV file's header and in a JSON Lines object, and the text a
// row gives it. The list, Copy, Save and the command line all read the one
// definition, so a column is added in one place.
#include <span>
#include <string>
#include <vector>

// How a click on a column's header orders the rows.
enum class ColumnSort {
    // By the number the text starts with, as atoi reads it.
    ByNumber,
    // By the file name of the path the text holds, byte for byte.
    ByFileName,
    // By the whole text, byte for byte.
    ByText,
};

// A column as a list shows it.
struct ColumnLayout {
    // The heading, with the list's customary leading blank: " File Path".
    const char* heading;
    // At 96 DPI. The column that fills takes what the others leave of the
    // list's width, and never less than this.
    int width;
    bool fills;
    ColumnSort sort;
    // A path: a text too long for the column is cut in its middle, so
    // that its file name stays in view.
    bool path = false;
};

template <class Row>
struct TableColumn {
    ColumnLayout layout;
    // The column's name in a CSV header: "Path".
    const char* csvName;
    // Its name in a JSON Lines object, which stays as it is once released:
    // "path"; "before.signer" is the member "signer" of the object "before".
    // A column sorted by number is a JSON number there, any other a text.
    const char* jsonName;
    std::string (*text)(const Row& row);
};

template <class Row>
using TableSchema = std::span<const TableColumn<Row>>;

template <class Row>
std::vector<std::string> CsvHeaderOf(TableSchema<Row> schema)
{
    std::vector<std::string> header;
    for (const TableColumn<Row>& column : schema)
        header.emplace_back(column.csvName);
    return header;
}

// How the texts of a table's rows become UTF-8, as every exported table is:
// the program's ANSI-to-UTF-8 conversion for rows of ANSI text, none
// (nullptr) for rows already in UTF-8.
using ToUtf8 = std::string (*)(const std::string& text);

// Each row's texts, column by column, in the rows' order, made UTF-8 by
// `utf8` unless it is null.
template <class Row>
std::vector<std::vector<std::string>> RecordsOf(TableSchema<Row> schema, std::span<const Row> rows,
                                                ToUtf8 utf8 = nullptr)
{
    std::vector<std::vector<std::string>> records;
    records.reserve(rows.size());
    for (const Row& row : rows) {
        std::vector<std::string>& record = records.emplace_back();
        record.reserve(schema.size());
        for (const TableColumn<Row>& column : schema)
            record.push_back(utf8 ? utf8(column.text(row)) : column.text(row));
    }
    return records;
}

// The CSV names joined by commas: "N, Path, Signature".
template <class Row>
std::string CsvNamesOf(TableSchema<Row> schema)
{
    std::string names;
    for (const TableColumn<Row>& column : schema)
        names += (names.empty() ? "" : ", ") + std::string(column.csvName);
    return names;
}

#pragma once
// Reads back what export/ListExport.h's CsvDocument writes, and what a
// spreadsheet saves from it: UTF-8 text, with or without a byte order mark,
// lines ending in CR LF or LF, fields in double quotes (their quotes
// doubled) that may hold commas and line breaks, and fields made inert.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How a refusal names a line of the text: "line 4".
std::string LineText(std::size_t line);

class CsvReader {
public:
    // `text` must outlive the reader.
    explicit CsvReader(std::string_view text);

    // Reads the next record. False at the end of the text, and when the
    // text is no CSV (then Refusal() says why, and every later call is
    // false too). Blank lines at the end are no record.
    bool Next();

    // The record last read, each field as it was before it was written:
    // unquoted, and without the apostrophe that made it inert.
    std::span<const std::string> Fields() const { return {m_fields.data(), m_count}; }
    // The line the record last read starts on, from 1.
    std::size_t Line() const { return m_recordLine; }

    // Why the text is no CSV, in English: "it is not UTF-8 text (line 4)";
    // empty while it reads as one.
    const std::string& Refusal() const { return m_refusal; }

private:
    // Reads one field into the next slot; false when the record ends after it.
    bool ReadField();
    bool ReadQuotedField(std::string& field);
    bool AtBlankEnd() const;
    bool Refuse(std::string reason);

    std::string_view m_text;
    std::size_t m_at = 0;
    std::size_t m_line = 1;
    std::size_t m_recordLine = 0;
    // Kept from record to record, so that their strings keep their space.
    std::vector<std::string> m_fields;
    std::size_t m_count = 0;
    std::string m_refusal;
};

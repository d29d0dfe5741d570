#include "export/ListExport.h"

std::string TabSeparatedRows(const std::vector<ListRow>& rows)
{
    std::string text;
    for (const ListRow& row : rows) {
        text += FormatRowNumber(row.number);
        text += '\t';
        text += row.path;
        text += "\r\n";
    }
    return text;
}

std::string CsvField(std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(field);
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string CsvDocument(const std::vector<ListRow>& rows, const Utf8Path& utf8)
{
    std::string document = "\xEF\xBB\xBF" "N,Path\r\n";
    for (const ListRow& row : rows) {
        document += FormatRowNumber(row.number);
        document += ',';
        document += CsvField(utf8(row.path));
        document += "\r\n";
    }
    return document;
}

#include "export/ListExport.h"

#include "rows/InertText.h"

namespace {

// `fields` joined by `separator`, each made by `field`, and a line break.
template <class Field>
void AppendLine(std::string& text, const Record& fields, char separator, Field field)
{
    for (std::size_t at = 0; at < fields.size(); ++at) {
        if (at > 0)
            text += separator;
        text += field(fields[at]);
    }
    text += "\r\n";
}

}  // namespace

std::string InertField(std::string_view field)
{
    std::string inert(StartsAFormula(field) ? 1 : 0, '\'');
    inert.append(field);
    return inert;
}

std::string TabSeparatedLines(const std::vector<Record>& records)
{
    std::string text;
    for (const Record& record : records)
        AppendLine(text, record, '\t', InertField);
    return text;
}

std::string CsvField(std::string_view text)
{
    const std::string field = InertField(text);
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string CsvDocument(const Record& header, const std::vector<Record>& records)
{
    std::string document = "\xEF\xBB\xBF";
    AppendLine(document, header, ',', CsvField);
    for (const Record& record : records)
        AppendLine(document, record, ',', CsvField);
    return document;
}

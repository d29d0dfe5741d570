#include "export/JsonLines.h"

#include <charconv>
#include <cstdint>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;

std::string Line(const Json& object)
{
    return object.dump(-1, ' ', false, Json::error_handler_t::replace) + '\n';
}

// A number column's text as a number, or as the text where it holds none.
Json NumberOrText(const std::string& text)
{
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc() && end == text.data() + text.size() && !text.empty())
        return number;
    return text;
}

// The member a column's name stands for: "before.signer" is "signer" of
// the object "before".
Json& MemberOf(Json& object, const std::string& name)
{
    const std::size_t dot = name.find('.');
    if (dot == std::string::npos)
        return object[name];
    return object[name.substr(0, dot)][name.substr(dot + 1)];
}

}  // namespace

std::string JsonLinesDocument(const std::vector<JsonColumn>& columns, const std::vector<Record>& records,
                              const JsonSummary& summary)
{
    std::string document;
    for (const Record& record : records) {
        Json object = Json::object();
        for (std::size_t at = 0; at < columns.size(); ++at) {
            const std::string& text = at < record.size() ? record[at] : std::string();
            MemberOf(object, columns[at].name) = columns[at].number ? NumberOrText(text) : Json(text);
        }
        document += Line(object);
    }
    Json counts = Json::object();
    for (const auto& [kind, count] : summary.counts)
        counts[kind] = count;
    document += Line({
        {"summary", true},
        {"command", summary.command},
        {"files", summary.files},
        {"counts", counts},
        {"whole", summary.whole},
        {"exit_code", summary.exitCode},
        {"vorlane_version", summary.vorlaneVersion},
        {"windows_version", summary.windowsVersion},
    });
    return document;
}

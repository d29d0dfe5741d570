#include "compare/BaselineReader.h"

#include <algorithm>
#include <array>
#include <span>

#include "compare/BaselineColumns.h"
#include "compare/CsvReader.h"
#include "compare/JsonLinesBaseline.h"
#include "platform/AsciiCase.h"

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsHeading(std::string_view heading, std::string_view name)
{
    while (!heading.empty() && IsBlank(heading.front()))
        heading.remove_prefix(1);
    while (!heading.empty() && IsBlank(heading.back()))
        heading.remove_suffix(1);
    return SameIgnoringAsciiCase(heading, name);
}

// Where in a record each of kBaselineColumns is, or kNone.
using ColumnPlaces = std::array<std::size_t, kBaselineColumns.size()>;

// Why the header will not do, or nothing.
std::string PlaceColumns(std::span<const std::string> header, ColumnPlaces& places)
{
    places.fill(kNone);
    for (std::size_t at = 0; at < header.size(); ++at) {
        for (std::size_t column = 0; column < kBaselineColumns.size(); ++column) {
            if (!IsHeading(header[at], kBaselineColumns[column].name.csv))
                continue;
            if (places[column] != kNone)
                return "it has two " + std::string(kBaselineColumns[column].name.csv) + " columns";
            places[column] = at;
        }
    }
    const bool path = places[0] != kNone, sha256 = places[1] != kNone;
    if (!path && !sha256)
        return "it has neither a Path nor a SHA256 column";
    if (!path || !sha256)
        return "it has no " + std::string(kBaselineColumns[path ? 1 : 0].name.csv) + " column";
    return {};
}

// Why two of the files share a key, naming the first repeat in the file;
// or nothing.
std::string RepeatRefusal(const std::vector<BaselineFile>& files, const std::vector<std::size_t>& lines,
                          const PathFolding& fold)
{
    // Every key first, one after another, so that the table's views of them
    // stay put.
    std::string keys;
    std::vector<std::size_t> ends;
    ends.reserve(files.size());
    for (const BaselineFile& file : files) {
        keys += fold(file.path);
        ends.push_back(keys.size());
    }
    PlaceByKey places(files.size());
    for (std::size_t at = 0; at < files.size(); ++at) {
        const std::size_t start = at == 0 ? 0 : ends[at - 1];
        const auto [kept, added] = places.try_emplace(std::string_view(keys).substr(start, ends[at] - start), at);
        if (!added) {
            const std::size_t first = kept->second;
            return LineText(lines[at]) + " lists " + std::string(files[at].path) + " again, as " +
                   LineText(lines[first]) + " did";
        }
    }
    return {};
}

Baseline Refused(std::string reason)
{
    Baseline refused;
    refused.refusal = std::move(reason);
    return refused;
}

// Reads the CSV's records into `baseline`'s files, and the line each starts
// on into `lines`. Why the bytes will not do, or nothing.
std::string ReadCsvFiles(std::string_view bytes, Baseline& baseline, std::vector<std::size_t>& lines)
{
    CsvReader csv(bytes);
    if (!csv.Next())
        return csv.Refusal();
    ColumnPlaces places;
    const std::size_t headerSize = csv.Fields().size();
    if (std::string refusal = PlaceColumns(csv.Fields(), places); !refusal.empty())
        return refusal;
    baseline.tellsUpdates = std::all_of(places.begin() + kFirstTellingColumn, places.end(),
                                        [](std::size_t place) { return place != kNone; });
    // No field, unquoted, is longer than the bytes it was read from.
    baseline.texts.reset(new char[bytes.size()]);
    char* texts = baseline.texts.get();
    while (csv.Next()) {
        const std::span<const std::string> fields = csv.Fields();
        if (fields.size() != headerSize) {
            return LineText(csv.Line()) + " has " + std::to_string(fields.size()) +
                   (fields.size() == 1 ? " field" : " fields") + ", its header " + std::to_string(headerSize);
        }
        BaselineFile& file = baseline.files.emplace_back();
        for (std::size_t column = 0; column < kBaselineColumns.size(); ++column) {
            if (places[column] == kNone)
                continue;
            const std::string& field = fields[places[column]];
            file.*kBaselineColumns[column].field = std::string_view(texts, field.size());
            texts = std::copy(field.begin(), field.end(), texts);
        }
        if (file.path.empty())
            return LineText(csv.Line()) + " has no path";
        lines.push_back(csv.Line());
    }
    return csv.Refusal();
}

}  // namespace

Baseline ReadBaseline(std::string_view bytes, const PathFolding& fold)
{
    Baseline baseline;
    std::vector<std::size_t> lines;
    std::string refusal = IsJsonLines(bytes) ? ReadJsonLinesFiles(bytes, baseline, lines)
                                             : ReadCsvFiles(bytes, baseline, lines);
    if (refusal.empty())
        refusal = RepeatRefusal(baseline.files, lines, fold);
    if (!refusal.empty())
        return Refused(std::move(refusal));
    return baseline;
}

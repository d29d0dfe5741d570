#include "compare/JsonLinesBaseline.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "compare/BaselineColumns.h"
#include "compare/CsvReader.h"

namespace {

using Json = nlohmann::json;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Takes one line's object apart as the parser reads it, its texts copied
// where the baseline keeps them, without building the object.
class FileObjectReader final : public nlohmann::json_sax<Json> {
public:
    explicit FileObjectReader(char*& texts) : m_texts(texts) {}

    // Ready for the next line's object, read into `file`.
    void Start(BaselineFile& file)
    {
        m_file = &file;
        m_depth = 0;
        m_member = kOther;
        m_seen.fill(false);
        m_summary = false;
        m_refusal.clear();
    }
    bool IsSummary() const { return m_summary; }
    bool Has(std::size_t column) const { return m_seen[column]; }
    // Why the line is no file's object, after "line 4 ", or nothing.
    const std::string& Refusal() const { return m_refusal; }

    bool null() override { return Scalar(); }
    bool boolean(bool value) override
    {
        if (m_depth == 1 && m_member == kSummary && value)
            m_summary = true;
        return Scalar();
    }
    bool number_integer(number_integer_t) override { return Scalar(); }
    bool number_unsigned(number_unsigned_t) override { return Scalar(); }
    bool number_float(number_float_t, const string_t&) override { return Scalar(); }
    bool binary(binary_t&) override { return Scalar(); }
    bool string(string_t& value) override
    {
        if (m_depth == 1 && m_member >= 0) {
            // As in a CSV baseline: no name or text of a file holds one.
            if (value.find('\0') != string_t::npos)
                return Refuse("is not text (a NUL character)");
            m_file->*kBaselineColumns[m_member].field = std::string_view(m_texts, value.size());
            m_texts = std::copy(value.begin(), value.end(), m_texts);
            return true;
        }
        return Scalar(true);
    }
    bool start_object(std::size_t) override { return Open(); }
    bool start_array(std::size_t) override { return m_depth == 0 ? Refuse("is not a JSON object") : Open(); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool key(string_t& name) override
    {
        if (m_depth != 1)
            return true;
        m_member = name == "summary" ? kSummary : kOther;
        for (std::size_t column = 0; column < kBaselineColumns.size(); ++column) {
            if (name != kBaselineColumns[column].name.json)
                continue;
            if (m_seen[column])
                return Refuse("has two \"" + name + "\" members");
            m_seen[column] = true;
            m_member = static_cast<int>(column);
        }
        return true;
    }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&) override
    {
        return Refuse("is not JSON (at character " + std::to_string(position) + ")");
    }

private:
    static constexpr int kOther = -1;
    static constexpr int kSummary = -2;

    // A value other than an object or an array; `text` for a text.
    bool Scalar(bool text = false)
    {
        if (m_depth == 0)
            return Refuse("is not a JSON object");
        if (m_depth == 1 && m_member >= 0 && !text)
            return NotAText();
        return true;
    }
    bool Open()
    {
        if (m_depth == 1 && m_member >= 0)
            return NotAText();
        ++m_depth;
        return true;
    }
    bool Close()
    {
        --m_depth;
        return true;
    }
    bool NotAText()
    {
        return Refuse("has a \"" + std::string(kBaselineColumns[m_member].name.json) + "\" that is not a text");
    }
    bool Refuse(std::string reason)
    {
        if (m_refusal.empty())
            m_refusal = std::move(reason);
        return false;
    }

    char*& m_texts;
    BaselineFile* m_file = nullptr;
    int m_depth = 0;
    int m_member = kOther;
    std::array<bool, kBaselineColumns.size()> m_seen{};
    bool m_summary = false;
    std::string m_refusal;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool IsJsonLines(std::string_view bytes)
{
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    const auto first = std::find_if_not(bytes.begin(), bytes.end(), IsBlank);
    return first != bytes.end() && *first == '{';
}

std::string ReadJsonLinesFiles(std::string_view bytes, Baseline& baseline, std::vector<std::size_t>& lines)
{
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    // No text, unescaped, is longer than the bytes it was read from.
    baseline.texts.reset(new char[bytes.size()]);
    char* texts = baseline.texts.get();
    FileObjectReader reader(texts);
    baseline.tellsUpdates = true;
    BaselineFile file;
    std::size_t line = 0;
    while (!bytes.empty()) {
        ++line;
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        const std::string_view text = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        if (std::all_of(text.begin(), text.end(), IsBlank))
            continue;
        file = {};
        reader.Start(file);
        if (!Json::sax_parse(text.begin(), text.end(), &reader))
            return LineText(line) + " " + reader.Refusal();
        if (reader.IsSummary())
            continue;
        if (file.path.empty())
            return LineText(line) + " has no path";
        if (!reader.Has(kSha256Column))
            return LineText(line) + " has no sha256";
        for (std::size_t column = kFirstTellingColumn; column < kBaselineColumns.size(); ++column)
            baseline.tellsUpdates = baseline.tellsUpdates && reader.Has(column);
        baseline.files.push_back(file);
        lines.push_back(line);
    }
    return {};
}

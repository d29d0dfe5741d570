#include "compare/CsvReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "rows/InertText.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence that starts `text` with a byte above
// 0x7F, or 0 when none does: no overlong forms, no surrogates, nothing past
// U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text)
{
    const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t at = 2; at < length; ++at) {
        if (byte(at) < 0x80 || byte(at) > 0xBF)
            return 0;
    }
    return length;
}

bool AsciiWithoutNul(std::uint64_t eight)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101, kHighBits = 0x8080808080808080;
    return ((eight | ((eight - kOnes) & ~eight)) & kHighBits) == 0;
}

// Why `text` is not UTF-8 text, or nothing.
std::string TextRefusal(std::string_view text)
{
    std::size_t at = 0;
    const char* reason = nullptr;
    while (at < text.size()) {
        // Most text is ASCII: eight bytes at a time while it is.
        std::uint64_t eight;
        for (; at + sizeof eight <= text.size(); at += sizeof eight) {
            std::memcpy(&eight, text.data() + at, sizeof eight);
            if (!AsciiWithoutNul(eight))
                break;
        }
        if (at == text.size())
            break;
        if (text[at] == '\0') {
            reason = "it is not text (a NUL byte on line ";
            break;
        }
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text.substr(at));
        if (length == 0) {
            reason = "it is not UTF-8 text (line ";
            break;
        }
        at += length;
    }
    if (!reason)
        return {};
    const auto lineBreaks = std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n');
    return reason + std::to_string(lineBreaks + 1) + ")";
}

// Where the unquoted field that begins at `at` ends: at a comma, a line
// feed or the end of the text.
std::size_t UnquotedFieldEnd(std::string_view text, std::size_t at)
{
    while (at < text.size() && text[at] != ',' && text[at] != '\n')
        ++at;
    return at;
}

// Undoes InertField (export/ListExport.cpp): a field that is apostrophes
// and then what starts a formula was written with one apostrophe more.
void UndoInert(std::string& field)
{
    if (field.starts_with('\'') && StartsAFormula(field))
        field.erase(0, 1);
}

}  // namespace

std::string LineText(std::size_t line)
{
    return "line " + std::to_string(line);
}

CsvReader::CsvReader(std::string_view text) : m_text(text)
{
    if (m_text.starts_with(kByteOrderMark))
        m_text.remove_prefix(kByteOrderMark.size());
    if (AtBlankEnd())
        m_refusal = "it is empty";
    else
        m_refusal = TextRefusal(m_text);
}

bool CsvReader::Next()
{
    m_count = 0;
    if (!m_refusal.empty() || AtBlankEnd())
        return false;
    m_recordLine = m_line;
    while (ReadField()) {
    }
    return m_refusal.empty();
}

bool CsvReader::AtBlankEnd() const
{
    return m_text.find_first_not_of("\r\n", m_at) == std::string_view::npos;
}

bool CsvReader::Refuse(std::string reason)
{
    m_refusal = std::move(reason);
    return false;
}

bool CsvReader::ReadField()
{
    if (m_count == m_fields.size())
        m_fields.emplace_back();
    std::string& field = m_fields[m_count++];
    field.clear();
    if (m_at < m_text.size() && m_text[m_at] == '"') {
        if (!ReadQuotedField(field))
            return false;
    } else {
        const std::size_t end = UnquotedFieldEnd(m_text, m_at);
        // CR LF ends the line; a CR on its own is text.
        const bool crlf = end < m_text.size() && m_text[end] == '\n' && end > m_at && m_text[end - 1] == '\r';
        field.assign(m_text.substr(m_at, end - m_at - (crlf ? 1 : 0)));
        m_at = end;
    }
    UndoInert(field);
    if (m_at == m_text.size())
        return false;
    const char separator = m_text[m_at];
    if (separator == '\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == '\n')
        ++m_at;
    else if (separator != ',' && separator != '\n')
        return Refuse(LineText(m_line) + " has text after the closing quote of a field");
    ++m_at;
    if (m_text[m_at - 1] == '\n') {
        ++m_line;
        return false;
    }
    return true;
}

bool CsvReader::ReadQuotedField(std::string& field)
{
    const std::size_t startLine = m_line;
    ++m_at;
    for (;;) {
        const std::size_t quote = m_text.find('"', m_at);
        if (quote == std::string_view::npos)
            return Refuse("a quoted field that starts on " + LineText(startLine) + " never ends");
        const std::string_view part = m_text.substr(m_at, quote - m_at);
        for (const char c : part)
            m_line += c == '\n';
        field.append(part);
        m_at = quote + 1;
        if (m_at < m_text.size() && m_text[m_at] == '"') {
            field += '"';
            ++m_at;
        } else {
            return true;
        }
    }
}

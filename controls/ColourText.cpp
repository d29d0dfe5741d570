#include "controls/ColourText.h"

#include <algorithm>
#include <string_view>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The low 8 bits of the leading number of `text`, read like atoi: blanks
// skipped, an optional sign, then digits; 0 without digits. Only the low bits
// are kept as the digits come, so no length of number can overflow.
unsigned LeadingNumberLowByte(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    unsigned value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = (value * 10 + static_cast<unsigned>(text[at] - '0')) & 0xFF;
    return (negative ? 0x100 - value : value) & 0xFF;
}

std::string_view AfterFirstComma(std::string_view text)
{
    const std::size_t comma = text.find(',');
    return comma == std::string_view::npos ? text : text.substr(comma + 1);
}

}  // namespace

ColourRef ParseColourText(const char* bytes, std::size_t size)
{
    std::string_view text(bytes, static_cast<std::size_t>(std::find(bytes, bytes + size, '\0') - bytes));
    const unsigned red = LeadingNumberLowByte(text);
    text = AfterFirstComma(text);
    const unsigned green = LeadingNumberLowByte(text);
    text = AfterFirstComma(text);
    const unsigned blue = LeadingNumberLowByte(text);
    return Rgb(red, green, blue);
}

#pragma once
#include <algorithm>
#include <string_view>

// Whether two texts are the same but for the letter case of A to Z: hex
// digits, column names, anything that is ASCII by definition.
inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

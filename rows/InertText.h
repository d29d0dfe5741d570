#pragma once
// What a spreadsheet takes for a formula: the one rule by which a table's
// field is written inert (an apostrophe in front) and read back.
#include <string_view>

// Whether `field`, after any number of apostrophes, starts as a formula
// does: with =, +, -, @, a tab or a carriage return.
inline bool StartsAFormula(std::string_view field)
{
    const std::size_t start = field.find_first_not_of('\'');
    return start != std::string_view::npos && std::string_view("=+-@\t\r").find(field[start]) != std::string_view::npos;
}

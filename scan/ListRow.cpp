#include "scan/ListRow.h"

#include <cstdio>

std::string FormatRowNumber(std::uint32_t n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2lu", static_cast<unsigned long>(n));
    return text;
}

#include "scan/ListRow.h"

#include <cstdio>

std::string FormatRowNumber(unsigned n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2u", n);
    return text;
}

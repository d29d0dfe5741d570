#include "scan/ListRow.h"

std::string FormatRowNumber(std::uint32_t n)
{
    std::string text = std::to_string(n);
    if (text.size() < 2)
        text.insert(0, 1, '0');
    return text;
}

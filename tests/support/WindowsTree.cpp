#include "support/WindowsTree.h"

#include <string_view>

bool WindowsTreeProtects(const std::string& path)
{
    for (const std::string_view unprotected : {".log", ".tmp", ".etl"}) {
        if (path.ends_with(unprotected))
            return false;
    }
    return true;
}

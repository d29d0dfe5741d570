#pragma once
#include <functional>
#include <string>
#include <string_view>

// The key of a UTF-8 path: two paths share it exactly when Windows takes
// them for one name.
using PathFolding = std::function<std::string(std::string_view utf8)>;

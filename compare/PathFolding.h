#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

// The key of a UTF-8 path: two paths share it exactly when Windows takes
// them for one name.
using PathFolding = std::function<std::string(std::string_view utf8)>;

// Where each key's file is; the keys' texts are kept by the caller.
using PlaceByKey = std::unordered_map<std::string_view, std::size_t>;

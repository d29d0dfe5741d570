#pragma once
#include <string>
#include <string_view>

// The key of a UTF-8 path under which Windows finds the file: its
// characters upper-cased the same way in every language, so that two paths
// share a key when they differ only in letter case.
std::string Utf8PathKey(std::string_view utf8);

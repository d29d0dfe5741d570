#pragma once
// Path texts as the list shows them: ANSI, with the backslash as the only separator.
#include <string>
#include <string_view>

// The text after the last backslash; the whole text when it has none; empty
// when the text ends with a backslash.
std::string_view FileNameOf(std::string_view path);

// `directory` and `name` joined by one backslash, never two.
std::string JoinPath(std::string_view directory, std::string_view name);

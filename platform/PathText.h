#pragma once
// Path texts as the list shows them: ANSI, with the backslash as the only
// separator. A backslash byte inside a double-byte character is no
// separator.
#include <string>
#include <string_view>

class LeadBytes;

// Where the file name of `path` starts: after its last backslash; 0 when it
// has none; its length when it ends with one.
std::size_t FileNameStart(std::string_view path, const LeadBytes& lead);

// The text after the last backslash; the whole text when it has none; empty
// when the text ends with a backslash.
std::string_view FileNameOf(std::string_view path, const LeadBytes& lead);

// `directory` and `name` joined by one backslash, never two.
std::string JoinPath(std::string_view directory, std::string_view name, const LeadBytes& lead);

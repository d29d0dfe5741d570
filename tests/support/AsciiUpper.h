#pragma once
#include <string>
#include <string_view>

// Windows' matching of names, for ASCII paths: the key of a path whose
// letters are all ASCII.
inline std::string AsciiUpper(std::string_view path)
{
    std::string key(path);
    for (char& c : key)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return key;
}

#pragma once
#include <string>

// The wide form of an ANSI path, however long: the protection service must
// never be asked about a cut-short or empty path.
std::wstring WidePath(const std::string& ansiPath);

// The ANSI form of a wide path.
std::string AnsiPath(const wchar_t* widePath);

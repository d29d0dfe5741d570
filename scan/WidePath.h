#pragma once
#include <string>

// The wide form of an ANSI path, however long: the protection service must
// never be asked about a cut-short or empty path.
std::wstring WidePath(const std::string& ansiPath);

// The ANSI form of a wide path.
std::string AnsiPath(const wchar_t* widePath);

// The ANSI form of `wide` into `ansi` when the code page holds every one of
// its characters; false, leaving `ansi` as it was, when some character
// would become another (a look-alike, or a question mark).
bool ExactAnsi(const std::wstring& wide, std::string& ansi);

#pragma once
// Texts between the program's ANSI code page, UTF-16 and UTF-8.
#include <string>
#include <string_view>

// The UTF-16 form of an ANSI text, however long: the protection service
// must never be asked about a cut-short or empty path.
std::wstring WideText(const std::string& ansi);

// The ANSI form of a UTF-16 text; characters the code page lacks become
// its best fit.
std::string AnsiText(const wchar_t* wide);

// The ANSI form of `wide` into `ansi` when the code page holds every one of
// its characters; false, leaving `ansi` as it was, when some character
// would become another (a look-alike, or a question mark).
bool ExactAnsi(const std::wstring& wide, std::string& ansi);

// The UTF-8 form of an ANSI text.
std::string Utf8Text(const std::string& ansi);

// The UTF-16 form of a UTF-8 text; what is no UTF-8 becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);

// The UTF-8 form of a UTF-16 text.
std::string Utf8FromWide(const std::wstring& wide);

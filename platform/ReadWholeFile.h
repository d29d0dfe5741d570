#pragma once
#include <string>

// What a file larger than ReadWholeFile reads fails with.
inline constexpr unsigned long long kMaxWholeFileBytes = 1ull << 30;

// Reads the file at `path` into `bytes`. 0 when read, else the system's
// error code: ERROR_FILE_TOO_LARGE for a file over kMaxWholeFileBytes.
unsigned ReadWholeFile(const std::wstring& path, std::string& bytes);

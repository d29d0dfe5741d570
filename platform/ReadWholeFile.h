#pragma once
#include <string>

#include "framework/Afx.h"

// What a file larger than ReadWholeFile reads fails with.
inline constexpr unsigned long long kMaxWholeFileBytes = 1ull << 30;

// Reads the open file from where it stands to its end into `bytes`. 0 when
// read, else the system's error code: ERROR_FILE_TOO_LARGE for a file over
// kMaxWholeFileBytes, ERROR_NOT_ENOUGH_MEMORY when there is no room for it.
unsigned ReadWholeFile(HANDLE file, std::string& bytes);

// Reads a stream whose size is not known beforehand, a pipe or a console,
// to its end into `bytes`: a pipe whose writer has closed it has ended. The
// same limit and error codes as ReadWholeFile.
unsigned ReadStreamToEnd(HANDLE stream, std::string& bytes);

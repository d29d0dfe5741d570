#pragma once
#include <string>

#include "framework/Handle.h"
#include "platform/FileSystemRedirection.h"

// Opens the file at `path` to read it, sharing it with readers, as the
// 64-bit system names it: in a 32-bit process on 64-bit Windows, WOW64's
// redirection is off while the file is opened (only the open resolves the
// path; reads through the handle go to the file it found). No handle on
// failure, with the system's error code in `error`.
CHandle OpenForReading(const std::wstring& path, FileSystemRedirection& redirection, DWORD flags, unsigned& error);

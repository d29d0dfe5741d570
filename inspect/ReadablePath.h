#pragma once
#include <string>

// The path to read the file the user sees at `path` by. A 32-bit build on
// 64-bit Windows, Vista on, reads System32 through Sysnative: then
// `sysnativeWindowsDirectory` names the Windows folder; it is empty where
// System32 is read as it is, and the path comes back unchanged.
std::string ReadablePath(const std::string& path, const std::string& sysnativeWindowsDirectory);

#pragma once
#include <string>

class CaseFolding;

// The path by which a 32-bit process on 64-bit Windows (Vista on) reads the
// file the user sees at `path` without turning redirection off: a path in
// <windows>\System32 goes through <windows>\Sysnative, the real System32.
// Any other path comes back as it is. Letter case is folded by `folding`.
std::string SysnativePath(const std::string& path, const std::string& windowsDirectory, const CaseFolding& folding);

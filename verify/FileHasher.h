#pragma once
#include <string>

// The SHA-256 of files' bytes. Sha256 may be called from several threads at
// once.
class FileHasher {
public:
    virtual ~FileHasher() = default;
    // The SHA-256 of the bytes of the file that the ANSI `path` reads, as
    // 64 upper-case hexadecimal digits; empty when it cannot be read.
    virtual std::string Sha256(const std::string& path) = 0;
};

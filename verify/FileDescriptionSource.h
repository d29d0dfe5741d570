#pragma once
#include <string>

#include "verify/TrustService.h"

// Reads what a file says it is. The trust service asks while it holds the
// file open, shared with readers only, so that the description is of the
// very bytes it verified: nothing can write, rename or replace the file
// meanwhile. Several threads may ask at once.
class FileDescriptionSource {
public:
    virtual ~FileDescriptionSource() = default;
    // The file at the ANSI `path`, as the 64-bit system names it.
    virtual FileDescription Describe(const std::string& path) = 0;
};

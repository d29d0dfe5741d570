#pragma once
#include <string>

#include "verify/TrustResult.h"

// What a file's version resource says it is. Empty where it says nothing.
struct FileDescription {
    // The file version of its fixed part, four numbers: "10.0.19041.3636".
    std::string version;
    // OriginalFilename, under the resource's first translation.
    std::string originalName;
};

// One file's verification: its signature, the SHA-256 of the bytes that
// were verified (empty when they could not be read: then the result says
// why), and what the same bytes say they are. For a catalog-signed file
// whose version resource names no original file, the name its catalog
// gives it.
struct FileVerification {
    TrustResult trust;
    std::string sha256;
    FileDescription description = {};
};

class SeenFiles;

// The platform's verification of a file's signature, as the program uses
// it. Verify may be called from several threads at once.
class TrustService {
public:
    virtual ~TrustService() = default;
    // Verifies the file that the ANSI `path` names, as the 64-bit system
    // sees it also in a 32-bit process (no WOW64 redirection), and takes
    // the SHA-256 of its bytes through the same open file. A file of more
    // than one name that `seen` holds as it is now is not read again.
    virtual FileVerification Verify(const std::string& path, SeenFiles& seen) = 0;
};

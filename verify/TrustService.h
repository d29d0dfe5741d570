#pragma once
#include <string>

#include "verify/TrustResult.h"

// One file's verification: its signature, and the SHA-256 of the bytes
// that were verified (empty when they could not be read: then the result
// says why).
struct FileVerification {
    TrustResult trust;
    std::string sha256;
};

// The platform's verification of a file's signature, as the program uses
// it. Verify may be called from several threads at once.
class TrustService {
public:
    virtual ~TrustService() = default;
    // Verifies the file that the ANSI `path` names, as the 64-bit system
    // sees it also in a 32-bit process (no WOW64 redirection), and takes
    // the SHA-256 of its bytes through the same open file.
    virtual FileVerification Verify(const std::string& path) = 0;
};

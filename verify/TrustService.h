#pragma once
#include <string>

#include "verify/TrustResult.h"

// The platform's verification of a file's signature, as the program uses
// it. Verify may be called from several threads at once.
class TrustService {
public:
    virtual ~TrustService() = default;
    // Verifies the file that the ANSI `path` reads. Under WOW64 a file in
    // System32 is read through Sysnative: the caller hands that path, and
    // nothing here turns redirection off.
    virtual TrustResult Verify(const std::string& path) = 0;
};

#pragma once
#include <cstdint>
#include <string>

// The platform's file protection service, as the program uses it.
class FileProtection {
public:
    virtual ~FileProtection() = default;
    // Puts the protected file after `cursor` into `path` and advances the
    // cursor (0 before the first call); false when no file follows or the
    // service fails.
    virtual bool NextProtectedFile(std::uint32_t& cursor, std::string& path) = 0;
    // True when the service guards the file at the ANSI `path`.
    virtual bool IsFileProtected(const std::string& path) = 0;
};

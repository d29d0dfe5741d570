#pragma once
#include <cstdint>
#include <string>

// The platform's file protection service, as the program uses it.
class FileProtection {
public:
    virtual ~FileProtection() = default;
    // 0 when the service can be asked; else the system's error code for why
    // it cannot (its library or one of its functions is missing). A service
    // that cannot be asked lists nothing and protects nothing: its answers
    // mean nothing.
    virtual unsigned ServiceError() const { return 0; }
    // Puts the protected file after `cursor` into `path` and advances the
    // cursor (0 before the first call); false when no file follows or the
    // service fails.
    virtual bool NextProtectedFile(std::uint32_t& cursor, std::string& path) = 0;
    // After NextProtectedFile said false: 0 when the list had ended, else
    // the system's error code for why the service failed.
    virtual unsigned ListingError() const { return 0; }
    // True when the service guards the file at the ANSI `path`.
    virtual bool IsFileProtected(const std::string& path) = 0;
};

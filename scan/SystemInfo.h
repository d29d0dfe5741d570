#pragma once
#include <string>

// What the program asks of the operating system to choose and run its
// enumeration.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // The major version number; 0 when the platform does not say.
    virtual unsigned long MajorVersion() = 0;
    virtual std::string WindowsDirectory() = 0;
};

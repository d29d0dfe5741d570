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
    // The version as major.minor.build, "10.0.19045"; empty when the
    // platform does not say.
    virtual std::string VersionText() = 0;
};

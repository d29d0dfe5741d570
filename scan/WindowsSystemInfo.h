#pragma once
#include "scan/SystemInfo.h"

class WindowsSystemInfo final : public SystemInfo {
public:
    unsigned long MajorVersion() override;
    std::string WindowsDirectory() override;
    std::string VersionText() override;
};

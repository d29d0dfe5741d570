#pragma once
#include "controls/Shell.h"

// The shell of the running system.
class ShellExecuteShell final : public Shell {
public:
    std::intptr_t Open(const char* verb, const char* document, int showCommand) override;
    std::intptr_t Run(const char* program, const char* parameters) override;
    bool ShowProperties(const char* path) override;
};

#pragma once
#include <string>

#include "controls/Shell.h"

// The shell of the running system, which runs in this process: in a
// 32-bit process on 64-bit Windows it sees System32 as WOW64 redirects it.
class ShellExecuteShell final : public Shell {
public:
    // `sysnativeWindowsDirectory` names the Windows folder whose System32
    // the shell reaches through Sysnative (a 32-bit build on 64-bit
    // Windows, Vista on); empty where System32 is reached as it is.
    explicit ShellExecuteShell(std::string sysnativeWindowsDirectory = {})
        : m_sysnativeWindowsDirectory(std::move(sysnativeWindowsDirectory))
    {
    }

    std::intptr_t Open(const char* verb, const char* document, int showCommand) override;
    std::intptr_t Run(const char* program, const char* parameters) override;
    bool ShowProperties(const char* path) override;

private:
    std::string m_sysnativeWindowsDirectory;
};

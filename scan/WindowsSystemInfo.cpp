#include "scan/WindowsSystemInfo.h"

#include "framework/Afx.h"
#include "framework/DllLoader.h"

unsigned long WindowsSystemInfo::MajorVersion()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info))
        info = OSVERSIONINFOA{};
    return info.dwMajorVersion;
}

std::string WindowsSystemInfo::WindowsDirectory()
{
    char directory[MAX_PATH] = {};
    ::GetWindowsDirectoryA(directory, MAX_PATH);
    return directory;
}

std::string WindowsSystemInfo::VersionText()
{
    // GetVersionEx gives a program that names no later Windows in its
    // manifest the version of the last one it names; the kernel's own call
    // tells the truth.
    using RtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    const auto get = ProcAs<RtlGetVersion>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "RtlGetVersion"));
    if (!get || get(&info) != 0)
        return {};
    return std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) + "." +
           std::to_string(info.dwBuildNumber);
}

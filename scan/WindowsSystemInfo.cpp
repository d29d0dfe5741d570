#include "scan/WindowsSystemInfo.h"

#include "framework/Afx.h"

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

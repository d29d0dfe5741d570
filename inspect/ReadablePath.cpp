#include "inspect/ReadablePath.h"

#include "framework/File.h"
#include "inspect/SysnativePath.h"
#include "inspect/SystemCaseFolding.h"

std::string ReadablePath(const std::string& path, const std::string& sysnativeWindowsDirectory)
{
    if (sysnativeWindowsDirectory.empty())
        return path;
    // Only the full, long path shows whether the file lies in System32:
    // "C:/Windows/System32/x.dll", ".\x.dll" there, or an 8.3 name.
    return SysnativePath(AfxFullPath(path.c_str()).str(), sysnativeWindowsDirectory, SystemCaseFolding());
}

#include "controls/ShellExecuteShell.h"

#include "framework/Afx.h"
#include "framework/File.h"
#include "platform/SysnativePath.h"
#include "platform/SystemCaseFolding.h"
#include "platform/TextConversion.h"

#include <shellapi.h>

std::intptr_t ShellExecuteShell::Open(const char* verb, const char* document, int showCommand)
{
    return reinterpret_cast<std::intptr_t>(::ShellExecuteA(nullptr, verb, document, nullptr, nullptr, showCommand));
}

std::intptr_t ShellExecuteShell::Run(const char* program, const char* parameters)
{
    return reinterpret_cast<std::intptr_t>(::ShellExecuteA(nullptr, "open", program, parameters, nullptr, SW_SHOWNORMAL));
}

bool ShellExecuteShell::ShowProperties(const char* path)
{
    // Only the full, long path shows whether the file lies in System32:
    // "C:/Windows/System32/x.dll", ".\x.dll" there, or an 8.3 name.
    const std::string reachable =
        m_sysnativeWindowsDirectory.empty()
            ? std::string(path)
            : SysnativePath(AnsiText(FullPath(WideText(path)).c_str()), m_sysnativeWindowsDirectory,
                            SystemCaseFolding());
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // The verb names a shell menu entry, not a registered program.
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.lpVerb = "properties";
    info.lpFile = reachable.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExA(&info) != FALSE;
}

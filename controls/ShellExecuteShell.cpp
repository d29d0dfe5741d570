#include "controls/ShellExecuteShell.h"

#include "framework/Afx.h"

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
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // The verb names a shell menu entry, not a registered program.
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.lpVerb = "properties";
    info.lpFile = path;
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExA(&info) != FALSE;
}

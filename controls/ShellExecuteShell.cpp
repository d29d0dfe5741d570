#include "controls/ShellExecuteShell.h"

#include "framework/Afx.h"

#include <shellapi.h>

std::intptr_t ShellExecuteShell::Open(const char* verb, const char* document, int showCommand)
{
    return reinterpret_cast<std::intptr_t>(::ShellExecuteA(nullptr, verb, document, nullptr, nullptr, showCommand));
}

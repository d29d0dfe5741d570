#include "platform/Wow64Redirection.h"

Wow64Redirection::Wow64Redirection([[maybe_unused]] DllLoader& loader)
{
#ifndef _WIN64
    // Looked up by name: Windows XP (32-bit) has neither of the redirection
    // functions, and IsWow64Process came with SP2.
    BOOL underWow64 = FALSE;
    const auto isWow64Process = ProcAs<BOOL(WINAPI*)(HANDLE, PBOOL)>(loader.KernelExport("IsWow64Process"));
    if (!isWow64Process || !isWow64Process(::GetCurrentProcess(), &underWow64) || !underWow64)
        return;
    m_pfnDisable = ProcAs<BOOL(WINAPI*)(PVOID*)>(loader.KernelExport("Wow64DisableWow64FsRedirection"));
    m_pfnRevert = ProcAs<BOOL(WINAPI*)(PVOID)>(loader.KernelExport("Wow64RevertWow64FsRedirection"));
#endif
}

bool Wow64Redirection::TurnOff(void*& previous)
{
    return Active() && m_pfnDisable(&previous);
}

void Wow64Redirection::TurnOn(void* previous)
{
    if (Active())
        m_pfnRevert(previous);
}

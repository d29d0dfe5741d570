#pragma once
#include "framework/DllLoader.h"
#include "platform/FileSystemRedirection.h"

// WOW64's redirection as this process has it. A 64-bit build has none and
// never asks the system about it; a 32-bit build asks once, at construction.
class Wow64Redirection final : public FileSystemRedirection {
public:
    explicit Wow64Redirection(DllLoader& loader);

    bool Active() const override { return m_pfnDisable && m_pfnRevert; }
    bool TurnOff(void*& previous) override;
    void TurnOn(void* previous) override;

private:
    BOOL(WINAPI* m_pfnDisable)(PVOID*) = nullptr;
    BOOL(WINAPI* m_pfnRevert)(PVOID) = nullptr;
};

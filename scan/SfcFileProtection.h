#pragma once
#include "framework/Afx.h"
#include "scan/FileProtection.h"

// The platform's protection service in sfc.dll. The library is loaded from
// the system directory by its full path, never by bare name, so a planted
// sfc.dll beside the program or in the current directory is never used.
// Without the library or one of its functions the service lists no files
// and protects none.
class SfcFileProtection final : public FileProtection {
public:
    SfcFileProtection();
    ~SfcFileProtection() override;
    SfcFileProtection(const SfcFileProtection&) = delete;
    SfcFileProtection& operator=(const SfcFileProtection&) = delete;

    bool NextProtectedFile(std::uint32_t& cursor, std::string& path) override;
    bool IsFileProtected(const std::string& path) override;

private:
    struct ProtectedFileData {
        WCHAR FileName[MAX_PATH];
        DWORD FileNumber;
    };
    using GetNextProtectedFileProc = BOOL(WINAPI*)(HANDLE, ProtectedFileData*);
    using IsFileProtectedProc = BOOL(WINAPI*)(HANDLE, LPCWSTR);

    HMODULE m_hModule = nullptr;
    GetNextProtectedFileProc m_pfnGetNextProtectedFile = nullptr;
    IsFileProtectedProc m_pfnIsFileProtected = nullptr;
};

#pragma once
#include "framework/DllLoader.h"
#include "scan/FileProtection.h"

// The platform's protection service in sfc.dll, which forwards to
// sfc_os.dll. Both come from the system directory, never from beside the
// program. Without the library or one of its functions the service cannot
// be used, and says why. The library stays loaded until the process ends: a
// worker that outlives the dialog may still be inside it.
class SfcFileProtection final : public FileProtection {
public:
    explicit SfcFileProtection(DllLoader& loader);

    unsigned ServiceError() const override { return m_serviceError; }
    bool NextProtectedFile(std::uint32_t& cursor, std::string& path) override;
    unsigned ListingError() const override { return m_listingError; }
    bool IsFileProtected(const std::string& path) override;

private:
    struct ProtectedFileData {
        WCHAR FileName[MAX_PATH];
        DWORD FileNumber;
    };
    using GetNextProtectedFileProc = BOOL(WINAPI*)(HANDLE, ProtectedFileData*);
    using IsFileProtectedProc = BOOL(WINAPI*)(HANDLE, LPCWSTR);

    GetNextProtectedFileProc m_pfnGetNextProtectedFile = nullptr;
    IsFileProtectedProc m_pfnIsFileProtected = nullptr;
    unsigned m_serviceError = 0;
    unsigned m_listingError = 0;
};

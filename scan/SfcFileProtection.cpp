#include "scan/SfcFileProtection.h"

#include "platform/TextConversion.h"

SfcFileProtection::SfcFileProtection(DllLoader& loader)
{
    const HMODULE hModule = LoadSystemLibrary(loader, "sfc.dll", {"sfc_os.dll"});
    if (!hModule) {
        m_serviceError = ::GetLastError();
        if (!m_serviceError)
            m_serviceError = ERROR_MOD_NOT_FOUND;
        return;
    }
    m_pfnGetNextProtectedFile =
        ProcAs<GetNextProtectedFileProc>(loader.GetProcAddress(hModule, "SfcGetNextProtectedFile"));
    m_pfnIsFileProtected = ProcAs<IsFileProtectedProc>(loader.GetProcAddress(hModule, "SfcIsFileProtected"));
    if (!m_pfnGetNextProtectedFile || !m_pfnIsFileProtected)
        m_serviceError = ERROR_PROC_NOT_FOUND;
}

bool SfcFileProtection::NextProtectedFile(std::uint32_t& cursor, std::string& path)
{
    if (m_serviceError)
        return false;
    ProtectedFileData data{};
    data.FileNumber = cursor;
    if (!m_pfnGetNextProtectedFile(nullptr, &data)) {
        // The service says the end of its list as an error of its own.
        const DWORD error = ::GetLastError();
        m_listingError = error == ERROR_NO_MORE_FILES ? 0 : error ? error : ERROR_GEN_FAILURE;
        return false;
    }
    data.FileName[MAX_PATH - 1] = L'\0';
    cursor = data.FileNumber;
    path = AnsiText(data.FileName);
    return true;
}

bool SfcFileProtection::IsFileProtected(const std::string& path)
{
    return !m_serviceError && m_pfnIsFileProtected(nullptr, WideText(path).c_str());
}

#include "scan/SfcFileProtection.h"

#include "scan/WidePath.h"

SfcFileProtection::SfcFileProtection(DllLoader& loader)
{
    if (const HMODULE hModule = LoadSystemLibrary(loader, "sfc.dll", {"sfc_os.dll"})) {
        m_pfnGetNextProtectedFile =
            ProcAs<GetNextProtectedFileProc>(loader.GetProcAddress(hModule, "SfcGetNextProtectedFile"));
        m_pfnIsFileProtected = ProcAs<IsFileProtectedProc>(loader.GetProcAddress(hModule, "SfcIsFileProtected"));
    }
}

bool SfcFileProtection::NextProtectedFile(std::uint32_t& cursor, std::string& path)
{
    if (!m_pfnGetNextProtectedFile)
        return false;
    ProtectedFileData data{};
    data.FileNumber = cursor;
    if (!m_pfnGetNextProtectedFile(nullptr, &data))
        return false;
    data.FileName[MAX_PATH - 1] = L'\0';
    cursor = data.FileNumber;
    path = AnsiPath(data.FileName);
    return true;
}

bool SfcFileProtection::IsFileProtected(const std::string& path)
{
    return m_pfnIsFileProtected && m_pfnIsFileProtected(nullptr, WidePath(path).c_str());
}

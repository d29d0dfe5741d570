#include "scan/SfcFileProtection.h"

#include <string>

#include "scan/PathText.h"
#include "scan/WidePath.h"

namespace {

std::string SystemDirectory()
{
    std::string directory(MAX_PATH, '\0');
    UINT length = ::GetSystemDirectoryA(directory.data(), MAX_PATH);
    if (length >= MAX_PATH) {
        directory.resize(length);
        length = ::GetSystemDirectoryA(directory.data(), length);
    }
    directory.resize(length < directory.size() ? length : 0);
    return directory;
}

template <typename Proc>
Proc LookUp(HMODULE hModule, LPCSTR name)
{
    return hModule ? reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(hModule, name))) : nullptr;
}

}  // namespace

SfcFileProtection::SfcFileProtection()
{
    const std::string directory = SystemDirectory();
    if (!directory.empty())
        m_hModule = ::LoadLibraryA(JoinPath(directory, "sfc.dll").c_str());
    m_pfnGetNextProtectedFile = LookUp<GetNextProtectedFileProc>(m_hModule, "SfcGetNextProtectedFile");
    m_pfnIsFileProtected = LookUp<IsFileProtectedProc>(m_hModule, "SfcIsFileProtected");
}

SfcFileProtection::~SfcFileProtection()
{
    if (m_hModule)
        ::FreeLibrary(m_hModule);
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

#include "inspect/VersionDllSource.h"

bool VersionDllSource::Load()
{
    if (!m_bLoadTried) {
        m_bLoadTried = true;
        if (const HMODULE hModule = LoadSystemLibrary(m_loader, "version.dll")) {
            const auto lookUp = [&](auto& function, const char* name) {
                function = ProcAs<std::remove_reference_t<decltype(function)>>(m_loader.GetProcAddress(hModule, name));
            };
            lookUp(m_pfnGetFileVersionInfoSize, "GetFileVersionInfoSizeA");
            lookUp(m_pfnGetFileVersionInfo, "GetFileVersionInfoA");
            lookUp(m_pfnVerQueryValue, "VerQueryValueA");
        }
    }
    return m_pfnGetFileVersionInfoSize && m_pfnGetFileVersionInfo && m_pfnVerQueryValue;
}

std::uint32_t VersionDllSource::BlockSize(const std::string& path)
{
    if (!Load())
        return 0;
    DWORD handle = 0;
    return m_pfnGetFileVersionInfoSize(path.c_str(), &handle);
}

bool VersionDllSource::ReadBlock(const std::string& path, std::vector<unsigned char>& block)
{
    return Load() && m_pfnGetFileVersionInfo(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data());
}

bool VersionDllSource::QueryValue(std::vector<unsigned char>& block, const std::string& subBlock, const void*& value,
                                  std::uint32_t& length)
{
    LPVOID found = nullptr;
    UINT foundLength = 0;
    if (!Load() || !m_pfnVerQueryValue(block.data(), subBlock.c_str(), &found, &foundLength))
        return false;
    value = found;
    length = foundLength;
    return true;
}

#include "inspect/VersionDllSource.h"

#include <algorithm>
#include <mutex>
#include <vector>

bool VersionDllSource::Load()
{
    const std::lock_guard<CCriticalSection> lock(m_loadLock);
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
    // The library is loaded before redirection goes off: it would find
    // the 64-bit one.
    const RedirectionOff redirectionOff(m_redirection);
    DWORD handle = 0;
    return m_pfnGetFileVersionInfoSize(path.c_str(), &handle);
}

std::size_t VersionDllSource::ReadBlock(const std::string& path, std::span<unsigned char> block)
{
    // The library does not say how many bytes it copied, and leaves the rest
    // of the buffer as it was: the block is read twice, over zeros and over
    // 0xFF bytes: the file filled the bytes before the first one they differ in.
    std::vector<unsigned char> probe(block.size(), 0xFF);
    std::ranges::fill(block, 0);
    const auto size = static_cast<DWORD>(block.size());
    if (!Load())
        return 0;
    const RedirectionOff redirectionOff(m_redirection);
    if (!m_pfnGetFileVersionInfo(path.c_str(), 0, size, probe.data()) ||
        !m_pfnGetFileVersionInfo(path.c_str(), 0, size, block.data()))
        return 0;
    return static_cast<std::size_t>(std::ranges::mismatch(block, probe).in1 - block.begin());
}

bool VersionDllSource::QueryValue(std::span<unsigned char> block, const std::string& subBlock, const void*& value,
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

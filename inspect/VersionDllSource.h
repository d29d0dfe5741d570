#pragma once
#include "framework/DllLoader.h"
#include "inspect/VersionSource.h"

// Reads version resources through the system's version library, loaded from
// the system directory the first time a summary needs it. Without the
// library no file has a version block.
class VersionDllSource final : public VersionSource {
public:
    explicit VersionDllSource(DllLoader& loader) : m_loader(loader) {}

    std::uint32_t BlockSize(const std::string& path) override;
    std::size_t ReadBlock(const std::string& path, std::span<unsigned char> block) override;
    bool QueryValue(std::span<unsigned char> block, const std::string& subBlock, const void*& value,
                    std::uint32_t& length) override;

private:
    // Loads the library and its functions once; false when any is missing.
    bool Load();

    DllLoader& m_loader;
    bool m_bLoadTried = false;
    DWORD(WINAPI* m_pfnGetFileVersionInfoSize)(LPCSTR, LPDWORD) = nullptr;
    BOOL(WINAPI* m_pfnGetFileVersionInfo)(LPCSTR, DWORD, DWORD, LPVOID) = nullptr;
    BOOL(WINAPI* m_pfnVerQueryValue)(LPCVOID, LPCSTR, LPVOID*, PUINT) = nullptr;
};

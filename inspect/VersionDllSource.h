#pragma once
#include "framework/CriticalSection.h"
#include "framework/DllLoader.h"
#include "inspect/VersionSource.h"
#include "platform/FileSystemRedirection.h"

// Reads version resources through the system's version library, loaded from
// the system directory the first time a summary needs it. Without the
// library no file has a version block. Files are read as the 64-bit system
// names them: WOW64's redirection is off while the library reads one.
// Several threads may read at once.
class VersionDllSource final : public VersionSource {
public:
    VersionDllSource(DllLoader& loader, FileSystemRedirection& redirection)
        : m_loader(loader), m_redirection(redirection)
    {
    }

    std::uint32_t BlockSize(const std::string& path) override;
    std::size_t ReadBlock(const std::string& path, std::span<unsigned char> block) override;
    bool QueryValue(std::span<unsigned char> block, const std::string& subBlock, const void*& value,
                    std::uint32_t& length) override;

private:
    // Loads the library and its functions once; false when any is missing.
    bool Load();

    DllLoader& m_loader;
    FileSystemRedirection& m_redirection;
    CCriticalSection m_loadLock;
    bool m_bLoadTried = false;
    DWORD(WINAPI* m_pfnGetFileVersionInfoSize)(LPCSTR, LPDWORD) = nullptr;
    BOOL(WINAPI* m_pfnGetFileVersionInfo)(LPCSTR, DWORD, DWORD, LPVOID) = nullptr;
    BOOL(WINAPI* m_pfnVerQueryValue)(LPCVOID, LPCSTR, LPVOID*, PUINT) = nullptr;
};

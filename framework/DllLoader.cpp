#include "framework/DllLoader.h"

namespace {

class SystemDllLoader final : public DllLoader {
public:
    FARPROC KernelExport(const char* name) override
    {
        return ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), name);
    }

    std::string SystemDirectory() override
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

    HMODULE LoadLibraryEx(const std::string& path, DWORD flags) override
    {
        return ::LoadLibraryExA(path.c_str(), nullptr, flags);
    }

    FARPROC GetProcAddress(HMODULE hModule, const char* name) override { return ::GetProcAddress(hModule, name); }
};

// LoadLibraryEx understands the LOAD_LIBRARY_SEARCH_ flags where kernel32
// has SetDefaultDllDirectories: Windows 8 on, and Vista and 7 with
// KB2533623. Elsewhere it fails a load that passes them.
bool HasSearchFlags(DllLoader& loader)
{
    return loader.KernelExport("SetDefaultDllDirectories") != nullptr;
}

}  // namespace

DllLoader& DllLoader::System()
{
    static SystemDllLoader loader;
    return loader;
}

void RestrictDllSearch(DllLoader& loader)
{
    // Both are looked up: a program that imported them would not start on
    // Windows XP.
    if (const auto setDllDirectory = ProcAs<BOOL(WINAPI*)(LPCSTR)>(loader.KernelExport("SetDllDirectoryA")))
        setDllDirectory("");
    if (const auto setDefaultDllDirectories =
            ProcAs<BOOL(WINAPI*)(DWORD)>(loader.KernelExport("SetDefaultDllDirectories")))
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(DllLoader& loader, const char* name, std::initializer_list<const char*> forwardsTo)
{
    const std::string directory = loader.SystemDirectory();
    if (directory.empty())
        return nullptr;
    const auto inSystemDirectory = [&](const char* dll) { return directory + '\\' + dll; };
    if (HasSearchFlags(loader))
        return loader.LoadLibraryEx(inSystemDirectory(name), LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The DLLs a library imports are then looked for in its own folder, the
    // system directory, before the program's.
    for (const char* forward : forwardsTo)
        loader.LoadLibraryEx(inSystemDirectory(forward), LOAD_WITH_ALTERED_SEARCH_PATH);
    return loader.LoadLibraryEx(inSystemDirectory(name), LOAD_WITH_ALTERED_SEARCH_PATH);
}

#pragma once
#include <string>

#include "framework/Afx.h"

// How the program reaches the DLLs it does not import and the kernel
// functions that not every Windows has. Every such load goes through here,
// so a test can see that each one names the system directory.
class DllLoader {
public:
    virtual ~DllLoader() = default;

    // kernel32's function `name`, or null where this Windows lacks it.
    virtual FARPROC KernelExport(const char* name) = 0;
    // The system directory, without a trailing backslash; empty on failure.
    virtual std::string SystemDirectory() = 0;
    virtual HMODULE LoadLibraryEx(const std::string& path, DWORD flags) = 0;
    virtual FARPROC GetProcAddress(HMODULE hModule, const char* name) = 0;

    // The running system's loader.
    static DllLoader& System();
};

// A function pointer of type `Function`, or null.
template <typename Function>
Function ProcAs(FARPROC proc)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(proc));
}

// Keeps DLLs from being found beside the program or in the current
// directory: the current directory leaves the search, and where the system
// allows it, only the system directory is searched. Called first thing,
// before anything can load a DLL.
void RestrictDllSearch(DllLoader& loader);

// Loads the system DLL `name` from the system directory, never by bare
// name. `forwardsTo` names the DLLs its exports forward to: where the
// system cannot be told to search the system directory alone, those are
// loaded first by their full paths, so that the forwards find them loaded
// and never look beside the program. Null when the DLL cannot be loaded.
// Nothing loaded here is ever freed: a worker thread may call into it until
// the process ends.
HMODULE LoadSystemLibrary(DllLoader& loader, const char* name, std::initializer_list<const char*> forwardsTo = {});

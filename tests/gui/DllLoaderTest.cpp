#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/DllLoader.h"
#include "framework/SystemError.h"
#include "framework/WinApp.h"
#include "gui/TestServices.h"
#include "inspect/VersionDllSource.h"
#include "scan/SfcFileProtection.h"
#include "platform/Wow64Redirection.h"
#include "verify/WinTrustService.h"

namespace {

constexpr const char* kSystem = "C:\\WINDOWS\\system32";

// Stands in for kernel32 and the loader: records every call, loads nothing.
// Where `searchFlags` is off it plays a system without
// SetDefaultDllDirectories (Windows XP, or Vista and 7 without the update).
class RecordingLoader final : public DllLoader {
public:
    explicit RecordingLoader(bool searchFlags) : m_searchFlags(searchFlags) { s_current = this; }
    ~RecordingLoader() override { s_current = nullptr; }

    std::vector<std::string> calls;
    std::vector<std::string> lookups;
    // Top-level windows of this thread at each start-up call.
    std::vector<int> windowsAtCall;

    FARPROC KernelExport(const char* name) override
    {
        lookups.emplace_back(name);
        const std::string wanted = name;
        if (wanted == "SetDllDirectoryA")
            return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&SetDllDirectoryStandIn));
        if (wanted == "SetDefaultDllDirectories" && m_searchFlags)
            return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&SetDefaultDllDirectoriesStandIn));
        return nullptr;
    }
    std::string SystemDirectory() override { return kSystem; }
    HMODULE LoadLibraryEx(const std::string& path, DWORD flags) override
    {
        calls.push_back("load " + path + (flags == LOAD_LIBRARY_SEARCH_SYSTEM32 ? " from system32" : ""));
        // Without the search flags, the DLL's own imports are looked for
        // beside it, not beside the program.
        EXPECT_EQ(flags, m_searchFlags ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH);
        ::SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    FARPROC GetProcAddress(HMODULE, const char*) override { return nullptr; }

    void Record(const std::string& call)
    {
        calls.push_back(call);
        windowsAtCall.push_back(ThreadWindows());
    }

private:
    static BOOL WINAPI SetDllDirectoryStandIn(LPCSTR directory)
    {
        s_current->Record(std::string("SetDllDirectoryA(\"") + directory + "\")");
        return TRUE;
    }
    static BOOL WINAPI SetDefaultDllDirectoriesStandIn(DWORD flags)
    {
        s_current->Record(flags == LOAD_LIBRARY_SEARCH_SYSTEM32 ? "SetDefaultDllDirectories(system32)"
                                                                : "SetDefaultDllDirectories(other)");
        return TRUE;
    }
    static BOOL CALLBACK CountWindow(HWND, LPARAM counter)
    {
        ++*reinterpret_cast<int*>(counter);
        return TRUE;
    }
    static int ThreadWindows()
    {
        int count = 0;
        ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
        return count;
    }

    static inline RecordingLoader* s_current = nullptr;
    bool m_searchFlags;
};

// Makes a window of its own, as every application does first thing.
class WindowMakingApp final : public CWinApp {
public:
    explicit WindowMakingApp(RecordingLoader& loader) : m_loader(loader) {}
    BOOL InitInstance() override
    {
        m_loader.calls.push_back("InitInstance");
        const HWND hWnd = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        ::DestroyWindow(hWnd);
        return FALSE;
    }

private:
    RecordingLoader& m_loader;
};

}  // namespace

TEST(DllLoading, StartUpKeepsDllsFromBesideTheProgramBeforeAnyWindowExists)
{
    struct Case {
        bool searchFlags;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {true, {"SetDllDirectoryA(\"\")", "SetDefaultDllDirectories(system32)", "InitInstance"}},
        {false, {"SetDllDirectoryA(\"\")", "InitInstance"}},
    };
    for (const Case& c : cases) {
        RecordingLoader loader(c.searchFlags);
        WindowMakingApp app(loader);
        AfxWinMain(loader);
        EXPECT_EQ(loader.calls, c.calls);
        EXPECT_EQ(loader.windowsAtCall, std::vector<int>(c.calls.size() - 1, 0));
    }
}

TEST(DllLoading, EveryDllIsAskedForByItsFullSystemPathAndVersionDllOnlyWhenFirstNeeded)
{
    struct Case {
        bool searchFlags;
        std::vector<std::string> loads;
    };
    const std::string system = kSystem;
    const Case cases[] = {
        {true, {"load " + system + "\\sfc.dll from system32", "load " + system + "\\version.dll from system32"}},
        // The forward's target first, so that sfc.dll finds it loaded.
        {false, {"load " + system + "\\sfc_os.dll", "load " + system + "\\sfc.dll", "load " + system + "\\version.dll"}},
    };
    for (const Case& c : cases) {
        RecordingLoader loader(c.searchFlags);
        const SfcFileProtection protection(loader);
        StandInRedirection redirection;
        VersionDllSource versions(loader, redirection);
        EXPECT_EQ(loader.calls.size(), c.loads.size() - 1);
        EXPECT_EQ(versions.BlockSize("C:\\any.dll"), 0u);
        EXPECT_EQ(versions.BlockSize("C:\\other.dll"), 0u);
        EXPECT_EQ(loader.calls, c.loads);
        EXPECT_EQ(protection.ServiceError(), static_cast<unsigned>(ERROR_MOD_NOT_FOUND));
    }
}

TEST(DllLoading, AProtectionServiceWithoutItsFunctionsSaysWhyItCannotBeUsed)
{
    for (const char* missing : {"SfcIsFileProtected", "SfcGetNextProtectedFile"}) {
        LoaderWithout loader(missing);
        SfcFileProtection protection(loader);
        EXPECT_EQ(protection.ServiceError(), static_cast<unsigned>(ERROR_PROC_NOT_FOUND)) << missing;
        std::uint32_t cursor = 0;
        std::string path;
        EXPECT_FALSE(protection.NextProtectedFile(cursor, path)) << missing;
    }
    LoaderWithout complete("");
    EXPECT_EQ(SfcFileProtection(complete).ServiceError(), 0u);
}

TEST(DllLoading, TheVerifierLoadsNtdllCrypt32AndWintrustByTheirFullSystemPathsForItsFirstFile)
{
    struct Case {
        bool searchFlags;
        std::vector<std::string> loads;
    };
    const std::string system = kSystem;
    const Case cases[] = {
        // ntdll tells whether a file has other names.
        {true,
         {"load " + system + "\\ntdll.dll from system32", "load " + system + "\\crypt32.dll from system32",
          "load " + system + "\\wintrust.dll from system32"}},
        // What each imports first: msasn1 for crypt32, crypt32 for wintrust.
        {false,
         {"load " + system + "\\ntdll.dll", "load " + system + "\\msasn1.dll", "load " + system + "\\crypt32.dll",
          "load " + system + "\\wintrust.dll"}},
    };
    char self[MAX_PATH];
    const std::string readable(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
    for (const Case& c : cases) {
        RecordingLoader loader(c.searchFlags);
        StandInRedirection redirection;
        NoDescriptions descriptions;
        WinTrustService trust(loader, redirection, descriptions);
        EXPECT_TRUE(loader.calls.empty());
        // Without the libraries no file can be judged, only read.
        const FileVerification verified = VerifiedAlone(trust, readable);
        EXPECT_EQ(ResultText(verified.trust), "Could not be checked: " + SystemErrorText(ERROR_MOD_NOT_FOUND));
        EXPECT_EQ(verified.sha256.size(), 64u);
        VerifiedAlone(trust, readable);
        EXPECT_EQ(loader.calls, c.loads);
    }
}

TEST(DllLoading, A64BitBuildNeverAsksAboutRedirection)
{
    RecordingLoader loader(true);
    const Wow64Redirection redirection(loader);
    EXPECT_FALSE(redirection.Active());
#ifdef _WIN64
    EXPECT_TRUE(loader.lookups.empty());
#else
    // A 32-bit build asks whether it runs under WOW64, and nothing more
    // where the answer cannot be had.
    EXPECT_EQ(loader.lookups, std::vector<std::string>{"IsWow64Process"});
#endif
}

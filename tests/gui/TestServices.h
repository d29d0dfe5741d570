#pragma once
// The main dialog's services for GUI tests: the real directory search over
// folders the test makes, a stand-in protection service and system.
#include <atomic>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/PlatformServices.h"
#include "app/VersionResourceDescriptions.h"
#include "controls/Shell.h"
#include "export/Clipboard.h"
#include "export/StandardStreams.h"
#include "export/WindowsSaveFileSystem.h"
#include "framework/CriticalSection.h"
#include "framework/DllLoader.h"
#include "platform/ThreadStarter.h"
#include "inspect/CommonFileDialogs.h"
#include "inspect/VersionDllSource.h"
#include "scan/FindFileDirectorySearch.h"
#include "scan/SystemInfo.h"
#include "support/StandIns.h"
#include "verify/SeenFiles.h"
#include "verify/TrustService.h"
#include "verify/WinTrustService.h"

// Redirection that is not there unless a test says so; then it records
// whether it is off on each thread.
class StandInRedirection final : public FileSystemRedirection {
public:
    bool active = false;
    // Times it was turned off; whether it is off on the calling thread, or
    // on any thread, now.
    std::atomic<int> turnedOff{0};
    bool OffOnThisThread() const;
    bool OffAnywhere() const;

    bool Active() const override { return active; }
    bool TurnOff(void*& previous) override;
    void TurnOn(void* previous) override;

private:
    mutable CCriticalSection m_lock;
    std::set<DWORD> m_offThreads;
};

class StandInSystem final : public SystemInfo {
public:
    unsigned long majorVersion = 5;
    std::string windowsDirectory;

    unsigned long MajorVersion() override { return majorVersion; }
    std::string WindowsDirectory() override { return windowsDirectory; }
    std::string VersionText() override { return "5.1.2600"; }
};

// Lists `count` files (no end for kEndless), each one only once the test
// has let it through: a row at a time with Release, or all that follow with
// Open. A test that lets rows through and waits for them in the list never
// depends on how fast anything runs.
class GatedProtection final : public FileProtection {
public:
    static constexpr std::uint32_t kEndless = 0xFFFFFFFF;

    explicit GatedProtection(std::uint32_t count);
    ~GatedProtection() override;
    GatedProtection(const GatedProtection&) = delete;
    GatedProtection& operator=(const GatedProtection&) = delete;

    // The path it lists as the file numbered n, from 0.
    static std::string PathOf(std::uint32_t n);
    void Release(int files) const { ::ReleaseSemaphore(m_permits, files, nullptr); }
    void Open() const { ::SetEvent(m_open); }

    std::atomic<int> calls{0};

    bool NextProtectedFile(std::uint32_t& cursor, std::string& path) override;
    bool IsFileProtected(const std::string&) override { return true; }

private:
    std::uint32_t m_count;
    HANDLE m_permits;
    HANDLE m_open;
};

// Blocks in its first call until the test releases it, or for a minute.
class BlockingProtection final : public FileProtection {
public:
    BlockingProtection();
    ~BlockingProtection() override;

    // Waits until a call has begun, or has returned; false after `ms`.
    bool WaitEntered(DWORD ms) const { return ::WaitForSingleObject(m_entered, ms) == WAIT_OBJECT_0; }
    bool WaitReturned(DWORD ms) const { return ::WaitForSingleObject(m_returned, ms) == WAIT_OBJECT_0; }
    void Release() const { ::SetEvent(m_release); }

    bool NextProtectedFile(std::uint32_t& cursor, std::string& path) override;
    bool IsFileProtected(const std::string&) override { return Block(); }

private:
    bool Block();

    HANDLE m_entered;
    HANDLE m_release;
    HANDLE m_returned;
};

// One folder of `files` files, file0.dll, file1.dll and so on, or one that
// never ends, until the walk stops asking.
class EndlessFolder final : public DirectorySearch {
public:
    explicit EndlessFolder(unsigned files = 0xFFFFFFFF) : m_files(files) {}

    unsigned ForEachEntry(const std::string&, const Visitor& visit) override
    {
        DirectoryEntry entry;
        for (unsigned n = 0; n < m_files; ++n) {
            entry.name = "file" + std::to_string(n) + ".dll";
            if (!visit(entry))
                return 0;
        }
        return 0;
    }

private:
    unsigned m_files;
};

// Records the record each dialog was run with and answers as told, without
// showing a dialog.
class StandInFileDialogs final : public CommonFileDialogs {
public:
    // The path the user "chooses" in either dialog; empty for a cancel.
    std::wstring chosen;
    std::vector<OPENFILENAMEW> opened;
    std::vector<OPENFILENAMEW> saved;

    BOOL GetOpenFileName(OPENFILENAMEW& record) override;
    BOOL GetSaveFileName(OPENFILENAMEW& record) override;
};

// Records what it is asked to open, run or show and answers `result`,
// doing nothing.
class StandInShell final : public Shell {
public:
    struct Request {
        std::string verb;
        std::string document;
        int showCommand;
        friend bool operator==(const Request&, const Request&) = default;
    };
    std::vector<Request> opened;
    // "program parameters" of each Run, and the path of each ShowProperties.
    std::vector<std::string> run;
    std::vector<std::string> properties;
    std::intptr_t result = 42;

    std::intptr_t Open(const char* verb, const char* document, int showCommand) override
    {
        opened.push_back({verb, document, showCommand});
        return result;
    }
    std::intptr_t Run(const char* program, const char* parameters) override
    {
        run.push_back(std::string(program) + " " + parameters);
        return result;
    }
    bool ShowProperties(const char* path) override
    {
        properties.emplace_back(path);
        return true;
    }
};

// Keeps what is put on it.
class StandInClipboard final : public Clipboard {
public:
    std::vector<std::string> texts;
    // The error every copy fails with; 0 for none.
    unsigned failWith = 0;

    unsigned SetText(HWND, const std::string& text) override
    {
        if (failWith)
            return failWith;
        texts.push_back(text);
        return 0;
    }
};

// Standard input that holds what a test gives it, and standard output that
// keeps what is written; either fails with `error` when a test says so.
class StandInStreams final : public StandardStreams {
public:
    std::string input;
    std::string output;
    unsigned inputError = 0;
    unsigned outputError = 0;

    unsigned ReadInput(std::string& bytes) override
    {
        if (!inputError)
            bytes = input;
        return inputError;
    }
    unsigned WriteOutput(std::string_view bytes) override
    {
        if (!outputError)
            output += bytes;
        return outputError;
    }
};

// The real files, with one operation made to fail when a test says so:
// Replace also fails the move that takes a new file's place.
class FailingFiles final : public SaveFileSystem {
public:
    enum class Step { None, Create, Write, Replace };
    Step failing = Step::None;
    unsigned error = ERROR_DISK_FULL;

    bool Exists(const std::wstring& path) override { return m_files.Exists(path); }
    unsigned CheckReplaceable(const std::wstring& path) override { return m_files.CheckReplaceable(path); }
    unsigned WriteNewFile(const std::wstring& directory, std::string_view bytes, std::wstring& path) override
    {
        if (failing == Step::Create)
            return error;
        // The disk fills up half way.
        if (failing == Step::Write) {
            const unsigned written = m_files.WriteNewFile(directory, bytes.substr(0, bytes.size() / 2), path);
            return written ? written : error;
        }
        return m_files.WriteNewFile(directory, bytes, path);
    }
    unsigned Replace(const std::wstring& from, const std::wstring& to) override
    {
        return failing == Step::Replace ? error : m_files.Replace(from, to);
    }
    unsigned Move(const std::wstring& from, const std::wstring& to) override
    {
        return failing == Step::Replace ? error : m_files.Move(from, to);
    }
    void Delete(const std::wstring& path) override { m_files.Delete(path); }

private:
    WindowsSaveFileSystem m_files;
};

// The system's threads, or none at all when a test says so.
class StandInThreads final : public ThreadStarter {
public:
    unsigned failWith = 0;

    unsigned Start(std::function<void()> work, Priority priority) override
    {
        return failWith ? failWith : ThreadStarter::System().Start(std::move(work), priority);
    }
};

// Verifies files as the test says: each path's result from `results`,
// `otherwise` for any other; the "SHA-256" of a file is its path in
// capitals, enough to see that each row got its own. With `gated`, each
// file waits until the test lets it through: one at a time with Release,
// all that follow with Open.
class StandInTrust final : public TrustService {
public:
    StandInTrust();
    ~StandInTrust() override;
    StandInTrust(const StandInTrust&) = delete;
    StandInTrust& operator=(const StandInTrust&) = delete;

    std::map<std::string, TrustResult> results;
    TrustResult otherwise{TrustKind::NotSigned, "", ""};
    // What each file says it is; nothing for any other.
    std::map<std::string, FileDescription> descriptions;
    bool gated = false;
    // Calls begun, and calls that have returned.
    std::atomic<int> calls{0};
    std::atomic<int> returned{0};

    void Release(int files) const { ::ReleaseSemaphore(m_permits, files, nullptr); }
    void Open() const { ::SetEvent(m_open); }

    FileVerification Verify(const std::string& path, SeenFiles&) override;

private:
    HANDLE m_permits;
    HANDLE m_open;
};

// The system's loader, playing a system that lacks one thing: a function
// of that name, or the library of that file name ("bcrypt.dll"). Records
// the paths it is asked to load.
class LoaderWithout final : public DllLoader {
public:
    explicit LoaderWithout(std::string missing) : m_missing(std::move(missing)) {}
    std::vector<std::string> loads;

    FARPROC KernelExport(const char* name) override { return m_system.KernelExport(name); }
    std::string SystemDirectory() override { return m_system.SystemDirectory(); }
    HMODULE LoadLibraryEx(const std::string& path, DWORD flags) override
    {
        loads.push_back(path);
        if (!m_missing.empty() && path.ends_with("\\" + m_missing)) {
            ::SetLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
        return m_system.LoadLibraryEx(path, flags);
    }
    FARPROC GetProcAddress(HMODULE hModule, const char* name) override
    {
        return name == m_missing ? nullptr : m_system.GetProcAddress(hModule, name);
    }

private:
    DllLoader& m_system = DllLoader::System();
    std::string m_missing;
};

// The file at `path` verified by `trust` on its own, as no other name of it
// has been.
inline FileVerification VerifiedAlone(TrustService& trust, const std::string& path)
{
    SeenFiles seen;
    return trust.Verify(path, seen);
}

// Describes no file: for verifiers whose tests are about the signature.
class NoDescriptions final : public FileDescriptionSource {
public:
    FileDescription Describe(const std::string&) override { return {}; }
};

// The real verifier, files described by their version resources, as the
// program has it.
struct RealVerifier {
    RealVerifier(DllLoader& loader, FileSystemRedirection& redirection)
        : versions(loader, redirection), descriptions(versions), trust(loader, redirection, descriptions)
    {
    }
    VersionDllSource versions;
    VersionResourceDescriptions descriptions;
    WinTrustService trust;
};

struct TestServices {
    StandInProtection protection;
    StandInRedirection redirection;
    FindFileDirectorySearch directories{redirection};
    StandInSystem system;
    VersionDllSource versions{DllLoader::System(), redirection};
    // The versions read as the verifier reads them, for a real one.
    VersionResourceDescriptions descriptions{versions};
    StandInFileDialogs fileDialogs;
    StandInShell shell;
    StandInClipboard clipboard;
    FailingFiles files;
    StandInStreams streams;
    StandInThreads threads;
    StandInTrust trust;
    PlatformServices services{
        .protection = protection,
        .directories = directories,
        .system = system,
        .versions = versions,
        .fileDialogs = fileDialogs,
        .shell = shell,
        .redirection = redirection,
        .clipboard = clipboard,
        .files = files,
        .streams = streams,
        .threads = threads,
        .trust = trust,
    };

    // The same services with others in the place of theirs.
    template <class... Replacements>
    PlatformServices With(Replacements&... replacements) const
    {
        return services.With(replacements...);
    }

    // The service lists `count` files, C:\WINDOWS\system32\file<n>.dll.
    void ListFiles(int count);
};

// A folder under the temporary directory, removed with everything in it.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return m_root; }
    // Makes the file (and its folders) at `relative`, a backslash path.
    void AddFile(const std::string& relative, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
    // Copies the file at `from` to `relative`, whose folders exist.
    void CopyIn(const std::string& from, const std::string& relative);

private:
    std::string m_root;
};

// The file `name` of tools/make-trust-samples.sh, in demo\trust-samples of
// the build folder above the test program's. The trust_setup fixture has
// made the test prefix trust their root and installed their catalog.
std::string TrustSample(const std::string& name);

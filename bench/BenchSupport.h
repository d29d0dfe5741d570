#pragma once
// What the benchmarks share: a clock, services that answer at once, and a
// way to run the real dialog with them.
#include <string>

#include "app/PlatformServices.h"
#include "controls/ShellExecuteShell.h"
#include "export/Clipboard.h"
#include "export/WindowsSaveFileSystem.h"
#include "framework/WorkerThreads.h"
#include "inspect/CommonFileDialogs.h"
#include "inspect/VersionDllSource.h"
#include "scan/FileProtection.h"
#include "scan/FindFileDirectorySearch.h"
#include "scan/SystemInfo.h"
#include "scan/Wow64Redirection.h"
#include "verify/CryptoApiFileHasher.h"
#include "verify/WinTrustService.h"

// Seconds on the performance counter.
double Now();

// The path listed as file number n.
std::string BenchPath(unsigned n);

// Answers at once: `count` files, none protected on request.
class InstantProtection final : public FileProtection {
public:
    explicit InstantProtection(unsigned count) : m_count(count) {}
    bool NextProtectedFile(std::uint32_t& cursor, std::string& path) override;
    bool IsFileProtected(const std::string&) override { return false; }

private:
    unsigned m_count;
};

// A system below version 6: the list comes from the protection service.
class ServiceVersion final : public SystemInfo {
public:
    unsigned long MajorVersion() override { return 5; }
    std::string WindowsDirectory() override { return {}; }
};

// The platform's services, with the protection service the bench gives.
class BenchServices {
public:
    PlatformServices With(FileProtection& protection)
    {
        return {protection, m_directories,   m_system,    m_versions, CommonFileDialogs::System(),
                m_shell,    m_redirection, m_clipboard, m_files, WorkerThreads::System(), m_trust, m_hasher};
    }

private:
    Wow64Redirection m_redirection{DllLoader::System()};
    FindFileDirectorySearch m_directories{m_redirection};
    ServiceVersion m_system;
    VersionDllSource m_versions{DllLoader::System()};
    // Nothing in a bench clicks a link: the real shell is never asked.
    ShellExecuteShell m_shell;
    WindowsClipboard m_clipboard;
    WindowsSaveFileSystem m_files;
    WinTrustService m_trust{DllLoader::System()};
    CryptoApiFileHasher m_hasher;
};

// Starts the common controls the dialog's list needs.
void InitBenchControls();

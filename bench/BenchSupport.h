#pragma once
// What the benchmarks share: a clock and the spread of its figures,
// services that answer at once, and a way to run the real dialog with them.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "app/PlatformServices.h"
#include "app/VersionResourceDescriptions.h"
#include "app/VorlaneDlg.h"
#include "controls/ShellExecuteShell.h"
#include "export/Clipboard.h"
#include "export/StandardStreams.h"
#include "export/WindowsSaveFileSystem.h"
#include "platform/ThreadStarter.h"
#include "inspect/CommonFileDialogs.h"
#include "inspect/VersionDllSource.h"
#include "res/resource.h"
#include "scan/FileProtection.h"
#include "scan/FindFileDirectorySearch.h"
#include "scan/SystemInfo.h"
#include "platform/Wow64Redirection.h"
#include "verify/WinTrustService.h"

// Seconds on the performance counter.
double Now();

double Median(std::vector<double> samples);
// Times in seconds as their median and range in milliseconds:
// "12.3 ms (10.1-15.0)".
std::string Milliseconds(const std::vector<double>& seconds);

// The answers' largest and 99th percentile, as text:
// "max 12.3 ms, p99 4.5 ms (678 answers)".
std::string AnswerDelays(std::vector<double> answers);

// Watches a window from another thread: asks it for its row count about
// every millisecond and times each answer, which is how long the window's
// thread took to get to a message.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND hWnd);
    ~AnswerProbe();
    AnswerProbe(const AnswerProbe&) = delete;
    AnswerProbe& operator=(const AnswerProbe&) = delete;

    // Stops asking; every answer's time, in seconds.
    std::vector<double> Finish();

private:
    static DWORD WINAPI Run(LPVOID self);
    void Watch();

    HWND m_hWnd;
    HANDLE m_hThread;
    std::atomic<bool> m_stop{false};
    std::vector<double> m_answers;
};

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
    std::string VersionText() override { return {}; }
};

// The platform's services, with the protection service the bench gives and
// any other it gives in place of the real one.
class BenchServices {
public:
    // These services with the bench's in the place of theirs.
    template <class... Replacements>
    PlatformServices With(FileProtection& protection, Replacements&... replacements)
    {
        return m_services.With(protection, replacements...);
    }

private:
    Wow64Redirection m_redirection{DllLoader::System()};
    FindFileDirectorySearch m_directories{m_redirection};
    ServiceVersion m_system;
    VersionDllSource m_versions{DllLoader::System(), m_redirection};
    VersionResourceDescriptions m_descriptions{m_versions};
    // Nothing in a bench clicks a link: the real shell is never asked.
    ShellExecuteShell m_shell;
    WindowsClipboard m_clipboard;
    WindowsSaveFileSystem m_files;
    WinTrustService m_trust{DllLoader::System(), m_redirection, m_descriptions};
    // Every bench gives its own protection service in its place.
    InstantProtection m_noFiles{0};
    PlatformServices m_services{
        .protection = m_noFiles,
        .directories = m_directories,
        .system = m_system,
        .versions = m_versions,
        .fileDialogs = CommonFileDialogs::System(),
        .shell = m_shell,
        .redirection = m_redirection,
        .clipboard = m_clipboard,
        .files = m_files,
        .streams = StandardStreams::System(),
        .threads = ThreadStarter::System(),
        .trust = m_trust,
    };
};

// A save dialog whose user chose `path` at once.
class ChosenFile final : public CommonFileDialogs {
public:
    explicit ChosenFile(const std::string& path);
    BOOL GetOpenFileName(OPENFILENAMEW&) override { return FALSE; }
    BOOL GetSaveFileName(OPENFILENAMEW& record) override;

private:
    std::wstring m_path;
};

// Starts the common controls the dialog's list needs.
void InitBenchControls();

// The real main dialog, which calls `whenShown` once it has painted and
// `whenFilled` once its list is filled and painted, then closes.
class FilledDialog : public CVorlaneDlg {
public:
    using Step = std::function<void(FilledDialog&)>;
    FilledDialog(PlatformServices& services, Step whenFilled, Step whenShown = nullptr);

    HWND List() const { return GetDlgItem(IDC_FILE_LIST); }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr UINT_PTR kWatch = 99;
    Step m_whenFilled;
    Step m_whenShown;
};

// Starts the real Vorlane.exe, from the folder above this program's, in the
// demonstration prefix (tools/common.sh, use_demo_prefix) and waits until its
// list holds every file below the system directory and the fill has ended:
// proof that the program loaded the demonstration sfc.dll, not Wine's, which
// protects no file.
//
//   demo_run              then closes Vorlane; exits with 0 when all went so
//                         (tools/test.sh)
//   demo_run --leave-open leaves Vorlane open with its list filled
//                         (tools/screenshots.sh)
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "res/resource.h"

namespace {

// Only a program that hangs is this slow; the waits end on what the program
// shows, not on time passed.
constexpr DWORD kDeadlineMs = 120000;
constexpr DWORD kPollMs = 50;

std::wstring SystemDirectory()
{
    WCHAR directory[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(directory, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(directory, length) : std::wstring();
}

// The files below `directory`. Wine's prefixes hold no links there, so these
// are the rows the program lists.
unsigned CountFilesBelow(const std::wstring& directory)
{
    unsigned count = 0;
    WIN32_FIND_DATAW entry;
    const HANDLE hFind = ::FindFirstFileW((directory + L"\\*").c_str(), &entry);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::wstring name = entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
        else if (name != L"." && name != L".." && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            count += CountFilesBelow(directory + L'\\' + name);
    } while (::FindNextFileW(hFind, &entry));
    ::FindClose(hFind);
    return count;
}

std::wstring VorlaneExe()
{
    WCHAR self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length < MAX_PATH ? length : 0);
    for (int level = 0; level < 2; ++level) {
        const std::size_t slash = path.find_last_of(L'\\');
        path.resize(slash == std::wstring::npos ? 0 : slash);
    }
    return path + L"\\Vorlane.exe";
}

struct DialogSearch {
    DWORD processId;
    HWND hDialog;
};

BOOL CALLBACK FindMainDialog(HWND hWnd, LPARAM lParam)
{
    auto& search = *reinterpret_cast<DialogSearch*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    if (processId == search.processId && lstrcmpA(className, "#32770") == 0 && ::GetDlgItem(hWnd, IDC_FILE_LIST)) {
        search.hDialog = hWnd;
        return FALSE;
    }
    return TRUE;
}

class Run {
public:
    explicit Run(const PROCESS_INFORMATION& process) : m_process(process), m_start(::GetTickCount()) {}

    // Waits `ms` for the process to end; true when it has.
    bool Ended(DWORD ms) const { return ::WaitForSingleObject(m_process.hProcess, ms) == WAIT_OBJECT_0; }
    bool PastDeadline() const { return ::GetTickCount() - m_start > kDeadlineMs; }

    int Fail(const char* message) const
    {
        std::fprintf(stderr, "demo_run: %s\n", message);
        ::TerminateProcess(m_process.hProcess, 1);
        return 1;
    }

private:
    PROCESS_INFORMATION m_process;
    DWORD m_start;
};

struct ListState {
    unsigned rows = 0;
    // The columns fill the list's width again: the dialog fits them once the
    // fill has ended, after the rows brought a vertical scroll bar.
    bool columnsFitted = false;
};

bool ReadListState(HWND hList, ListState& state)
{
    DWORD_PTR rows = 0, width0 = 0, width1 = 0;
    const auto ask = [hList](UINT message, WPARAM wParam, DWORD_PTR& result) {
        return ::SendMessageTimeoutW(hList, message, wParam, 0, SMTO_ABORTIFHUNG, kDeadlineMs, &result) != 0;
    };
    RECT client;
    if (!ask(LVM_GETITEMCOUNT, 0, rows) || !ask(LVM_GETCOLUMNWIDTH, 0, width0) ||
        !ask(LVM_GETCOLUMNWIDTH, 1, width1) || !::GetClientRect(hList, &client))
        return false;
    state.rows = static_cast<unsigned>(rows);
    state.columnsFitted = static_cast<long>(width0 + width1) == client.right - client.left;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool leaveOpen = argc == 2 && std::string(argv[1]) == "--leave-open";
    if (argc > 2 || (argc == 2 && !leaveOpen)) {
        std::fprintf(stderr, "usage: demo_run [--leave-open]\n");
        return 2;
    }

    const std::wstring systemDirectory = SystemDirectory();
    const unsigned files = CountFilesBelow(systemDirectory);
    if (files == 0) {
        std::fprintf(stderr, "demo_run: no files below the system directory\n");
        return 1;
    }

    const std::wstring exe = VorlaneExe();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "demo_run: cannot start %ls (error %lu)\n", exe.c_str(), ::GetLastError());
        return 1;
    }
    const Run run(process);

    DialogSearch search{process.dwProcessId, nullptr};
    for (;;) {
        ::EnumWindows(FindMainDialog, reinterpret_cast<LPARAM>(&search));
        if (search.hDialog)
            break;
        if (run.Ended(kPollMs))
            return run.Fail("Vorlane.exe ended before showing its dialog");
        if (run.PastDeadline())
            return run.Fail("Vorlane.exe showed no dialog");
    }

    const HWND hList = ::GetDlgItem(search.hDialog, IDC_FILE_LIST);
    ListState list;
    for (;;) {
        if (!ReadListState(hList, list))
            return run.Fail("the dialog does not answer");
        if (list.rows > files) {
            std::fprintf(stderr, "demo_run: %u rows for %u files\n", list.rows, files);
            return run.Fail("more rows than files below the system directory");
        }
        if (list.rows == files && list.columnsFitted)
            break;
        if (run.PastDeadline()) {
            std::fprintf(stderr, "demo_run: %u of %u files listed\n", list.rows, files);
            return run.Fail("the list did not fill: is the demonstration sfc.dll loaded?");
        }
        ::Sleep(kPollMs);
    }
    std::printf("demo_run: Vorlane.exe listed all %u files below %ls\n", list.rows, systemDirectory.c_str());
    if (leaveOpen)
        return 0;

    ::PostMessageW(search.hDialog, WM_CLOSE, 0, 0);
    if (!run.Ended(kDeadlineMs))
        return run.Fail("Vorlane.exe did not close");
    return 0;
}

// Vorlane.exe as scripts and Explorer start it: /save and its exit codes,
// the usage, and a file named on the command line. RunSaveCommand runs here
// with stand-in services; the real program runs in a process of its own.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/ScriptCommands.h"
#include "framework/SystemError.h"
#include "gui/InspectionSteps.h"
#include "gui/TestServices.h"
#include "res/resource.h"
#include "scan/ServiceErrorText.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/SfcFileProtection.h"
#include "platform/TextConversion.h"

namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::size_t Lines(const std::string& text)
{
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2)
        ++lines;
    return lines;
}

// Vorlane.exe, beside the folder of the test program.
std::string ProgramPath()
{
    const std::string tests = Fixture("x");
    const std::string folder = tests.substr(0, tests.rfind('\\'));
    return folder.substr(0, folder.rfind('\\') + 1) + "Vorlane.exe";
}

// Vorlane.exe run with `arguments`: its exit code and what it wrote.
class ProgramRun {
public:
    // With `console` false the program gets no standard handles and no
    // console, as when Explorer starts it.
    ProgramRun(const std::string& arguments, bool console) : ProgramRun(WideText(arguments), console) {}
    ProgramRun(const std::wstring& arguments, bool console)
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE writeEnd = nullptr;
        ::CreatePipe(&m_output, &writeEnd, &inherit, 0);
        ::SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (console) {
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdOutput = writeEnd;
            startup.hStdError = writeEnd;
        }
        std::wstring commandLine = L"\"" + WideText(ProgramPath()) + L"\" " + arguments;
        m_started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, console,
                                     console ? 0 : DETACHED_PROCESS, nullptr, nullptr, &startup, &m_process);
        ::CloseHandle(writeEnd);
    }
    ~ProgramRun()
    {
        if (m_started) {
            ::TerminateProcess(m_process.hProcess, 99);
            ::CloseHandle(m_process.hProcess);
            ::CloseHandle(m_process.hThread);
        }
        ::CloseHandle(m_output);
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return m_started != FALSE; }

    // A top-level window of the program with the window class `className`,
    // and without a child `notChild` when that is not 0, once it shows one;
    // null when none comes within a minute.
    HWND WaitForWindow(const char* className, int notChild = 0) const
    {
        for (int wait = 0; wait < 1200; ++wait) {
            WindowSearch search{m_process.dwProcessId, className, notChild, nullptr};
            ::EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
            if (search.found)
                return search.found;
            if (::WaitForSingleObject(m_process.hProcess, 50) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }

    // Waits for the program to end: its exit code, and what it wrote to
    // its standard output and error.
    DWORD ExitCode()
    {
        for (char buffer[4096];;) {
            DWORD read = 0;
            if (!::ReadFile(m_output, buffer, sizeof buffer, &read, nullptr) || read == 0)
                break;
            m_written.append(buffer, read);
        }
        ::WaitForSingleObject(m_process.hProcess, 120000);
        DWORD code = 0;
        ::GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }
    const std::string& Written() const { return m_written; }

private:
    struct WindowSearch {
        DWORD process;
        const char* className;
        int notChild;
        HWND found;
    };
    static BOOL CALLBACK FindWindowOf(HWND hWnd, LPARAM lParam)
    {
        auto& search = *reinterpret_cast<WindowSearch*>(lParam);
        DWORD process = 0;
        char name[64] = "";
        ::GetWindowThreadProcessId(hWnd, &process);
        ::GetClassNameA(hWnd, name, sizeof name);
        if (process == search.process && std::string(name) == search.className && ::IsWindowVisible(hWnd) &&
            !(search.notChild && ::GetDlgItem(hWnd, search.notChild)))
            search.found = hWnd;
        return search.found ? FALSE : TRUE;
    }

    HANDLE m_output = nullptr;
    PROCESS_INFORMATION m_process{};
    BOOL m_started = FALSE;
    std::string m_written;
};

}  // namespace

TEST(SaveList, ExitCodesSayWhetherTheWholeListWasWritten)
{
    struct Case {
        const char* name;
        int files;  // -1: a walk past the row limit
        unsigned serviceError;
        unsigned listingError;
        bool all;
        const char* folder;
        int exitCode;
        std::size_t lines;  // 0: nothing written
        std::string message;
    };
    const std::string limit = "but it stops at 30001 files: the rest of the Windows folder was not checked.\r\n";
    const Case cases[] = {
        {"the whole list", 3, 0, 0, false, "", 0, 4, ""},
        {"no service", 3, ERROR_MOD_NOT_FOUND, 0, false, "", 1, 0,
         "Vorlane could not list the protected files. " + ServiceErrorText(ERROR_MOD_NOT_FOUND) + "\r\n"},
        {"the service fails after three files", 3, 0, ERROR_ACCESS_DENIED, false, "", 1, 0,
         "Vorlane could not list every protected file: the protection service failed after 3 files. " +
             SystemErrorText(ERROR_ACCESS_DENIED) + "\r\n"},
        {"no folder", 3, 0, 0, false, "\\missing", 1, 0, "Vorlane could not save the list as "},
        {"past the limit", -1, 0, 0, false, "", 3, 30002, limit},
        {"past the limit with /all", -1, 0, 0, true, "", 0, 30012, ""},
    };
    for (const Case& c : cases) {
        TempTree tree;
        const std::string file = tree.Root() + c.folder + "\\list.csv";
        TestServices test;
        test.ListFiles(c.files < 0 ? 0 : c.files);
        test.protection.serviceError = c.serviceError;
        test.protection.listingError = c.listingError;
        // Ten files more than the limit.
        EndlessFolder folder(CProtectedFileScanner::kMaxRows + 10);
        PlatformServices walking = test.With(test.protection, folder);
        if (c.files < 0)
            test.system.majorVersion = 6;
        std::wstring message;
        EXPECT_EQ(RunSaveCommand(c.files < 0 ? walking : test.services, WideText(file), c.all, message), c.exitCode)
            << c.name;
        const std::string said = AnsiText(message.c_str());
        if (c.message.empty())
            EXPECT_EQ(said, "") << c.name;
        else
            EXPECT_NE(said.find(c.message), std::string::npos) << c.name << ": " << said;
        EXPECT_EQ(Lines(FileBytes(file)), c.lines) << c.name;
        EXPECT_EQ(::GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES, c.lines != 0) << c.name;
    }
}

TEST(SaveList, AFileAnotherProgramHoldsOpenStaysAsItWasAndNothingIsLeftBeside)
{
    TempTree tree;
    tree.AddFile("list.csv");
    const std::string file = tree.Root() + "\\list.csv";
    const HANDLE held = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TestServices test;
    test.ListFiles(3);
    std::wstring message;
    EXPECT_EQ(RunSaveCommand(test.services, WideText(file), false, message), 1);
    ::CloseHandle(held);
    EXPECT_EQ(AnsiText(message.c_str()),
              "Vorlane could not save the list as " + file + ": " + SystemErrorText(ERROR_SHARING_VIOLATION) + "\r\n");
    EXPECT_EQ(FileBytes(file), "");
    WIN32_FIND_DATAA entry;
    std::vector<std::string> names;
    const HANDLE search = ::FindFirstFileA((tree.Root() + "\\*").c_str(), &entry);
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(entry.cFileName);
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
    EXPECT_EQ(names, std::vector<std::string>{"list.csv"});
}

TEST(ProgramRun, ScriptsGetExitCodesAndTheUsageAndOnlyAPersonGetsAWindow)
{
    TempTree tree;
    const std::string saved = tree.Root() + "\\list.csv";
    // Baselines of Wine's service, which lists no file: as it is, and with
    // a file that has gone since.
    const std::string baseline = tree.Root() + "\\baseline.csv";
    const std::string gone = tree.Root() + "\\gone.csv";
    const std::string report = "\" \"" + tree.Root() + "\\report.csv\"";
    std::ofstream(baseline, std::ios::binary) << "N,Path,Signature,Signer,SHA256\r\n";
    std::ofstream(gone, std::ios::binary) << "N,Path,Signature,Signer,SHA256\r\n1,C:\\gone.dll,Not signed,,AB\r\n";
    const char* const usage = "Usage: Vorlane.exe [FILE | /save FILE | /verify FILE | /compare BASELINE REPORT]";
    struct Case {
        const char* name;
        std::string arguments;
        bool console;
        DWORD exitCode;
        const char* written;      // in what the program wrote, or in its message box
        bool messageBox = false;  // no console: the usage comes in a box
    };
    const Case cases[] = {
        {"usage asked for", "/?", true, 0, usage},
        {"an unknown switch", "/list", true, 2, usage},
        {"two files", "a.dll b.dll", true, 2, usage},
        {"an unknown switch from Explorer", "/list", false, 2, usage, true},
        {"the list of Wine's service", "/save \"" + saved + "\"", true, 0, ""},
        {"the signatures of that list", "/verify \"" + saved + "\"", true, 0, ""},
        {"no such folder", "/save \"" + tree.Root() + "\\missing\\list.csv\"", true, 1,
         "Vorlane could not save the list as "},
        {"nothing changed since the baseline", "/compare \"" + baseline + report, true, 0, ""},
        {"a file gone since the baseline", "/compare \"" + gone + report, true, 5,
         "files differ from the baseline by more than updates. Added: 0,   Removed: 1,"},
        {"no baseline", "/compare \"missing.csv" + report, true, 1, "Vorlane could not read the baseline missing.csv. "},
        {"no report named", "/compare \"" + baseline + "\"", true, 2, usage},
    };
    for (const Case& c : cases) {
        ::DeleteFileA(saved.c_str());
        ProgramRun run(c.arguments, c.console);
        ASSERT_TRUE(run.Started()) << ProgramPath();
        std::string shown;
        if (c.messageBox) {
            const HWND box = run.WaitForWindow("#32770");
            ASSERT_NE(box, nullptr) << c.name;
            char text[2048] = "";
            ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            shown = text;
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        EXPECT_EQ(run.ExitCode(), c.exitCode) << c.name << ": " << run.Written();
        EXPECT_NE((run.Written() + shown).find(c.written), std::string::npos) << c.name << ": " << run.Written();
        if (c.arguments.starts_with("/save") || c.arguments.starts_with("/verify")) {
            EXPECT_EQ(FileBytes(saved).starts_with("\xEF\xBB\xBFN,Path"), c.exitCode == 0) << c.name;
        }
    }
}

// Run by ctest with Wine told to load neither sfc.dll nor sfc_os.dll.
TEST(ProgramRunWithoutService, SaveWritesNothingAndSaysWhy)
{
    ASSERT_EQ(SfcFileProtection(DllLoader::System()).ServiceError(), static_cast<unsigned>(ERROR_MOD_NOT_FOUND))
        << "this test runs where the service cannot be loaded";
    TempTree tree;
    const std::string saved = tree.Root() + "\\list.csv";
    ProgramRun run("/save \"" + saved + "\"", true);
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.ExitCode(), 1u);
    EXPECT_EQ(run.Written(), "Vorlane could not list the protected files. " + ServiceErrorText(ERROR_MOD_NOT_FOUND) +
                                 "\r\n");
    EXPECT_EQ(::GetFileAttributesA(saved.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ProgramRun, AFileNamedOnTheCommandLineIsCheckedInTheWindow)
{
    const std::string file = Fixture("version_dpl");
    ProgramRun run("\"" + file + "\"", false);
    ASSERT_TRUE(run.Started());
    const HWND dialog = run.WaitForWindow("#32770");
    ASSERT_NE(dialog, nullptr);
    std::string name;
    for (int wait = 0; wait < 1200 && name.empty(); ++wait, ::Sleep(50)) {
        char text[MAX_PATH] = "";
        ::GetDlgItemTextA(dialog, IDC_FILE_NAME, text, sizeof text);
        name = text;
    }
    char path[MAX_PATH] = "";
    ::GetDlgItemTextA(dialog, IDC_CHECK_PATH, path, sizeof path);
    char details[1024] = "";
    ::GetDlgItemTextA(dialog, IDC_FILE_DETAILS, details, sizeof details);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_EQ(path, file);
    // Wine's service protects no file.
    EXPECT_EQ(name, "version_dpl.dll   status: NOT PROTECTED");
    EXPECT_STREQ(details, kFull);
}

TEST(ProgramRun, AFileNameOutsideTheCodePageNamesThatFile)
{
    // ł is in no code page the tests run in; their best fit for it is l.
    TempTree tree;
    const std::wstring folder = WideText(tree.Root());
    ProgramRun save(L"/save \"" + folder + L"\\tab\u0142e.csv\"", true);
    ASSERT_TRUE(save.Started());
    EXPECT_EQ(save.ExitCode(), 0u) << save.Written();
    EXPECT_NE(::GetFileAttributesW((folder + L"\\tab\u0142e.csv").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW((folder + L"\\table.csv").c_str()), INVALID_FILE_ATTRIBUTES);

    // A file to check that the program, which asks in ANSI, cannot name:
    // it says so rather than check another.
    const std::wstring library = folder + L"\\tab\u0142e.dll";
    ASSERT_TRUE(::CopyFileW(WideText(Fixture("version_dpl")).c_str(), library.c_str(), FALSE));
    ::CopyFileW(WideText(Fixture("version_d")).c_str(), (folder + L"\\table.dll").c_str(), FALSE);
    ProgramRun check(L"\"" + library + L"\"", false);
    ASSERT_TRUE(check.Started());
    const HWND box = check.WaitForWindow("#32770", IDC_FILE_LIST);
    ASSERT_NE(box, nullptr);
    wchar_t text[1024] = L"";
    ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
    EXPECT_EQ(std::wstring(text).find(L"Vorlane cannot check " + library + L"."), 0u) << AnsiText(text);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND dialog = nullptr;
    for (int wait = 0; wait < 1200 && !(dialog && ::GetDlgItem(dialog, IDC_FILE_LIST)); ++wait, ::Sleep(50))
        dialog = check.WaitForWindow("#32770");
    ASSERT_NE(dialog, nullptr);
    char name[MAX_PATH] = "";
    ::GetDlgItemTextA(dialog, IDC_FILE_NAME, name, sizeof name);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(check.ExitCode(), 0u);
    EXPECT_STREQ(name, "");
}

#include "gui/OtherProcess.h"

#include <cstdio>
#include <sstream>

namespace {

constexpr DWORD kReadingMs = 60000;

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string TemporaryFile()
{
    char folder[MAX_PATH] = {};
    char file[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    ::GetTempFileNameA(folder, "vlt", 0, file);
    return file;
}

std::string FileText(const std::string& path)
{
    std::string text;
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read)
        text.append(buffer, read);
    ::CloseHandle(file);
    return text;
}

// Waits for `process` to end, meanwhile handling the messages that other
// threads and processes send to this thread's windows: the reader's
// questions. Posted messages wait for the loop they are meant for.
bool AnswerUntilEnded(HANDLE process)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD waited = ::GetTickCount() - start;
        if (waited >= kReadingMs)
            return false;
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &process, FALSE, kReadingMs - waited, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke != WAIT_OBJECT_0 + 1)
            return false;
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void Parse(const std::string& output, ListTexts& texts)
{
    std::istringstream lines(output);
    std::string line;
    if (!std::getline(lines, line) || std::sscanf(line.c_str(), "rows %d columns %d", &texts.rows, &texts.columns) != 2 ||
        texts.rows < 0 || texts.columns < 0) {
        texts.failure = "the reader printed no counts: " + line;
        return;
    }
    const auto grid = std::vector<std::vector<std::string>>(static_cast<std::size_t>(texts.rows),
                                                            std::vector<std::string>(static_cast<std::size_t>(texts.columns)));
    texts.wide = grid;
    texts.ansi = grid;
    while (std::getline(lines, line)) {
        char kind = 0;
        int row = -1;
        int column = -1;
        int consumed = 0;
        // One blank after the column number; the text may begin with blanks of its own.
        if (std::sscanf(line.c_str(), "%c %d %d%n", &kind, &row, &column, &consumed) != 3 || row < 0 ||
            row >= texts.rows || column < 0 || column >= texts.columns || (kind != 'W' && kind != 'A')) {
            texts.failure = "the reader printed a line of no cell: " + line;
            return;
        }
        (kind == 'W' ? texts.wide : texts.ansi)[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
            line.substr(static_cast<std::size_t>(consumed) + 1);
    }
}

}  // namespace

ListTexts ListTextsFromAnotherProcess(HWND hList)
{
    ListTexts texts;
    const std::string outputPath = TemporaryFile();
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE output = ::CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_TEMPORARY, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    std::string command = ProgramFolder();
    command.insert(0, 1, '"');
    command += "list_text_reader.exe\" " + std::to_string(reinterpret_cast<UINT_PTR>(hList));
    PROCESS_INFORMATION started{};
    const BOOL running = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                          nullptr, &startup, &started);
    ::CloseHandle(output);
    if (!running) {
        texts.failure = "the reader did not start: error " + std::to_string(::GetLastError());
    } else {
        ::CloseHandle(started.hThread);
        DWORD exitCode = 0;
        if (!AnswerUntilEnded(started.hProcess)) {
            ::TerminateProcess(started.hProcess, 1);
            texts.failure = "the reader did not end";
        } else if (::GetExitCodeProcess(started.hProcess, &exitCode) && exitCode != 0) {
            texts.failure = "the reader failed: " + FileText(outputPath);
        }
        ::CloseHandle(started.hProcess);
    }
    if (texts.failure.empty())
        Parse(FileText(outputPath), texts);
    ::DeleteFileA(outputPath.c_str());
    return texts;
}

// list_text_reader HWND: reads every cell of the list-view HWND, a window
// of another process, as a screen reader does: the item structure and its
// text buffer in memory it allocates in the list's process, the messages
// sent across, the answers read back. Prints, in UTF-8, a line
// "rows R columns C", then for each cell and for the wide and the ANSI
// message "W row column text" and "A row column text". Exit code 0, or 1
// with the reason on the standard error.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Room for the longest path, and more.
constexpr int kTextChars = 4096;
constexpr UINT kAnswerMs = 10000;

void Write(HANDLE output, const std::string& text)
{
    DWORD written = 0;
    ::WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

int Fail(const std::string& why)
{
    Write(::GetStdHandle(STD_ERROR_HANDLE), "list_text_reader: " + why + " (error " + std::to_string(::GetLastError()) +
                                                ")\n");
    return 1;
}

std::string Utf8(const wchar_t* wide, int length)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::string Utf8FromAnsi(const char* ansi, int length)
{
    const int size = ::MultiByteToWideChar(CP_ACP, 0, ansi, length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi, length, wide.data(), size);
    return Utf8(wide.c_str(), size);
}

// The list's answer to one message for one cell, through the memory at
// `remote` in its process: an item, then its text buffer. The buffer is
// filled with a mark first, so that an answer that writes nothing reads as
// the mark, never as what the last cell left there.
template <typename Item, typename Char>
bool ReadCell(HANDLE process, HWND list, UINT message, BYTE* remote, int row, int column, std::basic_string<Char>& text)
{
    Char* const remoteText = reinterpret_cast<Char*>(remote + sizeof(Item));
    const std::vector<Char> marks(kTextChars, static_cast<Char>('#'));
    Item item{};
    item.iSubItem = column;
    item.pszText = remoteText;
    item.cchTextMax = kTextChars;
    if (!::WriteProcessMemory(process, remote, &item, sizeof item, nullptr) ||
        !::WriteProcessMemory(process, remoteText, marks.data(), marks.size() * sizeof(Char), nullptr))
        return false;
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(list, message, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote),
                               SMTO_ABORTIFHUNG, kAnswerMs, &length))
        return false;
    std::vector<Char> read(kTextChars);
    if (!::ReadProcessMemory(process, remoteText, read.data(), read.size() * sizeof(Char), nullptr))
        return false;
    std::size_t end = 0;
    while (end < read.size() && read[end] != 0)
        ++end;
    text.assign(read.data(), end);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return Fail("usage: list_text_reader HWND");
    const HWND list = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[1], nullptr, 0)));
    DWORD processId = 0;
    if (!::IsWindow(list) || !::GetWindowThreadProcessId(list, &processId))
        return Fail("no such window");
    const HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return Fail("cannot open the list's process");
    const std::size_t bytes = sizeof(LVITEMW) + kTextChars * sizeof(wchar_t);
    auto* const remote =
        static_cast<BYTE*>(::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote)
        return Fail("cannot allocate memory in the list's process");

    DWORD_PTR rows = 0;
    DWORD_PTR header = 0;
    DWORD_PTR columns = 0;
    if (!::SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &rows) ||
        !::SendMessageTimeoutW(list, LVM_GETHEADER, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &header) ||
        !::SendMessageTimeoutW(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs,
                               &columns))
        return Fail("the list does not answer");
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    Write(output, "rows " + std::to_string(static_cast<int>(rows)) + " columns " +
                      std::to_string(static_cast<int>(columns)) + "\n");
    for (int row = 0; row < static_cast<int>(rows); ++row) {
        for (int column = 0; column < static_cast<int>(columns); ++column) {
            const std::string cell = std::to_string(row) + " " + std::to_string(column) + " ";
            std::wstring wide;
            std::string ansi;
            if (!ReadCell<LVITEMW>(process, list, LVM_GETITEMTEXTW, remote, row, column, wide) ||
                !ReadCell<LVITEMA>(process, list, LVM_GETITEMTEXTA, remote, row, column, ansi))
                return Fail("cannot read row " + std::to_string(row) + " column " + std::to_string(column));
            Write(output, "W " + cell + Utf8(wide.c_str(), static_cast<int>(wide.size())) + "\n");
            Write(output, "A " + cell + Utf8FromAnsi(ansi.c_str(), static_cast<int>(ansi.size())) + "\n");
        }
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    return 0;
}

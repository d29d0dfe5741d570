#include "export/UserOutput.h"

#include "framework/Afx.h"
#include "platform/TextConversion.h"

HANDLE UserOutputHandle(bool isError)
{
    const HANDLE standard = ::GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (standard && standard != INVALID_HANDLE_VALUE && ::GetFileType(standard) != FILE_TYPE_UNKNOWN)
        return standard;
    // A program of the Windows subsystem has no console of its own; borrow
    // the one it was started from.
    static const HANDLE console = [] {
        if (!::AttachConsole(ATTACH_PARENT_PROCESS))
            return INVALID_HANDLE_VALUE;
        return ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    }();
    return console;
}

namespace {

// Whether the process runs where a person can see its windows: not as a
// service, nor in a scheduled task's or a remote session's hidden desktop.
bool OnVisibleWindowStation()
{
    USEROBJECTFLAGS flags{};
    return ::GetUserObjectInformationA(::GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, nullptr) &&
           (flags.dwFlags & WSF_VISIBLE);
}

}  // namespace

HANDLE ErrorConsole()
{
    const HANDLE output = UserOutputHandle(true);
    DWORD mode = 0;
    return output != INVALID_HANDLE_VALUE && ::GetConsoleMode(output, &mode) ? output : INVALID_HANDLE_VALUE;
}

void WriteToUser(const std::wstring& text, bool isError)
{
    const HANDLE output = UserOutputHandle(isError);
    if (output == INVALID_HANDLE_VALUE) {
        if (OnVisibleWindowStation())
            ::MessageBoxW(nullptr, text.c_str(), L"Vorlane", isError ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
        return;
    }
    DWORD written = 0;
    DWORD mode = 0;
    if (::GetConsoleMode(output, &mode)) {
        // The console shows its own code page, not the program's ANSI one.
        ::WriteConsoleW(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else {
        const std::string ansi = AnsiText(text.c_str());
        ::WriteFile(output, ansi.data(), static_cast<DWORD>(ansi.size()), &written, nullptr);
    }
}

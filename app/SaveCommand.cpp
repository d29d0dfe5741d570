#include "app/SaveCommand.h"

#include "app/PlatformServices.h"
#include "export/ListFile.h"
#include "framework/Afx.h"
#include "framework/SystemError.h"
#include "rows/RowModel.h"
#include "scan/Enumeration.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/ServiceErrorText.h"
#include "scan/SystemLeadBytes.h"
#include "scan/WidePath.h"

namespace {

HANDLE UserOutput(bool isError)
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

// Whether the process runs where a person can see its windows: not as a
// service, nor in a scheduled task's or a remote session's hidden desktop.
bool OnVisibleWindowStation()
{
    USEROBJECTFLAGS flags{};
    return ::GetUserObjectInformationA(::GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, nullptr) &&
           (flags.dwFlags & WSF_VISIBLE);
}

}  // namespace

int RunSaveCommand(PlatformServices& services, const std::string& file, std::string& message)
{
    RowModel rows;
    const ListingOutcome outcome = ListProtectedFiles(
        {services.protection, services.directories, services.system, SystemLeadBytes()}, rows);
    if (outcome.serviceError) {
        message = "Vorlane could not list the protected files. " + ServiceErrorText(outcome.serviceError) + "\r\n";
        return kSaveNotWritten;
    }
    if (const unsigned code = SaveRowsAsCsv(services.files, file, rows.Rows())) {
        message = "Vorlane could not save the list as " + file + ": " + SystemErrorText(code) + "\r\n";
        return kSaveNotWritten;
    }
    if (outcome.stoppedAtLimit) {
        message = "Vorlane saved the list as " + file + ", but it stops at " +
                  std::to_string(CProtectedFileScanner::kMaxRows) +
                  " files: the rest of the Windows folder was not checked.\r\n";
        return kSaveWrittenCut;
    }
    return kSaveWritten;
}

void WriteToUser(const std::string& text, bool isError)
{
    const HANDLE output = UserOutput(isError);
    if (output == INVALID_HANDLE_VALUE) {
        if (OnVisibleWindowStation())
            ::MessageBoxA(nullptr, text.c_str(), "Vorlane", isError ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
        return;
    }
    DWORD written = 0;
    DWORD mode = 0;
    if (::GetConsoleMode(output, &mode)) {
        // The console shows its own code page, not the program's ANSI one.
        const std::wstring wide = WidePath(text);
        ::WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        ::WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

#include "app/ScriptCommands.h"

#include <vector>

#include "app/ExitCode.h"
#include "app/PlatformServices.h"
#include "app/VerificationReport.h"
#include "export/ListFile.h"
#include "framework/Afx.h"
#include "framework/Handle.h"
#include "framework/SystemError.h"
#include "inspect/ReadablePath.h"
#include "rows/RowModel.h"
#include "scan/Enumeration.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/ServiceErrorText.h"
#include "scan/SystemLeadBytes.h"
#include "scan/WidePath.h"
#include "verify/FileHasher.h"
#include "verify/VerificationJob.h"

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

// Lists the protected files into `rows` as the dialog would, on this thread.
// When the service cannot be used, `message` says so.
ListingOutcome ListRows(PlatformServices& services, RowModel& rows, std::string& message)
{
    const ListingOutcome outcome = ListProtectedFiles(
        {services.protection, services.directories, services.system, SystemLeadBytes()}, rows);
    if (outcome.serviceError)
        message = "Vorlane could not list the protected files. " + ServiceErrorText(outcome.serviceError) + "\r\n";
    return outcome;
}

std::string SaveFailure(const std::string& file, unsigned code)
{
    return "Vorlane could not save the list as " + file + ": " + SystemErrorText(code) + "\r\n";
}

std::string CutShort(const std::string& file)
{
    return "Vorlane saved the list as " + file + ", but it stops at " + std::to_string(CProtectedFileScanner::kMaxRows) +
           " files: the rest of the Windows folder was not checked.\r\n";
}

}  // namespace

int RunSaveCommand(PlatformServices& services, const std::string& file, std::string& message)
{
    RowModel rows;
    const ListingOutcome outcome = ListRows(services, rows, message);
    if (!message.empty())
        return kNotWritten;
    if (const unsigned code = SaveRowsAsCsv(services.files, file, rows.Rows())) {
        message = SaveFailure(file, code);
        return kNotWritten;
    }
    if (outcome.stoppedAtLimit) {
        message = CutShort(file);
        return kWrittenCut;
    }
    return kWritten;
}

int RunVerifyCommand(PlatformServices& services, const std::string& file, std::string& message)
{
    RowModel rows;
    const ListingOutcome outcome = ListRows(services, rows, message);
    if (!message.empty())
        return kNotWritten;

    std::vector<std::string> readablePaths;
    readablePaths.reserve(rows.Count());
    const std::string sysnative = SysnativeWindowsDirectory(services);
    for (const ListRow& row : rows.Rows())
        readablePaths.push_back(ReadablePath(row.path, sysnative));
    // No window to serve meanwhile: this thread waits for the workers.
    const CHandle ended(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const HANDLE hEnded = ended;
    const auto job = VerificationJob::Start(std::move(readablePaths), services.trust, &services.hasher,
                                            [hEnded] { ::SetEvent(hEnded); });
    ::WaitForSingleObject(ended, INFINITE);
    const VerificationProgress progress = job->Progress();
    if (progress.Partial()) {
        message = "Vorlane could not verify the files: no worker thread could be started.\r\n";
        return kNotWritten;
    }

    if (const unsigned code = SaveCsv(services.files, file, {"N", "Path", "Signature", "Signer", "SHA256"},
                                      VerificationRecords(rows.Rows(), job->TakeResults()))) {
        message = SaveFailure(file, code);
        return kNotWritten;
    }
    const std::size_t untrusted = progress.Untrusted();
    if (untrusted > 0) {
        message = "Vorlane saved the results as " + file + ": " + std::to_string(untrusted) + " of " +
                  std::to_string(progress.total) + " files are not signed by a trusted signer.\r\n";
        return kWrittenUntrusted;
    }
    if (outcome.stoppedAtLimit) {
        message = CutShort(file);
        return kWrittenCut;
    }
    return kWritten;
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

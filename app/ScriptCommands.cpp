#include "app/ScriptCommands.h"

#include <vector>

#include "app/ExitCode.h"
#include "app/PlatformServices.h"
#include "app/VerificationReport.h"
#include "export/ListFile.h"
#include "framework/Afx.h"
#include "framework/Handle.h"
#include "framework/SystemError.h"
#include "rows/RowModel.h"
#include "scan/Enumeration.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/ServiceErrorText.h"
#include "platform/SystemLeadBytes.h"
#include "platform/TextConversion.h"
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
// When the list cannot be had whole, `message` says why.
ListingOutcome ListRows(PlatformServices& services, RowModel& rows, std::wstring& message)
{
    const ListingOutcome outcome = ListProtectedFiles(
        {services.protection, services.directories, services.system, SystemLeadBytes()}, rows);
    if (outcome.serviceError) {
        message = L"Vorlane could not list the protected files. " + WideText(ServiceErrorText(outcome.serviceError)) +
                  L"\r\n";
    } else if (outcome.listingError) {
        message = L"Vorlane could not list every protected file: the protection service failed after " +
                  std::to_wstring(rows.Count()) + L" files. " + WideText(SystemErrorText(outcome.listingError)) +
                  L"\r\n";
    }
    return outcome;
}

std::wstring SaveFailure(const std::wstring& file, unsigned code)
{
    return L"Vorlane could not save the list as " + file + L": " + WideText(SystemErrorText(code)) + L"\r\n";
}

std::wstring CutShort(const std::wstring& file)
{
    return L"Vorlane saved the list as " + file + L", but it stops at " +
           std::to_wstring(CProtectedFileScanner::kMaxRows) + L" files: the rest of the Windows folder was not checked.\r\n";
}

}  // namespace

int RunSaveCommand(PlatformServices& services, const std::wstring& file, std::wstring& message)
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

int RunVerifyCommand(PlatformServices& services, const std::wstring& file, std::wstring& message)
{
    RowModel rows;
    const ListingOutcome outcome = ListRows(services, rows, message);
    if (!message.empty())
        return kNotWritten;

    std::vector<std::string> paths;
    paths.reserve(rows.Count());
    for (const ListRow& row : rows.Rows())
        paths.push_back(row.path);
    // No window to serve meanwhile: this thread waits for the workers.
    const CHandle ended(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!ended) {
        message = L"Vorlane could not verify the files: " + WideText(SystemErrorText(::GetLastError())) + L"\r\n";
        return kNotWritten;
    }
    const HANDLE hEnded = ended;
    const auto job = VerificationJob::Start(std::move(paths), services.trust, services.threads,
                                            [hEnded] { ::SetEvent(hEnded); });
    ::WaitForSingleObject(ended, INFINITE);
    const VerificationProgress progress = job->Progress();
    if (progress.Partial()) {
        message = L"Vorlane could not verify the files: no worker thread could be started.\r\n";
        return kNotWritten;
    }

    if (const unsigned code = SaveCsv(services.files, file, {"N", "Path", "Signature", "Signer", "SHA256"},
                                      VerificationRecords(rows.Rows(), job->TakeResults()))) {
        message = SaveFailure(file, code);
        return kNotWritten;
    }
    // An untrusted file outweighs the cut in the exit code; the message
    // tells both.
    if (outcome.stoppedAtLimit)
        message = CutShort(file);
    if (const std::size_t untrusted = progress.Untrusted()) {
        message = L"Vorlane saved the results as " + file + L": " + std::to_wstring(untrusted) + L" of " +
                  std::to_wstring(progress.total) + L" files are not signed by a trusted signer.\r\n" + message;
        return kWrittenUntrusted;
    }
    return outcome.stoppedAtLimit ? kWrittenCut : kWritten;
}

void WriteToUser(const std::wstring& text, bool isError)
{
    const HANDLE output = UserOutput(isError);
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

#include "app/ScriptCommands.h"

#include <vector>

#include "app/ExitCode.h"
#include "app/PlatformServices.h"
#include "verify/VerificationReport.h"
#include "export/ListFile.h"
#include "framework/Afx.h"
#include "framework/Handle.h"
#include "framework/SystemError.h"
#include "rows/FileListColumns.h"
#include "rows/RowModel.h"
#include "scan/Enumeration.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/ServiceErrorText.h"
#include "platform/SystemLeadBytes.h"
#include "platform/TextConversion.h"
#include "verify/VerificationJob.h"

namespace {

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

int RunSaveCommand(PlatformServices& services, const std::wstring& file, bool all, std::wstring& message)
{
    RowModel rows(SystemLeadBytes(), all);
    const ListingOutcome outcome = ListRows(services, rows, message);
    if (!message.empty())
        return kNotWritten;
    if (const unsigned code = SaveTable<ListRow>(services.files, file, FileListColumns(), rows.Rows())) {
        message = SaveFailure(file, code);
        return kNotWritten;
    }
    if (outcome.stoppedAtLimit) {
        message = CutShort(file);
        return kWrittenCut;
    }
    return kWritten;
}

int RunVerifyCommand(PlatformServices& services, const std::wstring& file, bool all, std::wstring& message)
{
    RowModel rows(SystemLeadBytes(), all);
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

    const auto results = job->TakeResults();
    if (const unsigned code = SaveTable<VerifiedFile>(services.files, file, VerifiedFileColumns(),
                                                      VerifiedFiles(rows.Rows(), results))) {
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

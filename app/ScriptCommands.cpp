#include "app/ScriptCommands.h"

#include <optional>
#include <vector>

#include "app/BaselineFile.h"
#include "app/ExitCode.h"
#include "app/PlatformServices.h"
#include "compare/ComparisonReport.h"
#include "compare/CurrentFiles.h"
#include "export/ListFile.h"
#include "framework/Afx.h"
#include "framework/Handle.h"
#include "framework/SystemError.h"
#include "rows/FileListColumns.h"
#include "rows/RowModel.h"
#include "scan/Enumeration.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/ServiceErrorText.h"
#include "platform/PathKey.h"
#include "platform/SystemLeadBytes.h"
#include "platform/TextConversion.h"
#include "verify/VerificationJob.h"
#include "verify/VerificationReport.h"

namespace {

// Lists the protected files into `rows` as the dialog would, on this thread.
// When the list cannot be had whole, `message` says why; otherwise it is
// left empty.
ListingOutcome ListRows(PlatformServices& services, RowModel& rows, std::wstring& message)
{
    message.clear();
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

// The protected files, listed as the dialog would and each verified, as
// /verify and /compare take them.
struct VerifiedListing {
    explicit VerifiedListing(bool all) : rows(SystemLeadBytes(), all) {}
    RowModel rows;
    ListingOutcome outcome;
    VerificationProgress progress;
    std::vector<std::optional<FileVerification>> results;
};

// Lists the files and verifies each on the workers, waiting here: no window
// to serve meanwhile. False, with `message` saying why, when the list
// cannot be had whole or the workers cannot be had.
bool ListAndVerify(PlatformServices& services, VerifiedListing& listing, std::wstring& message)
{
    listing.outcome = ListRows(services, listing.rows, message);
    if (!message.empty())
        return false;
    std::vector<std::string> paths;
    paths.reserve(listing.rows.Count());
    for (const ListRow& row : listing.rows.Rows())
        paths.push_back(row.path);
    const CHandle ended(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!ended) {
        message = L"Vorlane could not verify the files: " + WideText(SystemErrorText(::GetLastError())) + L"\r\n";
        return false;
    }
    const HANDLE hEnded = ended;
    const auto job = VerificationJob::Start(std::move(paths), services.trust, services.threads,
                                            [hEnded] { ::SetEvent(hEnded); });
    ::WaitForSingleObject(ended, INFINITE);
    listing.progress = job->Progress();
    if (listing.progress.Partial()) {
        message = L"Vorlane could not verify the files: no worker thread could be started.\r\n";
        return false;
    }
    listing.results = job->TakeResults();
    return true;
}

// Whether the two paths name one file, as far as their full paths tell.
bool SameFile(const std::wstring& one, const std::wstring& other)
{
    const auto full = [](const std::wstring& path) {
        wchar_t buffer[MAX_PATH * 4];
        const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH * 4, buffer, nullptr);
        return Utf8PathKey(Utf8FromWide(length && length < MAX_PATH * 4 ? std::wstring(buffer, length) : path));
    };
    return full(one) == full(other);
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
    VerifiedListing listing(all);
    if (!ListAndVerify(services, listing, message))
        return kNotWritten;
    const ListingOutcome& outcome = listing.outcome;
    const VerificationProgress& progress = listing.progress;

    if (const unsigned code = SaveTable<VerifiedFile>(services.files, file, VerifiedFileColumns(),
                                                      VerifiedFiles(listing.rows.Rows(), listing.results))) {
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

int RunCompareCommand(PlatformServices& services, const std::wstring& baselineFile, const std::wstring& reportFile,
                      std::wstring& message)
{
    if (SameFile(baselineFile, reportFile)) {
        message = L"Vorlane cannot write the differences over the baseline " + baselineFile +
                  L": name another file for them.\r\n";
        return kNotWritten;
    }
    Baseline baseline;
    if (!LoadBaseline(baselineFile, baseline, message)) {
        message += L"\r\n";
        return kNotWritten;
    }
    // Every file: a cut list would show the files it did not reach as
    // removed.
    VerifiedListing listing(true);
    if (!ListAndVerify(services, listing, message))
        return kNotWritten;

    const std::vector<CurrentFile> current =
        CurrentFiles(VerifiedFiles(listing.rows.Rows(), listing.results), Utf8Text);
    const Comparison comparison = Compare(baseline.files, current, Utf8PathKey);
    if (const unsigned code = SaveUtf8Csv(services.files, reportFile, CsvHeaderOf(DifferenceColumns()),
                                          RecordsOf<Difference>(DifferenceColumns(), comparison.differences))) {
        message = L"Vorlane could not save the differences as " + reportFile + L": " +
                  WideText(SystemErrorText(code)) + L"\r\n";
        return kNotWritten;
    }
    if (comparison.OnlyUpdates())
        return kWritten;
    message = L"Vorlane saved the differences as " + reportFile + L", and files differ from the baseline by more " +
              L"than updates. " + WideText(ComparisonCounts(comparison)) + L"\r\n";
    return kWrittenDifferent;
}

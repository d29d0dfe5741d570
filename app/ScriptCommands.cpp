#include "app/ScriptCommands.h"

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

#include "compare/BaselineFile.h"
#include "app/ExitCode.h"
#include "app/PlatformServices.h"
#include "compare/ComparisonReport.h"
#include "compare/CurrentFiles.h"
#include "export/ConsoleProgress.h"
#include "export/ListFile.h"
#include "export/ProgressLine.h"
#include "export/StandardStreams.h"
#include "framework/Afx.h"
#include "framework/Handle.h"
#include "framework/SystemError.h"
#include "rows/FileListColumns.h"
#include "rows/RowModel.h"
#include "scan/Enumeration.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/ServiceErrorText.h"
#include "scan/SystemInfo.h"
#include "platform/PathKey.h"
#include "platform/SystemLeadBytes.h"
#include "platform/TextConversion.h"
#include "res/Version.h"
#include "verify/VerificationJob.h"
#include "verify/VerificationReport.h"

namespace {

// How many of the folders that could not be listed a message names.
constexpr std::size_t kFoldersNamed = 10;

// Lists the protected files into `rows` as the dialog would, on this thread.
// When the list cannot be had at all, or the service failed part way,
// `message` says why; otherwise it is left empty.
// Seconds since `start`, a tick count.
double SecondsSince(DWORD start)
{
    return (::GetTickCount() - start) / 1000.0;
}

// The rows of a listing, counted on the console as they come.
class ShownRows final : public RowSink {
public:
    explicit ShownRows(RowModel& rows) : m_rows(rows) {}

    void AddRow(ListRow row) override
    {
        m_rows.AddRow(std::move(row));
        if (m_progress.Due())
            m_progress.Show(ListingLine(m_rows.Count(), SecondsSince(m_start)));
    }
    bool StopRequested() const override { return m_rows.StopRequested(); }
    bool GoOnPastLimit() override { return m_rows.GoOnPastLimit(); }

private:
    RowModel& m_rows;
    ConsoleProgress m_progress;
    const DWORD m_start = ::GetTickCount();
};

ListingOutcome ListRows(PlatformServices& services, RowModel& rows, std::wstring& message)
{
    message.clear();
    ShownRows shown(rows);
    ListingOutcome outcome = ListProtectedFiles(
        {services.protection, services.directories, services.system, SystemLeadBytes()}, shown);
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

// Where a document was saved, for a message: "as C:\list.csv", or "to
// standard output".
std::wstring WhereSaved(const std::wstring& file)
{
    return IsStandardStream(file) ? std::wstring(L"to standard output") : L"as " + file;
}

// Why `what` ("the list") could not be saved to `file`.
std::wstring SaveFailure(const std::wstring& what, const std::wstring& file, unsigned code)
{
    const std::wstring where = IsStandardStream(file) ? L"write " + what + L" to standard output"
                                                       : L"save " + what + L" as " + file;
    return L"Vorlane could not " + where + L": " + WideText(SystemErrorText(code)) + L"\r\n";
}

// Saves the document as `file`, never half written, or writes it to
// standard output for "-". 0, or the system's error code.
unsigned WriteDocument(PlatformServices& services, const std::wstring& file, const std::string& bytes)
{
    return IsStandardStream(file) ? services.streams.WriteOutput(bytes) : SaveDocument(services.files, file, bytes);
}

JsonSummary Summary(PlatformServices& services, const char* command, std::size_t files, bool whole, int exitCode)
{
    return {command, files, {}, whole, exitCode, VORLANE_VERSION_TEXT, services.system.VersionText()};
}

// The folders that could not be listed, up to kFoldersNamed of them, one a
// line with the system's reason.
std::wstring UnlistedLines(const std::vector<UnlistedFolder>& folders)
{
    std::wstring lines;
    for (std::size_t at = 0; at < std::min(folders.size(), kFoldersNamed); ++at)
        lines += L"  " + WideText(folders[at].path) + L": " + WideText(SystemErrorText(folders[at].error)) + L"\r\n";
    if (folders.size() > kFoldersNamed)
        lines += L"  and " + std::to_wstring(folders.size() - kFoldersNamed) + L" more.\r\n";
    return lines;
}

std::wstring FoldersCount(std::size_t folders)
{
    return std::to_wstring(folders) + (folders == 1 ? L" folder" : L" folders");
}

// What a list written whole, but of an incomplete listing, lacks: the files
// past the row limit, those of the folders that could not be listed.
std::wstring IncompleteList(const std::wstring& file, const ListingOutcome& outcome)
{
    std::wstring message;
    if (outcome.stoppedAtLimit) {
        message = L"Vorlane saved the list " + WhereSaved(file) + L", but it stops at " +
                  std::to_wstring(CProtectedFileScanner::kMaxRows) +
                  L" files: the rest of the Windows folder was not checked.\r\n";
    }
    if (const std::size_t folders = outcome.unlistedFolders.size()) {
        message += L"Vorlane saved the list " + WhereSaved(file) + L", but " + FoldersCount(folders) +
                   L" of the Windows folder could not be listed, and the files in them are missing from it:\r\n" +
                   UnlistedLines(outcome.unlistedFolders);
    }
    return message;
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
// cannot be had or the workers cannot be had.
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
    ConsoleProgress progress;
    const DWORD start = ::GetTickCount();
    while (::WaitForSingleObject(ended, progress.Shown() ? ConsoleProgress::kShowEveryMs : INFINITE) == WAIT_TIMEOUT) {
        const VerificationProgress now = job->Progress();
        progress.Show(VerifyingLine(now.verified, now.total, SecondsSince(start)));
    }
    progress.Clear();
    listing.progress = job->Progress();
    if (listing.progress.Partial()) {
        message = L"Vorlane could not verify the files: no worker thread could be started.\r\n";
        return false;
    }
    listing.results = job->TakeResults();
    return true;
}

// Runs a command, or says that memory ran out: a baseline or a list too
// large for the memory Vorlane can have.
template <class Command>
int WithinMemory(Command command, std::wstring& message)
{
    try {
        return command();
    } catch (const std::bad_alloc&) {
        message = L"Vorlane ran out of memory: " + WideText(SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)) + L"\r\n";
        return kNotWritten;
    }
}

int SaveList(PlatformServices& services, const std::wstring& file, bool all, OutputFormat format,
             std::wstring& message)
{
    RowModel rows(SystemLeadBytes(), all);
    const ListingOutcome outcome = ListRows(services, rows, message);
    if (!message.empty())
        return kNotWritten;
    const int exitCode = outcome.Whole() ? kWritten : kWrittenCut;
    const std::string document =
        TableDocument<ListRow>(FileListColumns(), rows.Rows(), Utf8Text, format,
                               Summary(services, "save", rows.Count(), outcome.Whole(), exitCode));
    if (const unsigned code = WriteDocument(services, file, document)) {
        message = SaveFailure(L"the list", file, code);
        return kNotWritten;
    }
    message = IncompleteList(file, outcome);
    return exitCode;
}

int VerifyList(PlatformServices& services, const std::wstring& file, bool all, OutputFormat format,
               std::wstring& message)
{
    VerifiedListing listing(all);
    if (!ListAndVerify(services, listing, message))
        return kNotWritten;
    const ListingOutcome& outcome = listing.outcome;
    const VerificationProgress& progress = listing.progress;
    // An untrusted file outweighs an incomplete list in the exit code; the
    // message tells both.
    const std::size_t untrusted = progress.Untrusted();
    const int exitCode = untrusted ? kWrittenUntrusted : outcome.Whole() ? kWritten : kWrittenCut;
    JsonSummary summary = Summary(services, "verify", listing.rows.Count(), outcome.Whole(), exitCode);
    summary.counts = NamedVerificationCounts(progress);
    const std::string document = TableDocument<VerifiedFile>(
        VerifiedFileColumns(), VerifiedFiles(listing.rows.Rows(), listing.results), Utf8Text, format, summary);
    if (const unsigned code = WriteDocument(services, file, document)) {
        message = SaveFailure(L"the list", file, code);
        return kNotWritten;
    }
    message = IncompleteList(file, outcome);
    if (untrusted) {
        message = L"Vorlane saved the results " + WhereSaved(file) + L": " + std::to_wstring(untrusted) + L" of " +
                  std::to_wstring(progress.total) + L" files are not signed by a trusted signer.\r\n" + message;
    }
    return exitCode;
}

// The baseline named on the command line: its file, held open, or what
// standard input holds for "-".
bool TakeBaseline(PlatformServices& services, const std::wstring& baselineFile, BaselineInUse& loaded,
                  std::wstring& message)
{
    if (!IsStandardStream(baselineFile))
        return LoadBaseline(baselineFile, loaded, message);
    std::string bytes;
    if (const unsigned error = services.streams.ReadInput(bytes)) {
        message = L"Vorlane could not read the baseline from standard input. " + WideText(SystemErrorText(error));
        return false;
    }
    return ReadInputBaseline(bytes, loaded.baseline, message);
}

int CompareList(PlatformServices& services, const std::wstring& baselineFile, const std::wstring& reportFile,
                OutputFormat format, std::wstring& message)
{
    // Held open until the report is saved: no name of it can be replaced.
    BaselineInUse loaded;
    if (!TakeBaseline(services, baselineFile, loaded, message)) {
        message += L"\r\n";
        return kNotWritten;
    }
    if (!IsStandardStream(reportFile) && loaded.IsFileAt(reportFile)) {
        message = L"Vorlane cannot write the differences over the baseline " + baselineFile +
                  L": name another file for them.\r\n";
        return kNotWritten;
    }
    // Every file: a cut list would show the files it did not reach as
    // removed.
    VerifiedListing listing(true);
    if (!ListAndVerify(services, listing, message))
        return kNotWritten;

    const std::vector<CurrentFile> current =
        CurrentFiles(VerifiedFiles(listing.rows.Rows(), listing.results), Utf8Text);
    std::vector<std::string> unlisted;
    for (const UnlistedFolder& folder : listing.outcome.unlistedFolders)
        unlisted.push_back(Utf8Text(folder.path));
    const Comparison comparison = Compare(loaded.baseline, current, Utf8PathKey, unlisted);
    const int exitCode = comparison.OnlyUpdates() ? kWritten : kWrittenDifferent;
    JsonSummary summary = Summary(services, "compare", current.size(), unlisted.empty(), exitCode);
    summary.counts = NamedComparisonCounts(comparison);
    const std::string document =
        TableDocument<Difference>(DifferenceColumns(), comparison.differences, nullptr, format, summary);
    if (const unsigned code = WriteDocument(services, reportFile, document)) {
        message = SaveFailure(L"the differences", reportFile, code);
        return kNotWritten;
    }
    if (exitCode == kWritten)
        return kWritten;
    message = L"Vorlane saved the differences " + WhereSaved(reportFile) +
              L", and files differ from the baseline by more than updates. " +
              WideText(ComparisonCounts(comparison)) + L"\r\n";
    if (comparison.updatesUntold) {
        message += L"The baseline has no Version, Original name and Root columns, which tell an update from "
                   L"another change: every file whose bytes differ counts as changed. Save a new baseline with "
                   L"this Vorlane.\r\n";
    }
    if (const std::size_t folders = listing.outcome.unlistedFolders.size()) {
        message += FoldersCount(folders) + L" could not be listed, and the baseline's files in them were not "
                   L"compared:\r\n" + UnlistedLines(listing.outcome.unlistedFolders);
    }
    return kWrittenDifferent;
}

}  // namespace

int RunSaveCommand(PlatformServices& services, const std::wstring& file, bool all, std::wstring& message,
                   OutputFormat format)
{
    return WithinMemory([&] { return SaveList(services, file, all, format, message); }, message);
}

int RunVerifyCommand(PlatformServices& services, const std::wstring& file, bool all, std::wstring& message,
                     OutputFormat format)
{
    return WithinMemory([&] { return VerifyList(services, file, all, format, message); }, message);
}

int RunCompareCommand(PlatformServices& services, const std::wstring& baselineFile, const std::wstring& reportFile,
                      std::wstring& message, OutputFormat format)
{
    return WithinMemory([&] { return CompareList(services, baselineFile, reportFile, format, message); }, message);
}

#include "scan/Enumeration.h"

#include "scan/FileProtection.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/RowSink.h"
#include "scan/SystemInfo.h"

unsigned EnumerateProtectedFiles(FileProtection& protection, RowSink& rows)
{
    std::uint32_t cursor = 0;
    std::string path;
    std::uint32_t count = 0;
    for (std::uint32_t before = cursor; !rows.StopRequested(); before = cursor) {
        if (!protection.NextProtectedFile(cursor, path))
            return protection.ListingError();
        rows.FileChecked();
        rows.AddRow({++count, path});
        // A service that does not move on would list the same file forever.
        if (cursor <= before)
            break;
    }
    return 0;
}

ListingOutcome ScanWindowsDirectory(const std::string& windowsDirectory, DirectorySearch& search,
                                    FileProtection& protection, RowSink& rows, const LeadBytes& lead)
{
    CProtectedFileScanner scanner(search, protection, rows, lead);
    scanner.ScanDirectory(windowsDirectory);
    ListingOutcome outcome;
    outcome.stoppedAtLimit = scanner.StoppedAtLimit();
    outcome.unlistedFolders = scanner.UnlistedFolders();
    return outcome;
}

ListingOutcome ListProtectedFiles(const ProtectedFileSources& sources, RowSink& rows)
{
    if (const unsigned error = sources.protection.ServiceError())
        return {error, false};
    if (sources.system.MajorVersion() < 6)
        return {0, false, EnumerateProtectedFiles(sources.protection, rows)};
    return ScanWindowsDirectory(sources.system.WindowsDirectory(), sources.directories, sources.protection, rows,
                                sources.lead);
}

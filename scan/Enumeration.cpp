#include "scan/Enumeration.h"

#include "scan/FileProtection.h"
#include "scan/ProtectedFileScanner.h"
#include "scan/RowSink.h"

void EnumerateProtectedFiles(FileProtection& protection, RowSink& rows)
{
    std::uint32_t cursor = 0;
    std::string path;
    unsigned count = 0;
    while (!rows.StopRequested() && protection.NextProtectedFile(cursor, path))
        rows.AddRow({FormatRowNumber(++count), path});
}

void ScanWindowsDirectory(const std::string& windowsDirectory, DirectorySearch& search,
                          FileProtection& protection, RowSink& rows)
{
    CProtectedFileScanner scanner(search, protection, rows);
    scanner.ScanDirectory(windowsDirectory);
}

#pragma once
// The two ways of listing the protected files, and the choice between them.
// Rows are numbered from 1 in the order found and handed to `rows`.
#include <string>
#include <vector>

class DirectorySearch;
class FileProtection;
class LeadBytes;
class RowSink;
class SystemInfo;

// A directory that the walk could not open, or list to its end.
struct UnlistedFolder {
    std::string path;
    // The system's error code that stopped its listing.
    unsigned error = 0;

    friend bool operator==(const UnlistedFolder&, const UnlistedFolder&) = default;
};

// How a listing ended.
struct ListingOutcome {
    // The system's error code when the protection service could not be
    // used: then nothing was listed. 0 when it could.
    unsigned serviceError = 0;
    // The walk ended at the row limit, before the whole tree was checked.
    bool stoppedAtLimit = false;
    // The system's error code when the service failed part way through
    // its list: the rows before it are listed, the rest is missing.
    unsigned listingError = 0;
    // The walk's directories that could not be listed whole: what they
    // hold may be missing from the rows.
    std::vector<UnlistedFolder> unlistedFolders = {};

    // The listing went to its end: the service's list to its last file, or
    // the walk through every folder it could list.
    bool ReachedTheEnd() const { return !serviceError && !listingError && !stoppedAtLimit; }
    // Every protected file is in the rows, as far as the listing can tell.
    bool Whole() const { return ReachedTheEnd() && unlistedFolders.empty(); }
};

// Asks the service for its own list, file after file, to the end: until it
// says no more, or its cursor stops moving on. 0, or the system's error
// code when the service failed before the end of its list.
unsigned EnumerateProtectedFiles(FileProtection& protection, RowSink& rows);

// Walks the tree under `windowsDirectory` and asks about every file in it.
// Paths are ANSI text in the code page with the lead bytes `lead`.
ListingOutcome ScanWindowsDirectory(const std::string& windowsDirectory, DirectorySearch& search,
                                    FileProtection& protection, RowSink& rows, const LeadBytes& lead);

// Where the protected files are found.
struct ProtectedFileSources {
    FileProtection& protection;
    DirectorySearch& directories;
    SystemInfo& system;
    // The lead bytes of the code page the paths are written in.
    const LeadBytes& lead;
};

// Lists every protected file into `rows`, on the calling thread, by the
// strategy the system calls for: the service's own list before version 6,
// the walk of the Windows directory from 6 on.
ListingOutcome ListProtectedFiles(const ProtectedFileSources& sources, RowSink& rows);

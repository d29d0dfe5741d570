#pragma once
#include <string>
#include <vector>

#include "scan/Enumeration.h"

class DirectorySearch;
class FileProtection;
class LeadBytes;
class RowSink;

// Walks a directory tree depth first, in the order the platform lists each
// directory, and adds a row for every file the protection service guards.
// The walk ends after the row numbered kMaxRows, unless the row sink says
// to go on past it. A directory that cannot be opened or listed to its end
// is noted, with the system's reason, and the walk goes on.
class CProtectedFileScanner {
public:
    static constexpr int kMaxRows = 30001;

    // Paths are joined in the code page with the lead bytes `lead`.
    CProtectedFileScanner(DirectorySearch& search, FileProtection& protection, RowSink& rows, const LeadBytes& lead);

    // Both return false when the whole walk must stop: the row limit is
    // reached or the list's owner asked to stop.
    bool ScanDirectory(const std::string& directory);
    bool CheckFile(const std::string& path);

    // True once the walk has ended at the row limit.
    bool StoppedAtLimit() const { return m_nRows >= kMaxRows && !m_bPastLimit; }
    // The directories that could not be listed whole, in the walk's order.
    const std::vector<UnlistedFolder>& UnlistedFolders() const { return m_unlisted; }

private:
    DirectorySearch& m_search;
    FileProtection& m_protection;
    RowSink& m_rows;
    const LeadBytes& m_lead;
    int m_nRows = 0;
    bool m_bPastLimit = false;
    std::vector<UnlistedFolder> m_unlisted;
};

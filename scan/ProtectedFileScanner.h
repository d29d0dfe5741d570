#pragma once
#include <string>

class DirectorySearch;
class FileProtection;
class LeadBytes;
class RowSink;

// Walks a directory tree depth first, in the order the platform lists each
// directory, and adds a row for every file the protection service guards.
// The walk ends after the row numbered kMaxRows, unless the row sink says
// to go on past it.
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

private:
    DirectorySearch& m_search;
    FileProtection& m_protection;
    RowSink& m_rows;
    const LeadBytes& m_lead;
    int m_nRows = 0;
    bool m_bPastLimit = false;
};

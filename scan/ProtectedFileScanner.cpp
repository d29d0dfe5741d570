#include "scan/ProtectedFileScanner.h"

#include "scan/DirectorySearch.h"
#include "scan/FileProtection.h"
#include "platform/PathText.h"
#include "scan/RowSink.h"

CProtectedFileScanner::CProtectedFileScanner(DirectorySearch& search, FileProtection& protection,
                                             RowSink& rows, const LeadBytes& lead)
    : m_search(search), m_protection(protection), m_rows(rows), m_lead(lead)
{
}

bool CProtectedFileScanner::ScanDirectory(const std::string& directory)
{
    bool goOn = true;
    const unsigned error = m_search.ForEachEntry(directory, [&](const DirectoryEntry& entry) {
        if (m_rows.StopRequested()) {
            goOn = false;
        } else if (entry.isDirectory && (entry.name == "." || entry.name == ".." || entry.isReparsePoint)) {
            // Neither the directory itself nor its parent is walked again. A
            // junction or directory link leads to a folder that is walked
            // where it really lies, if under the Windows folder at all; it is
            // no file to ask about either.
        } else {
            const std::string path = JoinPath(directory, entry.name, m_lead);
            goOn = entry.isDirectory ? ScanDirectory(path) : CheckFile(path);
        }
        return goOn;
    });
    if (error)
        m_unlisted.push_back({directory, error});
    return goOn;
}

bool CProtectedFileScanner::CheckFile(const std::string& path)
{
    m_rows.FileChecked();
    if (m_protection.IsFileProtected(path)) {
        ++m_nRows;
        m_rows.AddRow({static_cast<std::uint32_t>(m_nRows), path});
    }
    if (m_nRows == kMaxRows && !m_bPastLimit)
        m_bPastLimit = m_rows.GoOnPastLimit() && !m_rows.StopRequested();
    return m_nRows < kMaxRows || m_bPastLimit;
}

#include "scan/FindFileDirectorySearch.h"

#include "framework/FileFind.h"
#include "platform/PathText.h"
#include "platform/SystemLeadBytes.h"

bool FindFileDirectorySearch::ForEachEntry(const std::string& directory, const Visitor& visit)
{
    CFileFind finder;
    // Only opening the search resolves the path; the entries come from the
    // open handle.
    const bool opened = [&] {
        const RedirectionOff redirectionOff(m_redirection);
        return finder.FindFile(JoinPath(directory, "*.*", SystemLeadBytes()).c_str()) != FALSE;
    }();
    if (!opened)
        return false;
    DirectoryEntry entry;
    for (BOOL more = TRUE; more;) {
        more = finder.FindNextFile();
        entry.name = finder.GetFileName().str();
        entry.isDirectory = finder.IsDirectory();
        entry.isReparsePoint = finder.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT);
        if (!visit(entry))
            break;
    }
    return true;
}

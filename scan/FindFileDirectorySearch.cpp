#include "scan/FindFileDirectorySearch.h"

#include "framework/FileFind.h"
#include "scan/PathText.h"

bool FindFileDirectorySearch::ForEachEntry(const std::string& directory, const Visitor& visit)
{
    CFileFind finder;
    if (!finder.FindFile(JoinPath(directory, "*.*").c_str()))
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
